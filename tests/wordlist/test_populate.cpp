#include "support/MainWindowHarness.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

namespace {

QStringList listed(const MainWindowHarness &h)
{
    QStringList words;
    auto *list = h.child<QListView>("txtNames");
    for (int row = 0; row < list->model()->rowCount(); ++row)
        words << list->model()->index(row, 0).data().toString();
    return words;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool allEnabled(const MainWindowHarness &h)
{
    for (const char *menu : {"mnuFile", "mnuOptions", "mnuHelp"})
        if (!h.window->findChild<QMenu *>(menu)->menuAction()->isEnabled())
            return false;
    for (const char *name : {"txtFilter", "cmdGo", "txtNames", "cmdSelAll", "cmdSelNone"})
        if (!h.window->findChild<QWidget *>(name)->isEnabled())
            return false;
    return true;
}

// A run's hand-over: controls taken away, words in place, then PopulateList.
void populate(MainWindowHarness &h, const QStringList &words)
{
    h.window->EnableControls(false);
    h.window->words() = QStringList{QString()} + words;
    h.window->PopulateList();
}

} // namespace

class TestPopulate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void orderings_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("erase");
        QTest::addColumn<QString>("fast");
        QTest::addColumn<QStringList>("expected");
        const QStringList sortedUnique{"Abo", "Cid", "Ela", "abo"};
        const QStringList sorted{"Abo", "Abo", "Cid", "Ela", "Ela", "Ela", "abo"};
        const QStringList generated{"Ela", "Abo", "Ela", "Cid", "abo", "Abo", "Ela"};
        for (const char *fast : {"True", "False"}) {
            const QString suffix = QStringLiteral(" fast=") + fast;
            QTest::newRow(qPrintable("sort erase" + suffix)) << "True" << "True" << fast << sortedUnique;
            QTest::newRow(qPrintable("sort only" + suffix)) << "True" << "False" << fast << sorted;
            QTest::newRow(qPrintable("erase without sort" + suffix)) << "False" << "True" << fast << generated;
            QTest::newRow(qPrintable("neither" + suffix)) << "False" << "False" << fast << generated;
        }
    }
    void orderings()
    {
        QFETCH(QString, sort);
        QFETCH(QString, erase);
        QFETCH(QString, fast);
        QFETCH(QStringList, expected);
        MainWindowHarness h({{"Options/Sort", sort}, {"Options/KillDupes", erase}, {"Options/FastMode", fast}});
        h.openShown();
        populate(h, {"Ela", "Abo", "Ela", "Cid", "abo", "Abo", "Ela"});
        QCOMPARE(listed(h), expected);
        QCOMPARE(h.window->words().size(), expected.size() + 1);
        QCOMPARE(h.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
        QVERIFY(allEnabled(h));
        auto *list = h.child<QListView>("txtNames");
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentIndex().row(), 0);
        QVERIFY(list->selectionModel()->selectedIndexes().size() <= 1);
    }

    void statusStepsAndHiddenList()
    {
        MainWindowHarness h({{"Options/FastMode", "False"}});
        frmMain &w = h.openShown();
        QStringList statuses;
        bool listShownWhileFilling = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] {
            const QString text = h.child<QLabel>("lblStatus")->text();
            if (statuses.isEmpty() || statuses.last() != text)
                statuses << text;
            if (text == u"Populating..." && h.child<QListView>("txtNames")->isVisible())
                listShownWhileFilling = true;
        });
        watch.start(0);
        populate(h, {"b", "a", "b"});
        watch.stop();
        QCOMPARE(statuses, (QStringList{"Varnock ready.", "Sorting words...", "Erasing Duplicates...", "Populating..."}));
        QVERIFY(!listShownWhileFilling);
        QCOMPARE(listed(h), (QStringList{"a", "b"}));
    }

    void listAcceptsTheMaximumRun()
    {
        MainWindowHarness h({{"Options/Sort", "False"}});
        h.openShown();
        QStringList words;
        for (int i = 0; i < 30000; ++i)
            words << QString::number(i);
        populate(h, words);
        const QStringList shown = listed(h);
        QCOMPARE(shown.size(), 30000);
        QCOMPARE(shown.first(), QStringLiteral("0"));
        QCOMPARE(shown.last(), QStringLiteral("29999"));
    }

    void emptyRunLeavesListEmpty()
    {
        MainWindowHarness h;
        h.openShown();
        populate(h, {});
        QVERIFY(listed(h).isEmpty());
        QVERIFY(!h.child<QListView>("txtNames")->currentIndex().isValid());
        QCOMPARE(h.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
        QVERIFY(allEnabled(h));
    }

    void directSaveWritesExactBytes_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("fast");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("three") << QStringList{"Ela", "Cid", "Abo"} << "True" << QByteArray("Abo\r\nCid\r\nEla\r\n");
        QTest::newRow("three, yielding") << QStringList{"Ela", "Cid", "Abo"} << "False"
                                         << QByteArray("Abo\r\nCid\r\nEla\r\n");
        QTest::newRow("none") << QStringList{} << "True" << QByteArray("");
        QTest::newRow("non-ascii as UTF-8") << QStringList{QString::fromUtf8("Ärö")} << "True"
                                            << QByteArray("\xc3\x84r\xc3\xb6\r\n");
    }
    void directSaveWritesExactBytes()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, fast);
        QFETCH(QByteArray, bytes);
        QTemporaryDir out;
        const QString path = out.filePath("words.txt");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("earlier content that is longer than the new one\r\n");
        }
        MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", path},
                             {"Options/FastMode", fast}});
        h.openShown();
        populate(h, words);
        QCOMPARE(fileBytes(path), bytes);
        QVERIFY(listed(h).isEmpty());
        QCOMPARE(h.child<QLabel>("lblStatus")->text(), QStringLiteral("Ready."));
        QVERIFY(allEnabled(h));
    }

    void directSaveFailureReported_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << "no/such/folder/words.txt";
        QTest::newRow("folder is a file") << "plain.txt/words.txt";
        QTest::newRow("target is a folder") << "folder";
    }
    void directSaveFailureReported()
    {
        QFETCH(QString, relative);
        QTemporaryDir out;
        {
            QFile plain(out.filePath("plain.txt"));
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(out.path()).mkdir("folder"));
        const QString path = out.filePath(relative);
        MainWindowHarness h({{"Options/DirectSave", "True"}, {"Options/DirectSaveFile", path},
                             {"Options/HowMany", "10"}});
        h.openShown();
        QTest::keyClicks(h.child<QComboBox>("txtFilter")->lineEdit(), "Ida");
        QTest::keyClick(h.child<QComboBox>("txtFilter")->lineEdit(), Qt::Key_Return);
        const QStringList messages = h.dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith("Error Number: "), qPrintable(messages.first()));
        QVERIFY(messages.first().contains("\r\nError Description: "));
        QCOMPARE(h.dialogs.shown.first().title, QStringLiteral("Error Occured"));
        QVERIFY(allEnabled(h));
        // Nothing half-written is left anywhere in the folder.
        QStringList left = QDir(out.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        left.sort();
        QCOMPARE(left, (QStringList{"folder", "plain.txt"}));
        QCOMPARE(fileBytes(out.filePath("plain.txt")), QByteArray());
    }
};

QTEST_MAIN(TestPopulate)
#include "test_populate.moc"
