#pragma once

#include "shell/SystemInfo.h"

#include <QDialog>

class Dialogs;
class QFrame;
class QLabel;
class QPushButton;
class SettingsStore;

// Varnock's About box: title, version, a description quoting the number of
// words per run, and a button that starts the system information tool.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(SettingsStore &settings, Dialogs &dialogs, QWidget *parent = nullptr);
    // Tests replace the registry, file test, executable lookup and launcher.
    frmAbout(SettingsStore &settings, Dialogs &dialogs, SystemInfo::Platform platform, QWidget *parent = nullptr);

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QFrame *Line1_0 = nullptr; // white, 2 pixels
    QFrame *Line1_1 = nullptr; // grey
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

    void StartSysInfo();

public Q_SLOTS:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void buildControls();
    void Form_Load();

    SettingsStore &settings_;
    Dialogs &dialogs_;
    SystemInfo::Platform platform_;
};
