// The commands that make words in the real main window (a typed sample, Rnd,
// a pattern file, a rules file) and what happens to the words after: the
// list, the direct-save file, saving, copying and selecting.
#include "sources/PatternFile.h"
#include "support/MainWindowHarness.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>
#include <QtWidgets>
#include <csignal>
#include <sys/resource.h>

using Draws = std::vector<float>;
using Stored = QMap<QString, QString>;
Q_DECLARE_METATYPE(Stored)

namespace {
const auto P = ScriptedRandom::pick;

QStringList names(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << u"Word%1"_qs.arg(i, 4, 10, QChar(u'0'));
    return out;
}

QStringList selectedRows(const frmMain &w)
{
    QStringList out;
    for (const QModelIndex &i : w.txtNames->selectionModel()->selectedRows())
        out << i.data().toString();
    out.sort();
    return out;
}

// The status caption at every drawing of the progress box.
struct CaptionWatcher : BarWatcher {
    CaptionWatcher(frmMain &w) : BarWatcher(w.picProgBar), label(w.lblStatus) {}
    bool eventFilter(QObject *o, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && (captions.isEmpty() || captions.last() != label->text()))
            captions << label->text();
        return BarWatcher::eventFilter(o, event);
    }
    QLabel *label;
    QStringList captions;
};
} // namespace

