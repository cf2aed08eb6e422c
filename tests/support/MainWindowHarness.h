#pragma once

#include "engine/RandomSource.h"
#include "shell/ProgressBox.h"
#include "shell/SettingsStore.h"
#include "shell/frmMain.h"
#include "support/ScriptedDialogs.h"

#include <QtTest/QtTest>
#include <QtWidgets>

// A main window over a private settings file, scripted dialogs and a seeded (or scripted) random source.
struct MainWindowHarness {
    explicit MainWindowHarness(const QMap<QString, QString> &stored = {})
    {
        // Written behind the store's back, as a hand edit would be.
        QSettings file(iniPath, QSettings::IniFormat);
        for (auto it = stored.begin(); it != stored.end(); ++it)
            file.setValue(it.key(), it.value());
    }
    frmMain &open(RandomSource *source = nullptr, bool show = true) // shown and active, for real key events
    {
        window = std::make_unique<frmMain>(settings, source ? *source : seeded, dialogs);
        if (show) {
            window->show();
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window.get()))
                QTest::qFail("window not active", __FILE__, __LINE__);
        }
        return *window;
    }
    QString stored(const QString &key) const { return QSettings(iniPath, QSettings::IniFormat).value(key, u"<absent>"_qs).toString(); } // not through the store
    QStringList storedKeys() const { return QSettings(iniPath, QSettings::IniFormat).allKeys(); }
    void store(const QString &key, const QString &value) { settings.save(key.section(u'/', 0, 0), key.section(u'/', 1), value); }
    QStringList listed() const { return window->namesModel->stringList(); }
    QStringList history() const { QStringList entries; for (int i = 0; i < window->txtFilter->count(); ++i) entries << window->txtFilter->itemText(i); return entries; }
    void typeAndEnter(const QString &text) const // in the filter box, as a user would
    {
        window->txtFilter->lineEdit()->clear();
        QTest::keyClicks(window->txtFilter->lineEdit(), text);
        QTest::keyClick(window->txtFilter->lineEdit(), Qt::Key_Return);
    }
    static inline const QStringList runControls{"mnuFile", "mnuOptions", "mnuHelp", "txtFilter", "cmdGo", "txtNames", "cmdSelAll", "cmdSelNone",
                                                "mnuGenerate", "mnuVarnock", "mnuOpen", "mnuFast", "mnuNoOfWords", "mnuAbout"}; // what a run takes away
    QStringList disabled() const // the run controls not usable now
    {
        QStringList off;
        for (const QString &name : runControls)
            if (QObject *c = window->findChild<QObject *>(name); !(qobject_cast<QMenu *>(c) ? qobject_cast<QMenu *>(c)->menuAction() : c)->property("enabled").toBool())
                off << name;
        return off;
    }

    QTemporaryDir dir;
    QString iniPath = dir.filePath(u"Varnock.conf"_qs);
    SettingsStore settings{u"Varnock"_qs, iniPath};
    ScriptedDialogs dialogs;
    XoshiroRandom seeded{20261206};
    std::unique_ptr<frmMain> window;
};

inline QString dataFile(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }
inline QByteArray fileBytes(const QString &path) { QFile file(path); return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>"; }
inline void writeBytes(const QString &path, const QByteArray &bytes)
{ QFile file(path); QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(path)); }

// The width of the navy bar (top row of the progress box) at every repaint, and each new status caption shown then.
struct BarWatcher : QObject {
    explicit BarWatcher(frmMain &w) : box(w.picProgBar), label(w.lblStatus) { box->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (!captions.contains(label->text()))
                captions << label->text();
            int navy = 0;
            for (int x = 0; x < box->image().width(); ++x)
                navy += box->image().pixel(x, 0) == ProgressBox::navy;
            widths << navy;
            for (const QWidget *button : box->findChildren<QPushButton *>())
                buttonsShown |= button->isVisible();
        }
        return false;
    }
    ProgressBox *box;
    QLabel *label;
    QList<int> widths;
    QStringList captions;
    bool buttonsShown = false; // the panel's, while the bar was drawn
};
