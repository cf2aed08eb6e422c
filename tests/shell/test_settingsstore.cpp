#include "shell/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QtTest>

class TestSettingsStore : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    // A file of its own for each test function and data row.
    QString path() const
    {
        return dir.filePath(QStringLiteral("%1-%2.conf").arg(QTest::currentTestFunction(), QTest::currentDataTag()));
    }

private Q_SLOTS:
    void defaultsWriteNothing()
    {
        SettingsStore store(u"Varnock"_qs, path());
        QCOMPARE(store.get(u"Options"_qs, u"HowMany"_qs, u"500"_qs), u"500"_qs);
        QCOMPARE(store.getFlag(u"Options"_qs, u"Sort"_qs, true), true);
        QCOMPARE(store.getFlag(u"Options"_qs, u"Case"_qs, false), false);
        QVERIFY(!QFile::exists(path()));
    }

    void userStoreLivesUnderConfigHome()
    {
        SettingsStore store(u"Varnock"_qs);
        QCOMPARE(store.applicationName(), u"Varnock"_qs);
        QVERIFY2(store.filePath().endsWith(u"/Varnock/Varnock.conf"_qs), qPrintable(store.filePath()));
        // The test runs with a private config folder, never the user's.
        QVERIFY(store.filePath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    }

    void flagTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("value");
        QTest::newRow("True") << "True" << false << true;
        QTest::newRow("TRUE") << "TRUE" << false << true;
        QTest::newRow("fAlSe") << "fAlSe" << true << false;
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("-1") << "-1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("garbage keeps default true") << "maybe" << true << true;
        QTest::newRow("garbage keeps default false") << "maybe" << false << false;
        QTest::newRow("empty keeps default") << "" << true << true;
    }
    void flagTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, defaultValue);
        QFETCH(bool, value);
        SettingsStore store(u"Varnock"_qs, path());
        store.save(u"Options"_qs, u"Flag"_qs, text);
        QCOMPARE(store.getFlag(u"Options"_qs, u"Flag"_qs, defaultValue), value);
    }

    // Characters the file format gives a meaning to come back unchanged.
    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("backslashes") << "C:\\fdkdsfk.txt";
        QTest::newRow("share") << "\\\\server\\share\\x";
        QTest::newRow("comma and blank") << "Ana, Bo,Cy";
        QTest::newRow("equals and semicolon") << "x=y;z";
        QTest::newRow("hash") << "#not a comment";
        QTest::newRow("quotes") << "say \"hi\"";
        QTest::newRow("blanks") << "  lead and trail  ";
        QTest::newRow("non-Latin") << QString::fromUtf8("Müller ü é");
        QTest::newRow("empty") << "";
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        SettingsStore(u"Varnock"_qs, path()).save(u"List"_qs, u"0"_qs, value);
        QCOMPARE(SettingsStore(u"Varnock"_qs, path()).get(u"List"_qs, u"0"_qs, u"absent"_qs), value);
    }

    void deleteSection()
    {
        SettingsStore store(u"Varnock"_qs, path());
        store.save(u"List"_qs, u"0"_qs, u"Marion"_qs);
        store.save(u"List"_qs, u"1"_qs, u"Yvonne"_qs);
        store.save(u"Options"_qs, u"HowMany"_qs, u"250"_qs);
        store.deleteSection(u"Missing"_qs); // no error, nothing else touched
        QCOMPARE(store.get(u"List"_qs, u"1"_qs, QString()), u"Yvonne"_qs);
        store.deleteSection(u"List"_qs);
        QCOMPARE(store.get(u"List"_qs, u"0"_qs, u"gone"_qs), u"gone"_qs);
        QCOMPARE(store.get(u"List"_qs, u"1"_qs, u"gone"_qs), u"gone"_qs);
        QCOMPARE(SettingsStore(u"Varnock"_qs, path()).get(u"Options"_qs, u"HowMany"_qs, QString()), u"250"_qs);
    }

    void handEditedFileIsRead()
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Options]\nHowMany=750\nSort=false\nDirectSaveFile=a,b\n");
        file.close();
        SettingsStore store(u"Varnock"_qs, path());
        QCOMPARE(store.get(u"Options"_qs, u"HowMany"_qs, u"500"_qs), u"750"_qs);
        QCOMPARE(store.getFlag(u"Options"_qs, u"Sort"_qs, true), false);
        QCOMPARE(store.get(u"Options"_qs, u"DirectSaveFile"_qs, QString()), u"a,b"_qs);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
