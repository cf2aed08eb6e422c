#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/QtDialogs.h"
#include "shell/SettingsStore.h"
#include "substitute/frmKestrin.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrin"));
    QApplication::setOrganizationName(QStringLiteral("Kestrin"));
    QApplication::setDesktopFileName(QStringLiteral("org.varnock.Kestrin"));
    QApplication::setWindowIcon(AppIcons::kestrin());

    SettingsStore settings(QStringLiteral("Kestrin"));
    XoshiroRandom random = XoshiroRandom::fromClock();
    QtDialogs dialogs;
    kestrin::frmMain window(settings, random, dialogs);
    window.show();
    return app.exec();
}