class TestWords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One scripted word per sample: the tables, pairs and case the options choose.
    void scriptedWord_data()
    {
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<Draws>("draws");
        QTest::addColumn<QString>("word");
        const Stored plain{{"RealityMode", "False"}};
        // c v c (vv) c: b, a, k, the pair "ai" (coin 0.75), n.
        const Draws bakain{P(0, 21), P(0, 5), P(7, 21), 0.75f, P(0, 21), P(10, 21)};
        QTest::newRow("plain tables") << plain << "MARION" << bakain << "Bakain";
        QTest::newRow("case of the sample") << Stored{{"RealityMode", "False"}, {"Case", "True"}} << "mArIoN" << bakain << "bAkAiN";
        QTest::newRow("no diphthongi: two vowels") << Stored{{"RealityMode", "False"}, {"UseDiphthongi", "False"}} << "Marion"
                                                   << Draws{P(0, 21), P(0, 5), P(7, 21), 0.75f, P(4, 5), P(1, 5), P(10, 21)}
                                                   << "Bakuen";
        QTest::newRow("reality tables") << Stored{} << "Ida" << Draws{0.f, 0.f, 0.f} << "Eze";
    }
    void scriptedWord()
    {
        QFETCH(Stored, stored);
        QFETCH(QString, sample);
        QFETCH(Draws, draws);
        QFETCH(QString, word);
        Stored options{{"Options/HowMany", "1"}};
        for (auto it = stored.begin(); it != stored.end(); ++it)
            options.insert(u"Options/"_qs + it.key(), it.value());
        MainWindowHarness h(options);
        ScriptedRandom random(draws);
        frmMain &w = h.open(&random);
        QCOMPARE(random.reseeds(), 1); // seeded from the clock at start
        w.txtFilter->setFocus();
        h.typeAndEnter(sample);
        QCOMPARE(h.listed(), QStringList{word});
        QCOMPARE(random.remaining(), std::size_t(0));
        QCOMPARE(h.history(), QStringList{sample});
        QCOMPARE(w.lblStatus->text(), u"Ready."_qs);
        QCOMPARE(h.disabled(), QStringList());
        QVERIFY(w.picProgBar->isHidden() && w.txtFilter->hasFocus());
        QCOMPARE(w.txtFilter->lineEdit()->selectedText(), sample); // ready to be typed over
        QCOMPARE(w.txtNames->currentIndex().row(), 0);
    }

    void seededSamplesRndAndHistory()
    {
        MainWindowHarness h;
        frmMain &w = h.open();
        h.typeAndEnter(u"Marion"_qs);
        const QStringList words = h.listed();
        QVERIFY2(words.size() > 100 && words.size() <= 500, qPrintable(QString::number(words.size())));
        static const QRegularExpression form(u"^[B-DF-HJ-NP-TV-Z][aeiou][b-df-hj-np-tv-z][aeiouy]{2}[b-df-hj-np-tv-z]$"_qs);
        for (int i = 0; i < words.size(); ++i)
            QVERIFY2(form.match(words[i]).hasMatch() && (i == 0 || words[i - 1] < words[i]), qPrintable(words[i]));
        // Rnd: each sample drawn afresh from a reseeded source, with no run and no history entry.
        ScriptedRandom random{0.35f, 0.1f, 0.1f, 0.1f, 0.1f, 0.9f, 0.9f, 0.1f, 0.0f, 0.9f, 0.1f, 0.9f, 0.1f};
        MainWindowHarness r({{"Options/HowMany", "3"}});
        frmMain &rw = r.open(&random);
        for (const char *sample : {"aacca", "caca"}) {
            QTest::mouseClick(rw.cmdGo, Qt::LeftButton);
            QCOMPARE(rw.txtFilter->currentText(), QString::fromLatin1(sample));
        }
        QCOMPARE(random.reseeds(), 3);
        QCOMPARE(r.history(), QStringList());
        // An empty box gets a random sample; each text joins the history once, case-sensitively.
        h.store(u"Options/HowMany"_qs, u"3"_qs);
        h.typeAndEnter(QString());
        const QString sample = w.txtFilter->currentText();
        QVERIFY2(QRegularExpression(u"^[ac]{4,13}$"_qs).match(sample).hasMatch(), qPrintable(sample));
        QCOMPARE(h.listed().size(), 3);
        QCOMPARE(h.listed().first().size(), sample.size());
        for (const char *text : {"Marion", "marion", "Ma"})
            h.typeAndEnter(QString::fromLatin1(text));
        QCOMPARE(h.history(), (QStringList{"Marion", QString(), "marion", "Ma"}));
        QCOMPARE(h.listed().first().size(), 2);
        QCOMPARE(h.dialogs.shown.size(), 0);
    }

    // A run that fails is reported and gives the controls back, leaving no
    // half-written file; a count that is no number makes nothing at all.
    void failures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("howMany");
        QTest::addColumn<QString>("target"); // direct-save file beside "plain.txt" and "folder/"; "" for off
        QTest::addColumn<QString>("message"); // "<target>" stands for its full path
        const QString overflow = u"Error Number: 6\r\nError Description: Overflow"_qs, notFound = u"Error Number: 76\r\nError Description: Path not found"_qs;
        QTest::newRow("-5") << "generate" << "-5" << "" << "Error Number: 9\r\nError Description: Subscript out of range";
        QTest::newRow("beyond 32 bits") << "generate" << "99999999999" << "" << overflow;
        QTest::newRow("1e400") << "generate" << "1e400" << "" << overflow;
        QTest::newRow("no number") << "generate" << "none" << "" << "";
        QTest::newRow("missing folder") << "generate" << "5" << "no/such/words.txt" << notFound;
        QTest::newRow("folder is a file") << "generate" << "5" << "plain.txt/words.txt" << notFound;
        QTest::newRow("target is a folder") << "generate" << "5" << "folder" << "Error Number: 75\r\nError Description: Path/File access error";
        for (const char *kind : {"pattern", "rules"}) {
            QTest::addRow("%s, count too large", kind) << kind << "40000" << "" << "The words could not be generated: Overflow.";
            QTest::addRow("%s, count negative", kind) << kind << "-3" << "" << "The words could not be generated: Subscript out of range.";
            QTest::addRow("%s, folder missing", kind) << kind << "5" << "no/such/words.txt" << "The words could not be saved to \"<target>\": Path not found.";
        }
    }
    void failures()
    {
        QFETCH(QString, command);
        QFETCH(QString, howMany);
        QFETCH(QString, target);
        QFETCH(QString, message);
        MainWindowHarness h({{"Options/HowMany", "5"}});
        QVERIFY(QDir(h.dir.path()).mkdir(u"folder"_qs));
        writeBytes(h.dir.filePath(u"plain.txt"_qs), "");
        const QString path = h.dir.filePath(target);
        h.store(u"Options/DirectSaveFile"_qs, path);
        frmMain &w = h.open();
        h.typeAndEnter(u"Marion"_qs);
        const QStringList before = h.listed();
        QCOMPARE(before.size(), 5);
        h.store(u"Options/HowMany"_qs, howMany);
        w.mnuDirectSave->setChecked(!target.isEmpty());
        h.dialogs.openAnswers = {dataFile(command == u"pattern" ? "elvish.vnk" : "example.nam")};
        if (command == u"generate")
            h.typeAndEnter(u"Ida"_qs);
        else
            (command == u"pattern" ? w.mnuVarnock : w.mnuOpen)->trigger();
        QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{QString(message).replace(u"<target>"_qs, path)});
        if (!message.isEmpty()) {
            QCOMPARE(h.dialogs.shown.last().title, command == u"generate" ? u"Error Occured"_qs : u"Varnock"_qs);
            QCOMPARE(h.dialogs.shown.last().icon, Dialogs::Icon::Critical);
        }
        if (command != u"generate")
            QCOMPARE(w.lblStatus->text(), u"Ready."_qs);
        QCOMPARE(h.listed(), message.isEmpty() ? before : QStringList());
        QCOMPARE(h.disabled(), QStringList());
        // A count the run cannot take fails with the progress box showing, and it stays after the error box.
        QCOMPARE(w.picProgBar->isVisible(), command == u"generate" && !message.isEmpty() && target.isEmpty());
        QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"Varnock.conf", "folder", "plain.txt"}));
        QCOMPARE(fileBytes(h.dir.filePath(u"plain.txt"_qs)), QByteArray());
        // Moving the focus (not its coming back) hides the box.
        w.txtNames->setFocus();
        w.picProgBar->show();
        w.txtFilter->setFocus();
        QTRY_VERIFY(w.picProgBar->isHidden());
        QCOMPARE(w.picProgBar->backColor(), QColor(Qt::white));
    }

    // Ctrl+W (pattern) and Ctrl+O (rules) with a scripted open dialog; the
    // run makes two words, sorted and unique.
    void fileCommands_data()
    {
        QTest::addColumn<bool>("pattern");
        QTest::addColumn<QString>("file"); // "" cancels the open dialog
        QTest::addColumn<Draws>("draws");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("words");
        const QString badPattern = u"This file is not a valid Varnock file."_qs, badRules = u"This file is not a valid rules file."_qs;
        const QStringList kept{"Kept", "Words"};
        QTest::newRow("pattern cancelled") << true << QString() << Draws{} << QString() << kept;
        QTest::newRow("rules cancelled") << false << QString() << Draws{} << QString() << kept;
        QTest::newRow("pattern without next") << true << dataFile("no_next.vnk") << Draws{} << badPattern << QStringList();
        QTest::newRow("pattern folder") << true << QStringLiteral(VARNOCK_TEST_DATA) << Draws{} << badPattern << QStringList();
        QTest::newRow("rules cut in middle") << false << dataFile("ends_in_middle.nam") << Draws{} << badRules << QStringList();
        QTest::newRow("rules missing") << false << dataFile("absent.nam") << Draws{} << badRules << QStringList();
        QTest::newRow("pattern") << true << dataFile("elvish.vnk")
                                 << Draws{P(2, 3), P(1, 2), P(0, 1), P(1, 2), P(0, 3), P(0, 2), P(0, 2), P(0, 2)}
                                 << QString() << QStringList{"Aeandor", "Gilithwen"};
        QTest::newRow("pattern, sections empty") << true << dataFile("empty_sections.vnk") << Draws{} << QString() << QStringList();
        QTest::newRow("rules, one ending") << false << dataFile("single_end.nam") << Draws{0.9f, 0.9f, 0.99f, 0.1f, 0.1f, 0.1f}
                                           << QString() << QStringList{"Karador"};
        QTest::newRow("rules cut in end") << false << dataFile("ends_in_end.nam") << Draws{0.f, 0.f, 0.9f, 0.f, 0.f, 0.f}
                                          << badRules << QStringList{"Karador", "Karawen"};
        QTest::newRow("rules without ending") << false << dataFile("empty_end.nam") << Draws{} << QString() << QStringList();
    }
    void fileCommands()
    {
        QFETCH(bool, pattern);
        QFETCH(QString, file);
        QFETCH(Draws, draws);
        QFETCH(QString, message);
        QFETCH(QStringList, words);
        ScriptedRandom random(draws);
        MainWindowHarness h({{"Options/HowMany", "2"}});
        frmMain &w = h.open(&random);
        w.namesModel->setStringList({"Kept", "Words"});
        bool disabledDuringBox = false;
        h.dialogs.onMessage = [&] { disabledDuringBox = !w.txtFilter->isEnabled(); };
        h.dialogs.openAnswers = {file, QString()};
        CaptionWatcher watcher(w);
        QTest::keyClick(&w, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier);
        const ScriptedDialogs::Shown &open = h.dialogs.shown.first();
        QCOMPARE(open.kind + u'|' + open.title, u"open|Open rules file"_qs);
        QCOMPARE(open.defaultText, (pattern ? u"vnk|%1|Varnock files=*.vnk|All Files=*.*"_qs : u"nam|%1|Name Files=*.nam;*.txt|All Files=*.*"_qs)
                                       .arg(QCoreApplication::applicationDirPath()));
        QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QVERIFY(h.dialogs.shown.last().title == u"Varnock" && h.dialogs.shown.last().icon == Dialogs::Icon::Critical && disabledDuringBox);
        QCOMPARE(h.listed(), words);
        QCOMPARE(random.remaining(), 0u);
        QCOMPARE(h.disabled(), QStringList());
        QVERIFY(w.picProgBar->isHidden());
        if (!draws.empty())
            QCOMPARE(watcher.captions, QStringList{pattern ? u"Generating words..."_qs : u"Sorting words..."_qs});
        QCOMPARE(w.patternSections().maxCount(), 0); // entries are read afresh on every use
        QTest::keyClick(&w, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier); // asked anew
        QCOMPARE(h.dialogs.shown.last().kind, u"open"_qs);
    }

    void progressAndControlsDuringRun()
    {
        for (const auto &[count, drawings] : {std::pair{1, 1}, {50, 50}, {200, 100}}) {
            MainWindowHarness h({{"Options/HowMany", QString::number(count)}, {"Options/Sort", "False"}});
            BarWatcher watcher(h.open().picProgBar);
            h.typeAndEnter(u"Ida"_qs);
            QCOMPARE(watcher.widths.size(), drawings);
            QCOMPARE(watcher.widths.last(), watcher.box->width()); // the last drawing was the full bar
            QCOMPARE(h.listed().size(), count);
        }
        MainWindowHarness h({{"Options/HowMany", "20"}, {"Options/FastMode", "False"}});
        frmMain &w = h.open();
        QStringList during;
        QString status;
        QTimer::singleShot(0, &w, [&] {
            during = h.disabled();
            status = w.lblStatus->text();
            QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier); // must not change a flag mid-run
        });
        h.typeAndEnter(u"Marion"_qs);
        QCOMPARE(during, (QStringList{"mnuFile", "mnuOptions", "mnuHelp", "txtFilter", "cmdGo", "txtNames", "cmdSelAll",
                                      "cmdSelNone", "mnuGenerate", "mnuVarnock", "mnuOpen", "mnuFast", "mnuNoOfWords", "mnuAbout"}));
        QCOMPARE(status, u"Sorting words..."_qs);
        QVERIFY(!w.mnuFast->isChecked() && h.stored(u"Options/FastMode"_qs) == u"False");
        // Items keep their own enabled state through the run.
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        h.typeAndEnter(u"Ida"_qs);
        QVERIFY(!w.mnuKillDupes->isEnabled() && w.mnuSort->isEnabled());
    }

    // What a run hands over, in the list or (direct save) in the file.
    void orderings_data()
    {
        QTest::addColumn<QString>("options"); // Sort, KillDupes, FastMode, DirectSave as 1/0
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        const QStringList generated{"Ela", "Abo", "Ela", "Cid", "abo", "Abo", "Ela"};
        const QStringList sorted{"Abo", "Abo", "Cid", "Ela", "Ela", "Ela", "abo"}, unique{"Abo", "Cid", "Ela", "abo"};
        for (const char *fast : {"1", "0"}) {
            QTest::addRow("sort, erase, fast %s", fast) << u"11"_qs + fast + u'0' << generated << unique;
            QTest::addRow("sort only, fast %s", fast) << u"10"_qs + fast + u'0' << generated << sorted;
            QTest::addRow("erase without sort, fast %s", fast) << u"01"_qs + fast + u'0' << generated << generated;
            QTest::addRow("direct save, fast %s", fast) << u"11"_qs + fast + u'1' << generated << unique;
        }
        QTest::newRow("direct save, no words") << "1111" << QStringList() << QStringList();
        QTest::newRow("direct save, UTF-8") << "1111" << QStringList{u"\u00c4r\u00f6"_qs} << QStringList{u"\u00c4r\u00f6"_qs};
    }
    void orderings()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        const auto flag = [&](int i) { return options[i] == u'1' ? u"True"_qs : u"False"_qs; };
        MainWindowHarness h({{"Options/Sort", flag(0)}, {"Options/KillDupes", flag(1)}, {"Options/FastMode", flag(2)},
                             {"Options/DirectSave", flag(3)}});
        const QString path = h.dir.filePath(u"words.txt"_qs);
        const QByteArray earlier = "earlier content that is longer than the new one\r\n";
        writeBytes(path, earlier);
        h.store(u"Options/DirectSaveFile"_qs, path);
        frmMain &w = h.open();
        QStringList statuses;
        bool listShownWhileFilling = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] {
            if (statuses.isEmpty() || statuses.last() != w.lblStatus->text())
                statuses << w.lblStatus->text();
            listShownWhileFilling |= statuses.last() == u"Populating..." && w.txtNames->isVisible();
        });
        watch.start(0);
        w.EnableControls(false);
        w.words() = QStringList{QString()} + words;
        w.PopulateList();
        watch.stop();
        QStringList steps{"Varnock ready."};
        if (options[0] == u'1')
            steps << "Sorting words...";
        if (options.startsWith(u"11"))
            steps << "Erasing Duplicates...";
        if (options[3] == u'0')
            steps << "Populating...";
        QCOMPARE(statuses, steps);
        QVERIFY(!listShownWhileFilling && w.txtNames->isVisible());
        const bool direct = options[3] == u'1';
        QCOMPARE(fileBytes(path), direct ? (expected.join(u"\r\n"_qs) + (expected.isEmpty() ? u""_qs : u"\r\n"_qs)).toUtf8() : earlier);
        QCOMPARE(h.listed(), direct ? QStringList() : expected);
        QCOMPARE(w.lblStatus->text(), u"Ready."_qs);
        QCOMPARE(h.disabled(), QStringList());
    }

    void saveSelectedEntries_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QList<int>>("bars"); // bar widths drawn, in pixels of a 191-pixel box
        const QStringList five{"Alpha", "Brakmon", "Cel", "Dorwen", "Elf"};
        QTest::newRow("second and fourth") << five << QList<int>{1, 3} << false << QByteArray("Brakmon\r\nDorwen\r\n") << QList<int>{0, 38, 76, 115, 153, 191};
        QTest::newRow("none selected empties the file") << five << QList<int>{} << false << QByteArray() << QList<int>{0, 38, 76, 115, 153, 191};
        QTest::newRow("empty list") << QStringList{} << QList<int>{} << false << QByteArray() << QList<int>{0};
        QTest::newRow("UTF-8, halves") << QStringList{u"\u00c9la"_qs, "Zed"} << QList<int>{0, 1} << false << QByteArray("\xc3\x89la\r\nZed\r\n") << QList<int>{0, 96, 191};
        QTest::newRow("cancelled") << five << QList<int>{1} << true << QByteArray("earlier content\r\n") << QList<int>{};
    }
    void saveSelectedEntries()
    {
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, selected);
        QFETCH(bool, cancel);
        QFETCH(QByteArray, expected);
        QFETCH(QList<int>, bars);
        MainWindowHarness h({{"Window/WindowState", "0"}});
        frmMain &w = h.open();
        w.resize(193, w.menuBar()->height() + 242);
        QTRY_COMPARE(w.picProgBar->width(), 191);
        w.namesModel->setStringList(entries);
        for (int row : selected)
            w.txtNames->selectionModel()->select(w.namesModel->index(row), QItemSelectionModel::Select);
        w.lblStatus->setText(u"Before"_qs);
        const QString path = h.dir.filePath(u"saved.txt"_qs);
        writeBytes(path, "earlier content\r\n");
        h.dialogs.inputAnswers = {cancel ? QString() : path};
        BarWatcher watcher(w.picProgBar);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        const ScriptedDialogs::Shown &box = h.dialogs.shown.first();
        QCOMPARE(box.kind + u'|' + box.title + u'|' + box.text, u"input|Save Words|Enter the path of the file you want to save your words to:"_qs);
        QVERIFY2(QRegularExpression(u"/[A-Z][a-z]{6}\\.txt$"_qs).match(box.defaultText).hasMatch(), qPrintable(box.defaultText)); // a word of "ccvccvc"
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), (QStringList{"Varnock.conf", "saved.txt"}));
        QCOMPARE(w.lblStatus->text(), cancel ? u"Before"_qs : u"Ready."_qs);
        QVERIFY(w.picProgBar->isHidden());
        QCOMPARE(h.listed(), entries);
        QCOMPARE(watcher.widths, bars);
    }

    void saveFailureKeepsEarlierFile()
    {
        MainWindowHarness h;
        frmMain &w = h.open(nullptr, false);
        w.namesModel->setStringList(names(2000));
        w.cmdSelAll_Click();
        const QString earlier = h.dir.filePath(u"earlier.txt"_qs), missing = h.dir.filePath(u"absent/words.txt"_qs);
        writeBytes(earlier, "keep me\r\n");
        h.dialogs.inputAnswers = {missing, earlier};
        w.mnuSave->trigger();
        // A write that fails part-way (the file-size limit stands in for a full disk).
        struct rlimit old {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        w.mnuSave->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        const QStringList messages = h.dialogs.messages();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0], u"The words could not be saved to \"%1\": Path not found."_qs.arg(missing));
        QVERIFY2(messages[1].startsWith(u"The words could not be saved to \"%1\": "_qs.arg(earlier)), qPrintable(messages[1]));
        QCOMPARE(h.dialogs.shown.last().title, u"Varnock"_qs);
        QCOMPARE(fileBytes(earlier), QByteArray("keep me\r\n"));
        QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"earlier.txt"});
        QVERIFY(w.picProgBar->isHidden());
        QCOMPARE(selectedRows(w).size(), 2000);
    }

    void directSaveToggle()
    {
        MainWindowHarness h({{"Options/DirectSaveFile", "/old/place.txt"}});
        frmMain &w = h.open();
        const auto state = [&] {
            return QStringList{h.stored(u"Options/DirectSave"_qs), h.stored(u"Options/DirectSaveFile"_qs), w.mnuDirectSave->data().toString(),
                               QString::number(w.mnuDirectSave->isChecked()), QString::number(w.mnuCopy->isEnabled()),
                               QString::number(w.mnuSave->isEnabled())};
        };
        // On, from a maximised window: it leaves that state for 1000 twips high.
        const QString chosen = h.dir.filePath(u"direct.txt"_qs);
        h.dialogs.inputAnswers = {chosen, QString()};
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown[0].title + u'|' + h.dialogs.shown[0].text, u"Direct Save|Enter the path of the file you want to save your words to:"_qs);
        QVERIFY2(QRegularExpression(u"/[A-Z][a-z]{3,}\\.txt$"_qs).match(h.dialogs.shown[0].defaultText).hasMatch(), qPrintable(h.dialogs.shown[0].defaultText));
        QCOMPARE(state(), (QStringList{"True", chosen, chosen, "1", "0", "0"}));
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QTRY_COMPARE(w.frameGeometry().height(), 67);
        // Off: no question, the path stays stored, 4545 twips high.
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(state(), (QStringList{"False", chosen, chosen, "0", "1", "1"}));
        QTRY_COMPARE(w.frameGeometry().height(), 303);
        // On again but cancelled: nothing changes.
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.size(), 2);
        QCOMPARE(state(), (QStringList{"False", chosen, chosen, "0", "1", "1"}));
        QCOMPARE(w.frameGeometry().height(), 303);
    }

    void clipboardSelectionAndPanel()
    {
        MainWindowHarness h({{"List/0", "kaelor"}, {"List/1", "brim"}});
        frmMain &w = h.open();
        w.namesModel->setStringList({"Ael", "Brin", "Cor", "Dun", "Eth"});
        QClipboard *clipboard = QGuiApplication::clipboard();
        for (int row : {1, 3})
            QTest::mouseClick(w.txtNames->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              w.txtNames->visualRect(w.namesModel->index(row)).center());
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), u"Brin\r\nDun\r\n"_qs);
        // The list has the focus: the panel shows in the window's colour.
        QVERIFY(w.picProgBar->isVisible() && w.cmdSelAll->isVisible() && w.cmdSelNone->isVisible());
        QCOMPARE(w.picProgBar->backColor(), w.palette().color(QPalette::Active, QPalette::Window));
        QTest::mouseClick(w.cmdSelAll, Qt::LeftButton);
        QCOMPARE(selectedRows(w).size(), 5);
        QCOMPARE(w.txtNames->currentIndex().row(), 0);
        w.txtNames->setCurrentIndex(w.namesModel->index(4));
        QTest::mouseClick(w.cmdSelNone, Qt::LeftButton);
        QCOMPARE(selectedRows(w), QStringList());
        QCOMPARE(w.txtNames->currentIndex().row(), 0);
        QVERIFY(w.txtNames->isVisible());
        w.mnuCopy->trigger();
        QCOMPARE(clipboard->text(), QString());
        // Rnd takes the focus: the white status box is back, the panel gone.
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QTRY_VERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden());
        QCOMPARE(w.picProgBar->backColor(), QColor(Qt::white));
        w.namesModel->setStringList({});
        w.cmdSelAll_Click();
        QVERIFY(!w.txtNames->currentIndex().isValid());
        // Ctrl+L clears the history, stored and shown.
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(h.history(), QStringList());
        QCOMPARE(h.storedKeys(), QStringList());
    }
};

int runWords(int argc, char **argv)
{
    TestWords test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_words.moc"
