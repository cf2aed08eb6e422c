#pragma once

#include "engine/RandomSource.h"
#include "shell/SettingsStore.h"
#include "shell/frmMain.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <memory>

// A main window over a private settings file, scripted dialogs and the
// given random source, for window tests.
struct MainWindowFixture {
    explicit MainWindowFixture(RandomSource &random, const QList<QPair<QString, QString>> &settings = {})
        : store(QStringLiteral("Varnock"), dir.filePath(QStringLiteral("Varnock.conf")))
    {
        for (const auto &[key, value] : settings) {
            const qsizetype slash = key.indexOf(u'/');
            store.save(key.left(slash), key.mid(slash + 1), value);
        }
        window = std::make_unique<frmMain>(store, random, dialogs);
    }

    QStringList listed() const { return window->namesModel->stringList(); }
    QString setting(const QString &section, const QString &key) const
    {
        return store.get(section, key, QStringLiteral("<absent>"));
    }
    // The controls a run disables are all usable again.
    bool controlsEnabled() const
    {
        return window->mnuFile->menuAction()->isEnabled() && window->mnuOptions->menuAction()->isEnabled()
            && window->mnuVarnock->isEnabled() && window->mnuOpen->isEnabled() && window->txtFilter->isEnabled()
            && window->cmdGo->isEnabled() && window->txtNames->isEnabled();
    }

    QTemporaryDir dir;
    SettingsStore store;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> window;
};
