#include "shell/SettingsStore.h"
#include "shell/frmAbout.h"
#include "support/ScriptedDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QtTest>
#include <memory>

namespace {
// An About box over a private settings file on a machine without a registry,
// where the viewers named are installed and starting one is only recorded.
struct AboutBox {
    QTemporaryDir dir;
    SettingsStore settings{QStringLiteral("Varnock"), dir.filePath(QStringLiteral("Varnock.conf"))};
    ScriptedDialogs dialogs;
    SystemInfo::NoRegistry noRegistry;
    QStringList starts;
    std::unique_ptr<frmAbout> box;

    frmAbout &open(const QStringList &installed = {})
    {
        const SystemInfo::Platform platform{
            &noRegistry, [](const QString &) { return false; },
            [installed](const QString &name) { return installed.contains(name) ? "/opt/bin/" + name : QString(); },
            [this](const QString &path) { starts << path; return true; }};
        box = std::make_unique<frmAbout>(settings, dialogs, platform);
        return *box;
    }
};
} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void titleVersionAndDescription_data()
    {
        QTest::addColumn<QString>("howMany"); // null = missing
        QTest::addColumn<QString>("quoted");
        QTest::newRow("missing") << QString() << "500";
        QTest::newRow("25") << "25" << "25";
        QTest::newRow("abc") << "abc" << "0";
        QTest::newRow("12.5") << "12.5" << "12.5";
        QTest::newRow("leading number") << "40 words" << "40";
        QTest::newRow("past 32 bits") << "1e999" << "500";
    }
    void titleVersionAndDescription()
    {
        QFETCH(QString, howMany);
        QFETCH(QString, quoted);
        AboutBox a;
        if (!howMany.isNull())
            a.settings.save(QStringLiteral("Options"), QStringLiteral("HowMany"), howMany);
        frmAbout &about = a.open();
        QCOMPARE(about.lblDescription->text(),
                 QStringLiteral("Varnock generates words of a particular form. When you enter a word in the box, it "
                                "is analyzed and %1 new words based on your filter are generated.")
                     .arg(quoted));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Varnock"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Varnock"));
        // The expected text comes from the build's project version, not from the code's macros.
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version " VARNOCK_EXPECTED_VERSION));
        QVERIFY(!about.picIcon->pixmap().isNull());
    }

    // OK, by click or Enter, and Esc close the box and start nothing.
    void okAndEscapeClose_data()
    {
        QTest::addColumn<int>("key"); // 0: click OK
        QTest::newRow("click OK") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void okAndEscapeClose()
    {
        QFETCH(int, key);
        AboutBox a;
        frmAbout &about = a.open();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        if (key)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &about, Qt::Key(key));
        else
            QTest::mouseClick(about.cmdOK, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QVERIFY(a.starts.isEmpty());
    }

    void systemInfoStartsAViewerOrSaysItIsUnavailable()
    {
        AboutBox a;
        QTest::mouseClick(a.open({QStringLiteral("hardinfo")}).cmdSysInfo, Qt::LeftButton);
        QCOMPARE(a.starts, QStringList{QStringLiteral("/opt/bin/hardinfo")});
        QVERIFY(a.dialogs.shown.isEmpty());

        a.starts.clear();
        frmAbout &about = a.open();
        about.show();
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QVERIFY(a.starts.isEmpty());
        QCOMPARE(a.dialogs.shown.size(), 1);
        QCOMPARE(a.dialogs.shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(a.dialogs.shown[0].title, QStringLiteral("Varnock"));
        QCOMPARE(a.dialogs.shown[0].icon, Dialogs::Icon::None);
        QVERIFY(about.isVisible()); // the box stays open
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frm_about.moc"
