#include "shell/SettingsStore.h"
#include "shell/frmAbout.h"
#include "support/ScriptedDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
SystemInfo::Platform scriptedPlatform(QStringList &starts, const QStringList &installed)
{
    static SystemInfo::NoRegistry none;
    SystemInfo::Platform platform;
    platform.registry = &none;
    platform.fileExists = [](const QString &) { return false; };
    platform.findExecutable = [installed](const QString &name) {
        return installed.contains(name) ? QStringLiteral("/opt/bin/") + name : QString();
    };
    platform.start = [&starts](const QString &path) {
        starts << path;
        return true;
    };
    return platform;
}
} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void descriptionQuotesHowMany_data()
    {
        QTest::addColumn<QString>("howMany"); // null = missing
        QTest::addColumn<QString>("quoted");
        QTest::newRow("missing") << QString() << "500";
        QTest::newRow("25") << "25" << "25";
        QTest::newRow("abc") << "abc" << "0";
        QTest::newRow("12.5") << "12.5" << "12.5";
        QTest::newRow("leading number") << "40 words" << "40";
    }
    void descriptionQuotesHowMany()
    {
        QFETCH(QString, howMany);
        QFETCH(QString, quoted);
        SettingsStore settings(QStringLiteral("Varnock"), dir_.filePath(QStringLiteral("%1.ini").arg(QTest::currentDataTag())));
        if (!howMany.isNull())
            settings.save(QStringLiteral("Options"), QStringLiteral("HowMany"), howMany);
        ScriptedDialogs dialogs;
        QStringList starts;
        frmAbout about(settings, dialogs, scriptedPlatform(starts, {}));
        QCOMPARE(about.lblDescription->text(),
                 QStringLiteral("Varnock generates words of a particular form. When you enter a word in the box, it "
                                "is analyzed and %1 new words based on your filter are generated.")
                     .arg(quoted));
    }

    void showsTitleVersionAndIcon()
    {
        SettingsStore settings(QStringLiteral("Varnock"), dir_.filePath(QStringLiteral("plain.ini")));
        ScriptedDialogs dialogs;
        QStringList starts;
        frmAbout about(settings, dialogs, scriptedPlatform(starts, {}));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Varnock"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Varnock"));
        // The expected text comes from the build's project version, not from the code's macros.
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version " VARNOCK_EXPECTED_VERSION));
        QVERIFY(!about.picIcon->pixmap().isNull());
        QVERIFY(!about.windowIcon().isNull());
        QCOMPARE(about.size(), QSize(382, 237)); // 5730 x 3555 twips
    }

    void enterAndEscapeClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void enterAndEscapeClose()
    {
        QFETCH(int, key);
        SettingsStore settings(QStringLiteral("Varnock"), dir_.filePath(QStringLiteral("keys.ini")));
        ScriptedDialogs dialogs;
        QStringList starts;
        frmAbout about(settings, dialogs, scriptedPlatform(starts, {}));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.isVisible());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &about, Qt::Key(key));
        QVERIFY(!about.isVisible());
        QVERIFY(starts.isEmpty());
    }

    void systemInfoStartsAViewerOrSaysItIsUnavailable()
    {
        SettingsStore settings(QStringLiteral("Varnock"), dir_.filePath(QStringLiteral("sys.ini")));
        ScriptedDialogs dialogs;
        QStringList starts;
        {
            frmAbout about(settings, dialogs, scriptedPlatform(starts, {QStringLiteral("hardinfo")}));
            QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
            QCOMPARE(starts, QStringList{QStringLiteral("/opt/bin/hardinfo")});
            QVERIFY(dialogs.shown.isEmpty());
        }
        starts.clear();
        frmAbout about(settings, dialogs, scriptedPlatform(starts, {}));
        about.show();
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QVERIFY(starts.isEmpty());
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("Varnock"));
        QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
        QVERIFY(about.isVisible()); // the box stays open
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frm_about.moc"
