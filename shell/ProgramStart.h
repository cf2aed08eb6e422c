#pragma once

#include "engine/RandomSource.h"
#include "shell/QtDialogs.h"
#include "shell/SettingsStore.h"

#include <QApplication>
#include <QIcon>

// What a program shows the desktop: its name (also the name of its settings),
// the desktop entry it belongs to, and its icon.
struct ProgramIdentity {
    QString name;
    QString desktopFileName;
    QIcon icon;
};

// Names the running application, opens its main window on the user's
// settings, a clock-seeded random source and the real dialogs, and runs the
// event loop until the program ends.
template <class MainWindow>
int runProgram(const ProgramIdentity &identity)
{
    QApplication::setApplicationName(identity.name);
    QApplication::setOrganizationName(identity.name);
    QApplication::setDesktopFileName(identity.desktopFileName);
    QApplication::setWindowIcon(identity.icon);
    SettingsStore settings(identity.name);
    XoshiroRandom random = XoshiroRandom::fromClock();
    QtDialogs dialogs;
    MainWindow window(settings, random, dialogs);
    window.show();
    return QApplication::exec();
}
