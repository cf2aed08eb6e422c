#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/QtDialogs.h"
#include "shell/SettingsStore.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnock"));
    QApplication::setDesktopFileName(QStringLiteral("org.varnock.Varnock"));
    QApplication::setWindowIcon(AppIcons::varnock());
    XoshiroRandom random = XoshiroRandom::fromClock();
    SettingsStore settings(QStringLiteral("Varnock"));
    QtDialogs dialogs;
    frmMain window(settings, random, dialogs);
    window.show();
    return app.exec();
}
