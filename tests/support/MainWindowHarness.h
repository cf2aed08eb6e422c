#pragma once

#include "engine/RandomSource.h"
#include "shell/SettingsStore.h"
#include "shell/frmMain.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <memory>

// A main window over a private settings file, scripted dialogs and a seeded
// (or scripted) random source.
class MainWindowHarness {
public:
    explicit MainWindowHarness(const QMap<QString, QString> &stored = {})
    {
        QVERIFY(dir.isValid());
        iniPath = dir.filePath(QStringLiteral("Varnock.conf"));
        settings = std::make_unique<SettingsStore>(QStringLiteral("Varnock"), iniPath);
        for (auto it = stored.begin(); it != stored.end(); ++it) {
            const QStringList parts = it.key().split(u'/');
            settings->save(parts.at(0), parts.at(1), it.value());
        }
    }

    frmMain &open(RandomSource *source = nullptr)
    {
        window = std::make_unique<frmMain>(*settings, source ? *source : seeded, dialogs);
        return *window;
    }

    frmMain &openShown(RandomSource *source = nullptr)
    {
        open(source);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            QTest::qFail("window not exposed", __FILE__, __LINE__);
        return *window;
    }

    QAction *action(const char *name) const { return child<QAction>(name); }

    // The window's child of that name; a missing one fails the test.
    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            QTest::qFail(qPrintable(QStringLiteral("no child ") + QString::fromLatin1(name)), __FILE__, __LINE__);
        return found;
    }

    // What the settings file holds, read independently of the window's store.
    QString stored(const QString &section, const QString &key) const
    {
        QSettings file(iniPath, QSettings::IniFormat);
        return file.value(section + u'/' + key, QStringLiteral("<absent>")).toString();
    }
    QStringList storedKeys() const { return QSettings(iniPath, QSettings::IniFormat).allKeys(); }

    QTemporaryDir dir;
    QString iniPath;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    XoshiroRandom seeded{20261206};
    std::unique_ptr<frmMain> window;
};
