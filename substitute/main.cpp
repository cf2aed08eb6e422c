#include "engine/RandomSource.h"
#include "shell/AppIcons.h"
#include "shell/QtDialogs.h"
#include "shell/SettingsStore.h"
#include "substitute/KestrinSettings.h"
#include "substitute/frmKestrin.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(KestrinTitle));
    QApplication::setOrganizationName(QString::fromLatin1(KestrinTitle));
    QApplication::setDesktopFileName(QStringLiteral("org.varnock.Kestrin"));
    QApplication::setWindowIcon(AppIcons::kestrin());

    SettingsStore settings(QString::fromLatin1(KestrinTitle));
    XoshiroRandom random = XoshiroRandom::fromClock();
    QtDialogs dialogs;
    kestrin::frmMain window(settings, random, dialogs);
    window.show();
    return app.exec();
}
