// The word list in the real main window: filled after a run (or written to
// the direct-save file), saved, copied, selected and cleared.
#include "shell/Twips.h"
#include "support/WindowChecks.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <csignal>
#include <sys/resource.h>

namespace {

// The files of a folder other than the settings file.
QStringList wordFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("Varnock.conf"));
    return files;
}

QStringList names(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("Word%1").arg(i, 4, 10, QChar(u'0'));
    return out;
}

// A run's hand-over: controls taken away, words in place, then PopulateList.
void populate(MainWindowHarness &h, const QStringList &words)
{
    h.window->EnableControls(false);
    h.window->words() = QStringList{QString()} + words;
    h.window->PopulateList();
}

} // namespace

class TestWordOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What a run hands over, in the list or (direct save) in the file.
    void orderings_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("erase");
        QTest::addColumn<QString>("fast");
        QTest::addColumn<bool>("direct");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        const QStringList generated{"Ela", "Abo", "Ela", "Cid", "abo", "Abo", "Ela"};
        const QStringList sortedUnique{"Abo", "Cid", "Ela", "abo"};
        for (const char *fast : {"True", "False"}) {
            const QString suffix = QStringLiteral(" fast=") + fast;
            QTest::newRow(qPrintable("sort erase" + suffix))
                << "True" << "True" << fast << false << generated << sortedUnique;
            QTest::newRow(qPrintable("sort only" + suffix)) << "True" << "False" << fast << false << generated
                                                            << QStringList{"Abo", "Abo", "Cid", "Ela", "Ela", "Ela", "abo"};
            QTest::newRow(qPrintable("erase without sort" + suffix))
                << "False" << "True" << fast << false << generated << generated;
            QTest::newRow(qPrintable("neither" + suffix)) << "False" << "False" << fast << false << generated << generated;
            QTest::newRow(qPrintable("direct save" + suffix))
                << "True" << "True" << fast << true << generated << sortedUnique;
        }
        QTest::newRow("no words") << "True" << "True" << "True" << false << QStringList() << QStringList();
        QTest::newRow("direct save, no words") << "True" << "True" << "True" << true << QStringList() << QStringList();
        const QStringList accented{u"\u00c4r\u00f6"_qs};
        QTest::newRow("direct save, non-ASCII as UTF-8") << "True" << "True" << "True" << true << accented << accented;
    }
    void orderings()
    {
        QFETCH(QString, sort);
        QFETCH(QString, erase);
        QFETCH(QString, fast);
        QFETCH(bool, direct);
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        QTemporaryDir out;
        const QString path = out.filePath("words.txt");
        const QByteArray earlier = "earlier content that is longer than the new one\r\n";
        writeBytes(path, earlier);
        MainWindowHarness h({{"Options/Sort", sort}, {"Options/KillDupes", erase}, {"Options/FastMode", fast},
                             {"Options/DirectSave", direct ? "True" : "False"}, {"Options/DirectSaveFile", path}});
        frmMain &w = h.openShown();
        // Every status on the way, and the list hidden while it is filled.
        QStringList statuses;
        bool listShownWhileFilling = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] {
            if (statuses.isEmpty() || statuses.last() != w.lblStatus->text())
                statuses << w.lblStatus->text();
            listShownWhileFilling |= statuses.last() == u"Populating..." && w.txtNames->isVisible();
        });
        watch.start(0);
        populate(h, words);
        watch.stop();
        QStringList steps{"Varnock ready."};
        if (sort == u"True")
            steps << "Sorting words...";
        if (sort == u"True" && erase == u"True")
            steps << "Erasing Duplicates...";
        if (!direct)
            steps << "Populating...";
        QCOMPARE(statuses, steps);
        QVERIFY(!listShownWhileFilling);
        QByteArray bytes;
        for (const QString &word : expected)
            bytes += word.toUtf8() + "\r\n";
        QCOMPARE(fileBytes(path), direct ? bytes : earlier);
        QCOMPARE(listed(h), direct ? QStringList() : expected);
        QCOMPARE(w.lblStatus->text(), QStringLiteral("Ready."));
        QCOMPARE(disabledControls(h), QStringList());
        QVERIFY(w.txtNames->isVisible());
        QCOMPARE(w.txtNames->currentIndex().row(), expected.isEmpty() || direct ? -1 : 0);
    }

    void saveWritesSelectedEntries_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("step"); // percent points between progress drawings; -1: no bar
        const QStringList five{"Alpha", "Brakmon", "Cel", "Dorwen", "Elf"};
        QTest::newRow("second and fourth") << five << QList<int>{1, 3} << false << QByteArray("Brakmon\r\nDorwen\r\n") << 20;
        QTest::newRow("none selected empties the file") << five << QList<int>{} << false << QByteArray() << 20;
        QTest::newRow("empty list") << QStringList{} << QList<int>{} << false << QByteArray() << 0;
        QTest::newRow("all, non-ASCII as UTF-8") << QStringList{"\u00c9la", "Zed"} << QList<int>{0, 1} << false
                                                << QByteArray("\xc3\x89la\r\nZed\r\n") << 50;
        QTest::newRow("cancelled") << five << QList<int>{1} << true << QByteArray("earlier content\r\n") << -1;
        QTest::newRow("200 entries") << names(200) << QList<int>{199} << false << QByteArray("Word0199\r\n") << 1;
        QTest::newRow("50 entries") << names(50) << QList<int>{0} << false << QByteArray("Word0000\r\n") << 2;
    }
    void saveWritesSelectedEntries()
    {
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, selected);
        QFETCH(bool, cancel);
        QFETCH(QByteArray, expected);
        QFETCH(int, step);
        MainWindowHarness h;
        frmMain &w = showActive(h);
        w.namesModel->setStringList(entries);
        for (int row : selected)
            w.txtNames->selectionModel()->select(w.namesModel->index(row), QItemSelectionModel::Select);
        w.lblStatus->setText("Before");
        const QString path = h.dir.filePath("saved.txt");
        writeBytes(path, "earlier content\r\n");
        h.dialogs.inputAnswers = {cancel ? QString() : path};
        // A home of our own: two rows have a Documents folder, the others
        // propose the home folder.
        const QByteArray realHome = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", realHome); });
        const QString home = h.dir.filePath(u"home"_qs), documents = home + u"/Documents"_qs;
        qputenv("HOME", QFile::encodeName(home));
        QVERIFY(QDir().mkpath(step == 20 ? documents : home));
        BarWatcher watcher(w.picProgBar);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(h.dialogs.shown.size(), 1);
        const ScriptedDialogs::Shown &box = h.dialogs.shown.first();
        QCOMPARE(box.kind + u'|' + box.title + u'|' + box.text,
                 QString("input|Save Words|Enter the path of the file you want to save your words to:"));
        // One freshly made word of "ccvccvc", in proper case.
        QCOMPARE(QFileInfo(box.defaultText).absolutePath(), step == 20 ? documents : home);
        QVERIFY2(QRegularExpression("^[A-Z][a-z]{6}\\.txt$").match(QFileInfo(box.defaultText).fileName()).hasMatch(),
                 qPrintable(box.defaultText));
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(wordFiles(h.dir.path()), QStringList{"saved.txt"});
        QCOMPARE(w.lblStatus->text(), cancel ? QString("Before") : QString("Ready."));
        QVERIFY(w.picProgBar->isHidden());
        QCOMPARE(listed(h), entries);
        QCOMPARE(selectedRows(w).size(), selected.size());
        // The bar is shown empty, then drawn once per step of the entries.
        QList<int> widths;
        if (step >= 0)
            widths << 0;
        for (int p = step; step > 0 && p <= 100; p += step)
            widths << int(std::nearbyint(w.picProgBar->width() * double(float(p) / 100.0f))); // half to even
        QCOMPARE(watcher.widths, widths);
    }

    void saveFailureKeepsEarlierFile()
    {
        MainWindowHarness h({{"Options/HowMany", "77"}});
        frmMain &w = h.open();
        const QStringList words = names(2000);
        w.namesModel->setStringList(words);
        w.cmdSelAll_Click();
        const QString earlier = h.dir.filePath("earlier.txt");
        writeBytes(earlier, "keep me\r\n");
        const QByteArray settingsBefore = fileBytes(h.iniPath);

        // A folder that does not exist.
        const QString missing = h.dir.filePath("absent/words.txt");
        h.dialogs.inputAnswers = {missing};
        w.mnuSave->trigger();
        QCOMPARE(h.dialogs.messages().size(), 1);
        QVERIFY(h.dialogs.messages().first().contains(missing));
        QVERIFY(h.dialogs.messages().first().contains("Path not found"));
        QCOMPARE(h.dialogs.shown.last().title, QString("Varnock"));

        // A write that fails part-way (the file-size limit stands in for a full
        // disk): the earlier file stays whole.
        struct rlimit old {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        h.dialogs.inputAnswers = {earlier};
        w.mnuSave->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(h.dialogs.messages().size(), 2);
        QVERIFY(h.dialogs.messages().last().contains(earlier));
        QCOMPARE(fileBytes(earlier), QByteArray("keep me\r\n"));

        QVERIFY(w.picProgBar->isHidden());
        QCOMPARE(listed(h), words);
        QCOMPARE(selectedRows(w).size(), 2000);
        QCOMPARE(fileBytes(h.iniPath), settingsBefore);
        QCOMPARE(disabledControls(h), QStringList());
        // No temporary file left behind either.
        QCOMPARE(wordFiles(h.dir.path()), QStringList{"earlier.txt"});
    }

    void directSaveToggle()
    {
        MainWindowHarness h({{"Options/DirectSaveFile", "/old/place.txt"}});
        frmMain &w = showActive(h);
        const QRegularExpression proposal("^[A-Z][a-z]{3,}\\.txt$");
        auto state = [&] {
            return QStringList{h.stored("Options", "DirectSave"), h.stored("Options", "DirectSaveFile"),
                               QString::number(w.mnuDirectSave->isChecked()), QString::number(w.mnuCopy->isEnabled()),
                               QString::number(w.mnuSave->isEnabled())};
        };

        // On, accepting a typed path, from a maximized window.
        w.setWindowState(Qt::WindowMaximized);
        const QString chosen = h.dir.filePath("direct.txt");
        h.dialogs.inputAnswers = {chosen};
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].title, QString("Direct Save"));
        QCOMPARE(h.dialogs.shown[0].text, QString("Enter the path of the file you want to save your words to:"));
        QVERIFY2(proposal.match(QFileInfo(h.dialogs.shown[0].defaultText).fileName()).hasMatch(),
                 qPrintable(h.dialogs.shown[0].defaultText));
        QCOMPARE(w.mnuDirectSave->data().toString(), chosen);
        QCOMPARE(state(), (QStringList{"True", chosen, "1", "0", "0"}));
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QTRY_COMPARE(w.frameGeometry().height(), Twips::toPixels(1000));

        // Off: no question, the path stays stored.
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(state(), (QStringList{"False", chosen, "0", "1", "1"}));
        QTRY_COMPARE(w.frameGeometry().height(), Twips::toPixels(4545));

        // On again but cancelled: a new proposal, and nothing changes.
        const QByteArray settingsBefore = fileBytes(h.iniPath);
        h.dialogs.inputAnswers = {QString()};
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.size(), 2);
        QVERIFY(h.dialogs.shown[1].defaultText != chosen);
        QVERIFY(proposal.match(QFileInfo(h.dialogs.shown[1].defaultText).fileName()).hasMatch());
        QCOMPARE(state(), (QStringList{"False", chosen, "0", "1", "1"}));
        QCOMPARE(fileBytes(h.iniPath), settingsBefore);
        QCOMPARE(w.frameGeometry().height(), Twips::toPixels(4545));
    }

    void clipboardSelectionAndPanel()
    {
        MainWindowHarness h;
        frmMain &w = showActive(h);
        const QStringList five{"Ael", "Brin", "Cor", "Dun", "Eth"};
        w.namesModel->setStringList(five);
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText("stale");

        // Ctrl+click the second and fourth entries, then Ctrl+G.
        for (int row : {1, 3})
            QTest::mouseClick(w.txtNames->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              w.txtNames->visualRect(w.namesModel->index(row)).center());
        QCOMPARE(selectedRows(w), (QStringList{"Brin", "Dun"}));
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QString("Brin\r\nDun\r\n"));

        // The list has the focus, so the two buttons are there to click.
        QTest::mouseClick(w.cmdSelAll, Qt::LeftButton);
        QCOMPARE(selectedRows(w), five);
        QCOMPARE(w.txtNames->currentIndex().row(), 0);
        QVERIFY(w.txtNames->isVisible());
        w.mnuCopy->trigger();
        QCOMPARE(clipboard->text(), QString("Ael\r\nBrin\r\nCor\r\nDun\r\nEth\r\n"));

        w.txtNames->setCurrentIndex(w.namesModel->index(4));
        QTest::mouseClick(w.cmdSelNone, Qt::LeftButton);
        QVERIFY(selectedRows(w).isEmpty());
        QCOMPARE(w.txtNames->currentIndex().row(), 0);
        w.mnuCopy->trigger();
        QCOMPARE(clipboard->text(), QString(""));

        // Leaving the list for the filter box or Rnd puts the white status box
        // back; coming back to it (Tab from Rnd) shows the panel in the
        // window's colour.
        for (QWidget *other : std::initializer_list<QWidget *>{w.txtFilter, w.cmdGo}) {
            QTest::mouseClick(other, Qt::LeftButton);
            QTRY_VERIFY(w.picProgBar->isHidden());
            QVERIFY(w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden());
            QCOMPARE(w.picProgBar->backColor(), QColor(Qt::white));
            w.cmdGo->setFocus();
            QTRY_VERIFY(w.cmdGo->hasFocus());
            QTest::keyClick(w.cmdGo, Qt::Key_Tab);
            QTRY_VERIFY(w.txtNames->hasFocus());
            QVERIFY(w.picProgBar->isVisible() && w.cmdSelAll->isVisible() && w.cmdSelNone->isVisible());
            QCOMPARE(w.picProgBar->backColor(), w.palette().color(QPalette::Active, QPalette::Window));
            QVERIFY(w.picProgBar->backColor() != QColor(Qt::white));
        }
        // With the box already hidden, leaving the list changes nothing.
        w.picProgBar->hide();
        w.picProgBar->setBackColor(Qt::darkGray);
        w.txtFilter->setFocus();
        QTRY_VERIFY(!w.txtNames->hasFocus());
        QCOMPARE(w.picProgBar->backColor(), QColor(Qt::darkGray));

        // An empty list: nothing to select, no current entry, an empty clipboard.
        w.namesModel->setStringList({});
        clipboard->setText("stale");
        w.cmdSelAll_Click();
        w.cmdSelNone_Click();
        QVERIFY(!w.txtNames->currentIndex().isValid());
        w.mnuCopy->trigger();
        QCOMPARE(clipboard->text(), QString(""));
    }

    void clearList()
    {
        MainWindowHarness h({{"List/0", "kaelor"}, {"List/1", "brim"}, {"List/2", "tok"}});
        frmMain &w = showActive(h);
        QCOMPARE(w.txtFilter->count(), 3);
        w.txtFilter->setEditText("typed");

        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(w.txtFilter->count(), 0);
        QCOMPARE(w.txtFilter->currentText(), QString());
        QVERIFY(!fileBytes(h.iniPath).contains("[List]"));

        // Again, with the section already gone.
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(w.txtFilter->count(), 0);
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(h.stored("Options", "Sort"), QString("<absent>"));
    }
};

QTEST_MAIN(TestWordOutput)
#include "test_word_output.moc"
