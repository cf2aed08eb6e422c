// The commands that make words in the real main window (a typed sample, Rnd,
// a pattern file, a rules file) and what becomes of them: the list, the
// direct-save file, saving, copying and selecting.
#include "sources/PatternFile.h"
#include "support/MainWindowHarness.h"
#include "support/ScriptedRandom.h"

using Draws = std::vector<float>;
using Stored = QMap<QString, QString>;
Q_DECLARE_METATYPE(Draws)

namespace {
const auto P = ScriptedRandom::pick;
qsizetype selectedRows(const frmMain &w) { return w.txtNames->selectionModel()->selectedRows().size(); }
QStringList files(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name); }
} // namespace

class TestWords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One scripted word per sample: the tables, pairs and case the options choose.
    void scriptedWord()
    {
        // c v c (vv) c: b, a, k, the pair "ai" (coin 0.75), n.
        const Draws bakain{P(0, 21), P(0, 5), P(7, 21), 0.75f, P(0, 21), P(10, 21)};
        const std::tuple<Stored, QString, Draws, QString> cases[] = {
            {{{"RealityMode", "False"}}, u"MARION"_qs, bakain, u"Bakain"_qs},
            {{{"RealityMode", "False"}, {"Case", "True"}}, u"mArIoN"_qs, bakain, u"bAkAiN"_qs},
            {{{"RealityMode", "False"}, {"UseDiphthongi", "False"}}, u"Marion"_qs, // two single vowels after the coin
             {P(0, 21), P(0, 5), P(7, 21), 0.75f, P(4, 5), P(1, 5), P(10, 21)}, u"Bakuen"_qs},
            {{}, u"Ida"_qs, {0.f, 0.f, 0.f}, u"Eze"_qs}}; // the reality tables
        for (const auto &[options, sample, draws, word] : cases) {
            MainWindowHarness h({{"Options/HowMany", "1"}});
            for (auto it = options.begin(); it != options.end(); ++it)
                h.store(u"Options/"_qs + it.key(), it.value());
            ScriptedRandom random(draws);
            frmMain &w = h.open(&random);
            QCOMPARE(random.reseeds(), 1); // seeded from the clock at start
            w.txtFilter->setFocus();
            h.typeAndEnter(sample);
            QCOMPARE(h.listed() + h.history() + h.disabled() << w.lblStatus->text(), (QStringList{word, sample, u"Ready."_qs}));
            QCOMPARE(random.remaining(), std::size_t(0));
            QVERIFY(w.picProgBar->isHidden() && w.txtFilter->hasFocus() && w.txtNames->currentIndex().row() == 0);
            QCOMPARE(w.txtFilter->lineEdit()->selectedText(), sample); // ready to be typed over
        }
    }

    // Rnd draws each sample afresh from a reseeded source, with no run; Enter
    // in an empty box runs one; each text joins the history once, case-sensitively.
    void rndAndHistory()
    {
        ScriptedRandom random{0.35f, 0.1f, 0.1f, 0.1f, 0.1f, 0.9f, 0.9f, 0.1f, 0.0f, 0.9f, 0.1f, 0.9f, 0.1f};
        MainWindowHarness r;
        frmMain &w = r.open(&random);
        for (const QString &sample : {u"aacca"_qs, u"caca"_qs}) {
            QTest::mouseClick(w.cmdGo, Qt::LeftButton);
            QCOMPARE(w.txtFilter->currentText(), sample);
        }
        QVERIFY(random.reseeds() == 3 && r.history().isEmpty());
        MainWindowHarness h({{"Options/HowMany", "3"}});
        h.open();
        h.typeAndEnter(QString());
        QVERIFY2(QRegularExpression(u"^[ac]{4,13}$"_qs).match(h.window->txtFilter->currentText()).hasMatch(), qPrintable(h.window->txtFilter->currentText()));
        for (const QString &text : {u"Marion"_qs, u"marion"_qs, u"Marion"_qs, u"Ma"_qs})
            h.typeAndEnter(text);
        QCOMPARE(h.history(), (QStringList{"", "Marion", "marion", "Ma"}));
        QVERIFY(h.listed().size() == 3 && h.listed().first().size() == 2 && h.dialogs.shown.isEmpty());
    }

    // A run that fails is reported and gives the controls back, leaving no
    // half-written file; a count that is no number makes nothing at all.
    void failures()
    {
        const char *error = "Error Number: %1\r\nError Description: %2";
        for (const auto &[run, message] : {std::pair{"generate|-5|", u"%1"_qs.arg(error).arg(9).arg(u"Subscript out of range"_qs)},
                                           {"generate|1e400|", u"%1"_qs.arg(error).arg(6).arg(u"Overflow"_qs)}, {"generate|none|", QString()},
                                           {"generate|5|plain.txt/words.txt", u"%1"_qs.arg(error).arg(76).arg(u"Path not found"_qs)},
                                           {"generate|5|folder", u"%1"_qs.arg(error).arg(75).arg(u"Path/File access error"_qs)},
                                           {"pattern|40000|", u"The words could not be generated: Overflow."_qs},
                                           {"rules|-3|", u"The words could not be generated: Subscript out of range."_qs},
                                           {"pattern|5|no/words.txt", u"The words could not be saved to \"<target>\": Path not found."_qs},
                                           {"rules|5|no/words.txt", u"The words could not be saved to \"<target>\": Path not found."_qs}}) {
            // command|count|direct-save target beside "plain.txt" and "folder/" ("" for off); "<target>" is its full path
            const QStringList r = QString::fromLatin1(run).split(u'|');
            MainWindowHarness h({{"Options/HowMany", "5"}});
            QVERIFY(QDir(h.dir.path()).mkdir(u"folder"_qs));
            writeBytes(h.dir.filePath(u"plain.txt"_qs), "");
            h.store(u"Options/DirectSaveFile"_qs, h.dir.filePath(r[2]));
            frmMain &w = h.open();
            h.typeAndEnter(u"Marion"_qs);
            const QStringList before = h.listed();
            h.store(u"Options/HowMany"_qs, r[1]);
            w.mnuDirectSave->setChecked(!r[2].isEmpty());
            h.dialogs.openAnswers = {dataFile(r[0] == u"pattern" ? "elvish.vnk" : "example.nam")};
            if (r[0] == u"generate")
                h.typeAndEnter(u"Ida"_qs);
            else
                (r[0] == u"pattern" ? w.mnuVarnock : w.mnuOpen)->trigger();
            QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{QString(message).replace(u"<target>"_qs, h.dir.filePath(r[2]))});
            if (!message.isEmpty())
                QVERIFY(h.dialogs.shown.last().title == (r[0] == u"generate" ? u"Error Occured"_qs : u"Varnock"_qs)
                        && h.dialogs.shown.last().icon == Dialogs::Icon::Critical);
            QVERIFY(r[0] == u"generate" || w.lblStatus->text() == u"Ready.");
            QCOMPARE(h.listed() + h.disabled(), message.isEmpty() ? before : QStringList());
            // A count the run cannot take fails with the progress box showing, and it stays after the error box.
            QCOMPARE(w.picProgBar->isVisible(), r[0] == u"generate" && !message.isEmpty() && r[2].isEmpty());
            QCOMPARE(files(h.dir.path()) << fileBytes(h.dir.filePath(u"plain.txt"_qs)), (QStringList{"Varnock.conf", "folder", "plain.txt", ""}));
        }
    }

    // Ctrl+W (pattern) and Ctrl+O (rules) with a scripted open dialog; two words, sorted and unique.
    void fileCommands()
    {
        const QString badPattern = u"This file is not a valid Varnock file."_qs, badRules = u"This file is not a valid rules file."_qs;
        const std::tuple<QString, Draws, QString, QStringList> cases[] = {
            {{}, {}, {}, {"Kept", "Words"}}, // cancelled
            {dataFile("no_next.vnk"), {}, badPattern, {}}, {dataFile("absent.nam"), {}, badRules, {}},
            {dataFile("elvish.vnk"), {P(2, 3), P(1, 2), P(0, 1), P(1, 2), P(0, 3), P(0, 2), P(0, 2), P(0, 2)}, {}, {"Aeandor", "Gilithwen"}},
            {dataFile("empty_sections.vnk"), {}, {}, {}}, {dataFile("empty_end.nam"), {}, {}, {}},
            {dataFile("ends_in_end.nam"), {0.f, 0.f, 0.9f, 0.f, 0.f, 0.f}, badRules, {"Karador", "Karawen"}}}; // reported, then the endings read
        for (const auto &[file, draws, message, words] : cases) {
            const bool pattern = !file.endsWith(u".nam");
            ScriptedRandom random(draws);
            MainWindowHarness h({{"Options/HowMany", "2"}});
            frmMain &w = h.open(&random);
            w.namesModel->setStringList({"Kept", "Words"});
            bool disabledDuringBox = false;
            h.dialogs.onMessage = [&] { disabledDuringBox = !w.txtFilter->isEnabled(); };
            h.dialogs.openAnswers = {file, QString()};
            BarWatcher watcher(w);
            QTest::keyClick(&w, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(h.dialogs.shown.first().title, u"Open rules file"_qs);
            QCOMPARE(h.dialogs.shown.first().defaultText, (pattern ? u"vnk|%1|Varnock files=*.vnk|All Files=*.*"_qs : u"nam|%1|Name Files=*.nam;*.txt|All Files=*.*"_qs)
                                                              .arg(QCoreApplication::applicationDirPath()));
            QCOMPARE(h.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
            QVERIFY(message.isEmpty() || (h.dialogs.shown.last().title == u"Varnock" && h.dialogs.shown.last().icon == Dialogs::Icon::Critical && disabledDuringBox));
            QCOMPARE(h.listed() + h.disabled(), words);
            QVERIFY(random.remaining() == 0 && w.picProgBar->isHidden());
            QCOMPARE(watcher.captions, draws.empty() ? QStringList() : QStringList{pattern ? u"Generating words..."_qs : u"Sorting words..."_qs});
            QCOMPARE(w.patternSections().maxCount(), 0); // entries are read afresh on every use
            QTest::keyClick(&w, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier); // asked anew
            QCOMPARE(h.dialogs.shown.last().kind, u"open"_qs);
        }
    }

    void progressAndControlsDuringRun()
    {
        for (const auto &[count, drawings] : {std::pair{50, 50}, {200, 100}}) {
            MainWindowHarness h({{"Options/HowMany", QString::number(count)}, {"Options/Sort", "False"}});
            BarWatcher watcher(h.open());
            h.typeAndEnter(u"Ida"_qs);
            QCOMPARE((QList<qsizetype>{watcher.widths.size(), watcher.widths.last(), h.listed().size()}),
                     (QList<qsizetype>{drawings, watcher.box->width(), count})); // the last drawing is the full bar
        }
        MainWindowHarness h({{"Options/HowMany", "20"}, {"Options/FastMode", "False"}});
        frmMain &w = h.open();
        QStringList during;
        QTimer::singleShot(0, &w, [&] {
            during = h.disabled() << w.lblStatus->text();
            QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier); // must not change a flag mid-run
        });
        h.typeAndEnter(u"Marion"_qs);
        QCOMPARE(during, (QStringList{"mnuFile", "mnuOptions", "mnuHelp", "txtFilter", "cmdGo", "txtNames", "cmdSelAll", "cmdSelNone",
                                      "mnuGenerate", "mnuVarnock", "mnuOpen", "mnuFast", "mnuNoOfWords", "mnuAbout", "Sorting words..."}));
        QVERIFY(!w.mnuFast->isChecked() && h.stored(u"Options/FastMode"_qs) == u"False");
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        h.typeAndEnter(u"Ida"_qs);
        QVERIFY(!w.mnuKillDupes->isEnabled() && w.mnuSort->isEnabled()); // items keep their own state through a run
    }

    // What a run hands over, in the list or (direct save) in the file; the statuses on the way.
    void orderings()
    {
        const QStringList generated{"Ela", "Abo", "Ela", "Cid", "abo", "Abo", "Ela"}, unique{"Abo", "Cid", "Ela", "abo"};
        const std::tuple<const char *, QStringList, QStringList, QStringList> cases[] = { // Sort, KillDupes, FastMode, DirectSave
            {"1110", generated, unique, {"Sorting words...", "Erasing Duplicates...", "Populating..."}},
            {"1000", generated, {"Abo", "Abo", "Cid", "Ela", "Ela", "Ela", "abo"}, {"Sorting words...", "Populating..."}},
            {"0110", generated, generated, {"Populating..."}}, {"1101", generated, unique, {"Sorting words...", "Erasing Duplicates..."}},
            {"1111", {}, {}, {"Sorting words...", "Erasing Duplicates..."}}, {"0011", {u"\u00c4r\u00f6"_qs}, {u"\u00c4r\u00f6"_qs}, {}}};
        for (const auto &[options, words, expected, statuses] : cases) {
            const auto flag = [&](int i) { return options[i] == '1' ? u"True"_qs : u"False"_qs; };
            MainWindowHarness h({{"Options/Sort", flag(0)}, {"Options/KillDupes", flag(1)}, {"Options/FastMode", flag(2)}, {"Options/DirectSave", flag(3)}});
            const QString path = h.dir.filePath(u"words.txt"_qs);
            writeBytes(path, "earlier content that is longer than the new one\r\n");
            h.store(u"Options/DirectSaveFile"_qs, path);
            frmMain &w = h.open();
            QStringList seen;
            QTimer watch; // a status shown with the list visible while it fills is marked "!"
            QObject::connect(&watch, &QTimer::timeout, [&] {
                const QString now = w.lblStatus->text() + (w.lblStatus->text() == u"Populating..." && w.txtNames->isVisible() ? u"!"_qs : QString());
                if (now != u"Varnock ready." && !seen.contains(now))
                    seen << now;
            });
            watch.start(0);
            w.EnableControls(false);
            w.words() = QStringList{QString()} + words;
            w.PopulateList();
            QCOMPARE(seen, statuses);
            QVERIFY(w.txtNames->isVisible() && w.lblStatus->text() == u"Ready." && h.disabled().isEmpty());
            QCOMPARE(fileBytes(path), options[3] == '1' ? QString(expected.join(u"\r\n"_qs) + (expected.isEmpty() ? u""_qs : u"\r\n"_qs)).toUtf8()
                                                        : QByteArray("earlier content that is longer than the new one\r\n"));
            QCOMPARE(h.listed(), options[3] == '1' ? QStringList() : expected);
        }
    }

    // Ctrl+S writes the selected entries (a bar drawn per step in a 191-pixel box); a failure keeps the earlier file.
    void saveSelectedEntries()
    {
        const QStringList five{"Alpha", "Brakmon", "Cel", "Dorwen", "Elf"};
        const std::tuple<QStringList, QList<int>, const char *, QByteArray, QList<int>> cases[] = {
            {five, {1, 3}, "saved.txt", "Brakmon\r\nDorwen\r\n", {0, 38, 76, 115, 153, 191}},
            {five, {}, "saved.txt", "", {0, 38, 76, 115, 153, 191}}, {{}, {}, "saved.txt", "", {0}},
            {{u"\u00c9la"_qs, "Zed"}, {0, 1}, "saved.txt", "\xc3\x89la\r\nZed\r\n", {0, 96, 191}}, // halves round to even
            {five, {1}, "", "earlier\r\n", {}}, {five, {1}, "absent/words.txt", "earlier\r\n", {0}}};
        for (const auto &[entries, selected, target, expected, bars] : cases) {
            MainWindowHarness h({{"Window/WindowState", "0"}});
            frmMain &w = h.open();
            w.resize(193, w.menuBar()->height() + 242);
            QTRY_COMPARE(w.picProgBar->width(), 191);
            w.namesModel->setStringList(entries);
            for (int row : selected)
                w.txtNames->selectionModel()->select(w.namesModel->index(row), QItemSelectionModel::Select);
            w.lblStatus->setText(u"Before"_qs);
            writeBytes(h.dir.filePath(u"saved.txt"_qs), "earlier\r\n");
            h.dialogs.inputAnswers = {*target ? h.dir.filePath(QString::fromLatin1(target)) : QString()};
            BarWatcher watcher(w);
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            const ScriptedDialogs::Shown &box = h.dialogs.shown.first();
            QCOMPARE(box.title + u'|' + box.text, u"Save Words|Enter the path of the file you want to save your words to:"_qs);
            QVERIFY2(QRegularExpression(u"/[A-Z][a-z]{6}\\.txt$"_qs).match(box.defaultText).hasMatch(), qPrintable(box.defaultText)); // "ccvccvc"
            QCOMPARE(files(h.dir.path()) << fileBytes(h.dir.filePath(u"saved.txt"_qs)), (QStringList{"Varnock.conf", "saved.txt", expected}));
            QCOMPARE(h.dialogs.messages(), QString(target).startsWith(u"absent")
                         ? QStringList{u"The words could not be saved to \"%1\": Path not found."_qs.arg(h.dir.filePath(u"absent/words.txt"_qs))} : QStringList());
            QCOMPARE(w.lblStatus->text(), *target ? u"Ready."_qs : u"Before"_qs);
            QVERIFY(w.picProgBar->isHidden() && h.listed() == entries && selectedRows(w) == selected.size());
            QCOMPARE(watcher.widths, bars);
        }
    }

    void directSaveToggle()
    {
        MainWindowHarness h({{"Options/DirectSaveFile", "/old/place.txt"}});
        frmMain &w = h.open();
        const QString chosen = h.dir.filePath(u"direct.txt"_qs);
        const auto state = [&] {
            return QStringList{h.stored(u"Options/DirectSave"_qs), h.stored(u"Options/DirectSaveFile"_qs), w.mnuDirectSave->data().toString(),
                               QString::number(w.mnuDirectSave->isChecked() * 100 + w.mnuCopy->isEnabled() * 10 + w.mnuSave->isEnabled())};
        };
        // On, from a maximised window: it leaves that state for 1000 twips high; off: 4545 twips, the path kept.
        h.dialogs.inputAnswers = {chosen, QString()};
        for (const auto &[on, height] : {std::pair{true, 67}, {false, 303}, {false, 303} /* cancelled */}) {
            QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
            QCOMPARE(state(), (QStringList{on ? "True" : "False", chosen, chosen, on ? "100" : "11"}));
            QVERIFY(!(w.windowState() & Qt::WindowMaximized));
            QTRY_COMPARE(w.frameGeometry().height(), height);
        }
        QCOMPARE(h.dialogs.shown.size(), 2);
        QCOMPARE(h.dialogs.shown[0].title + u'|' + h.dialogs.shown[0].text, u"Direct Save|Enter the path of the file you want to save your words to:"_qs);
        QVERIFY2(QRegularExpression(u"/[A-Z][a-z]{3,}\\.txt$"_qs).match(h.dialogs.shown[0].defaultText).hasMatch(), qPrintable(h.dialogs.shown[0].defaultText));
    }

    void clipboardSelectionAndPanel()
    {
        MainWindowHarness h({{"List/0", "kaelor"}, {"List/1", "brim"}});
        frmMain &w = h.open();
        w.namesModel->setStringList({"Ael", "Brin", "Cor", "Dun", "Eth"});
        for (int row : {1, 3})
            QTest::mouseClick(w.txtNames->viewport(), Qt::LeftButton, Qt::ControlModifier, w.txtNames->visualRect(w.namesModel->index(row)).center());
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Brin\r\nDun\r\n"_qs);
        // The list has the focus: the panel shows in the window's colour.
        QVERIFY(w.picProgBar->isVisible() && w.cmdSelAll->isVisible() && w.cmdSelNone->isVisible());
        QCOMPARE(w.picProgBar->backColor(), w.palette().color(QPalette::Active, QPalette::Window));
        for (const auto &[button, rows] : {std::pair{w.cmdSelAll, 5}, {w.cmdSelNone, 0}}) {
            w.txtNames->setCurrentIndex(w.namesModel->index(4));
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(selectedRows(w) == rows && w.txtNames->currentIndex().row() == 0 && w.txtNames->isVisible());
        }
        w.mnuCopy->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        // Rnd takes the focus: the white status box is back, the panel gone.
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QTRY_VERIFY(w.picProgBar->isHidden() && w.cmdSelAll->isHidden() && w.cmdSelNone->isHidden());
        QCOMPARE(w.picProgBar->backColor(), QColor(Qt::white));
        w.namesModel->setStringList({});
        w.cmdSelAll_Click();
        QVERIFY(!w.txtNames->currentIndex().isValid());
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier); // clears the history, stored and shown
        QVERIFY(h.history().isEmpty() && h.storedKeys().isEmpty());
    }
};

int runWords(int argc, char **argv)
{
    TestWords test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_words.moc"
