#pragma once

#include "support/MainWindowHarness.h"

#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

// The harness with its window opened at once over the given random source,
// and the checks the word-output and file-command tests share.
struct MainWindowFixture : MainWindowHarness {
    explicit MainWindowFixture(RandomSource &random, const QMap<QString, QString> &stored = {})
        : MainWindowHarness(stored)
    {
        open(&random);
    }

    QStringList listed() const { return window->namesModel->stringList(); }
    QString setting(const QString &section, const QString &key) const { return stored(section, key); }
    QString settingsPath() const { return iniPath; }
    // The controls a run disables are all usable again.
    bool controlsEnabled() const
    {
        return window->mnuFile->menuAction()->isEnabled() && window->mnuOptions->menuAction()->isEnabled()
            && window->mnuVarnock->isEnabled() && window->mnuOpen->isEnabled() && window->txtFilter->isEnabled()
            && window->cmdGo->isEnabled() && window->txtNames->isEnabled();
    }
};
