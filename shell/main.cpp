#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/QtDialogs.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(VarnockTitle));
    QApplication::setDesktopFileName(QStringLiteral("org.varnock.Varnock"));
    QApplication::setWindowIcon(AppIcons::varnock());
    XoshiroRandom random = XoshiroRandom::fromClock();
    SettingsStore settings(QString::fromLatin1(VarnockTitle));
    QtDialogs dialogs;
    frmMain window(settings, random, dialogs);
    window.show();
    return app.exec();
}
