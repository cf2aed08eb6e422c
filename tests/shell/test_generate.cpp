// The generation commands in the real main window: a typed sample (the
// filter box, its history, the Rnd button), a pattern file and a rules file.
#include "sources/PatternFile.h"
#include "support/ScriptedRandom.h"
#include "support/WindowChecks.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest/QtTest>

namespace {

const QString patternSentence = QStringLiteral("This file is not a valid Varnock file.");
const QString rulesSentence = QStringLiteral("This file is not a valid rules file.");

// Ctrl+W opens a pattern file, Ctrl+O a rules file.
void pressCommand(frmMain &window, bool pattern)
{
    QTest::keyClick(&window, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier);
}

} // namespace

class TestGenerate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedSampleAndHistory()
    {
        MainWindowHarness h;
        frmMain &w = showActive(h);
        w.txtFilter->setFocus();
        typeAndEnter(h, "Marion");
        const QStringList words = listed(h);
        QVERIFY2(words.size() > 100 && words.size() <= 500, qPrintable(QString::number(words.size())));
        static const QRegularExpression form(
            "^[BCDFGHJKLMNPQRSTVWXYZ][aeiou][bcdfghjklmnpqrstvwxyz][aeiouy]{2}[bcdfghjklmnpqrstvwxyz]$");
        for (int i = 0; i < words.size(); ++i) {
            QVERIFY2(form.match(words[i]).hasMatch(), qPrintable(words[i]));
            if (i > 0)
                QVERIFY2(words[i - 1] < words[i], qPrintable(words[i - 1] + " / " + words[i]));
        }
        QCOMPARE(w.lblStatus->text(), QStringLiteral("Ready."));
        QCOMPARE(disabledControls(h), QStringList());
        QVERIFY(w.picProgBar->isHidden());
        // The sample stays selected in the focused box, ready to be typed over.
        QVERIFY(w.txtFilter->hasFocus());
        QCOMPARE(w.txtFilter->lineEdit()->selectedText(), QStringLiteral("Marion"));

        // An empty box gets a random sample; the empty text joins the history.
        h.settings->save("Options", "HowMany", "3");
        typeAndEnter(h, QString());
        const QString sample = w.txtFilter->currentText();
        QVERIFY2(QRegularExpression("^[ac]{4,13}$").match(sample).hasMatch(), qPrintable(sample));
        QVERIFY(!sample.contains("aaa") && !sample.contains("ccc"));
        QVERIFY(!listed(h).isEmpty());
        for (const QString &word : listed(h))
            QCOMPARE(word.size(), sample.size());
        QTest::keyClick(w.txtFilter->lineEdit(), Qt::Key_Return);
        typeAndEnter(h, QString());
        QCOMPARE(history(h), (QStringList{"Marion", QString(), sample}));

        // Each text once, case-sensitively; a prefix of an entry is a sample of its own.
        for (const char *text : {"Marion", "marion", "Ida", "marion", "Ma"})
            typeAndEnter(h, text);
        QCOMPARE(history(h), (QStringList{"Marion", QString(), sample, "marion", "Ida", "Ma"}));
        QCOMPARE(listed(h).first().size(), 2);
        QCOMPARE(h.dialogs.shown.size(), 0);
    }

    // Scripted draws: the exact word of a typed sample, shaped by the Case
    // option, and the samples the Rnd button puts in the box.
    void scriptedDraws()
    {
        MainWindowHarness h({{"Options/HowMany", "1"}, {"Options/RealityMode", "False"}, {"Options/Case", "False"}});
        ScriptedRandom random;
        frmMain &w = h.openShown(&random);
        QCOMPARE(random.reseeds(), 1); // seeded from the clock at start
        for (const auto &[sample, expected] : {std::pair{"MARION", "Bakain"}, std::pair{"mArIoN", "bAkAiN"}}) {
            // One "cvcvvc" word with plain tables: b, a, k, pair "ai", n.
            random.push({ScriptedRandom::pick(0, 21), ScriptedRandom::pick(0, 5), ScriptedRandom::pick(7, 21), 0.75f,
                         ScriptedRandom::pick(0, 21), ScriptedRandom::pick(10, 21)});
            typeAndEnter(h, sample);
            QCOMPARE(listed(h), QStringList{expected});
            QCOMPARE(random.remaining(), std::size_t(0));
            w.mnuCase->trigger(); // the sample's case from now on
        }

        // Rnd: each sample drawn afresh from a reseeded source, with no run
        // and no history entry.
        random.push({0.35f, 0.1f, 0.1f, 0.1f, 0.1f, 0.9f, 0.9f, 0.1f, // aacca
                     0.0f, 0.9f, 0.1f, 0.9f, 0.1f});                     // caca
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QCOMPARE(w.txtFilter->currentText(), QStringLiteral("aacca"));
        QTest::mouseClick(w.cmdGo, Qt::LeftButton);
        QCOMPARE(w.txtFilter->currentText(), QStringLiteral("caca"));
        QCOMPARE(random.reseeds(), 3);
        QCOMPARE(random.remaining(), std::size_t(0));
        QCOMPARE(history(h), (QStringList{"MARION", "mArIoN"}));
        QCOMPARE(listed(h), QStringList{"bAkAiN"});
    }

    // A run that fails is reported and gives the controls back, leaving no
    // half-written file; a count that is no number makes nothing at all.
    void failuresGiveControlsBack_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("howMany");
        QTest::addColumn<QString>("target"); // direct-save file beside "plain.txt" and "folder/"; "" for off
        QTest::addColumn<QString>("message"); // "<target>" stands for its full path; "" for none
        const QString overflow = "Error Number: 6\r\nError Description: Overflow";
        const QString notFound = "Error Number: 76\r\nError Description: Path not found";
        QTest::newRow("-5") << "generate" << "-5" << "" << "Error Number: 9\r\nError Description: Subscript out of range";
        QTest::newRow("beyond 32 bits") << "generate" << "99999999999" << "" << overflow;
        QTest::newRow("huge exponent") << "generate" << "1e400" << "" << overflow;
        QTest::newRow("no number") << "generate" << "none" << "" << "";
        QTest::newRow("missing folder") << "generate" << "5" << "no/such/words.txt" << notFound;
        QTest::newRow("folder is a file") << "generate" << "5" << "plain.txt/words.txt" << notFound;
        QTest::newRow("target is a folder") << "generate" << "5" << "folder"
                                            << "Error Number: 75\r\nError Description: Path/File access error";
        for (const char *kind : {"pattern", "rules"}) {
            QTest::addRow("%s, count too large", kind)
                << kind << "40000" << "" << "The words could not be generated: Overflow.";
            QTest::addRow("%s, count negative", kind)
                << kind << "-3" << "" << "The words could not be generated: Subscript out of range.";
            QTest::addRow("%s, direct-save folder missing", kind)
                << kind << "5" << "no/such/words.txt" << "The words could not be saved to \"<target>\": Path not found.";
        }
    }
    void failuresGiveControlsBack()
    {
        QFETCH(QString, command);
        QFETCH(QString, howMany);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QTemporaryDir out;
        QVERIFY(QDir(out.path()).mkdir("folder"));
        writeBytes(out.filePath("plain.txt"), "");
        const QString path = out.filePath(target);
        MainWindowHarness h({{"Options/HowMany", "5"}, {"Options/DirectSaveFile", path}});
        frmMain &w = h.openShown();
        typeAndEnter(h, "Marion");
        const QStringList before = listed(h);
        QCOMPARE(before.size(), 5);
        h.settings->save("Options", "HowMany", howMany);
        w.mnuDirectSave->setChecked(!target.isEmpty());
        h.dialogs.openAnswers = {dataFile(command == u"pattern" ? "elvish.vnk" : "example.nam")};
        if (command == u"generate")
            typeAndEnter(h, "Ida");
        else
            (command == u"pattern" ? w.mnuVarnock : w.mnuOpen)->trigger();
        QCOMPARE(h.dialogs.messages(),
                 message.isEmpty() ? QStringList() : QStringList{QString(message).replace("<target>", path)});
        if (!message.isEmpty()) {
            QCOMPARE(h.dialogs.shown.last().title, command == u"generate" ? "Error Occured" : "Varnock");
            QCOMPARE(h.dialogs.shown.last().icon, Dialogs::Icon::Critical);
        }
        QCOMPARE(listed(h), message.isEmpty() ? before : QStringList());
        QCOMPARE(disabledControls(h), QStringList());
        // A count the run cannot take fails with the progress box showing,
        // and the box stays so after the error box.
        QCOMPARE(w.picProgBar->isVisible(), command == u"generate" && !message.isEmpty() && target.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"folder", "plain.txt"}));
        QCOMPARE(fileBytes(out.filePath("plain.txt")), QByteArray());

        // The window is usable again: a good count now generates.
        h.settings->save("Options", "HowMany", "5");
        w.mnuDirectSave->setChecked(false);
        typeAndEnter(h, "Ida");
        QCOMPARE(h.dialogs.messages().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(!listed(h).isEmpty());
        QCOMPARE(w.lblStatus->text(), QStringLiteral("Ready."));
        // Only the focus coming back is exempt: moving it still hides the box.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtNames->setFocus();
        w.picProgBar->show();
        w.txtFilter->setFocus();
        QTRY_VERIFY(w.picProgBar->isHidden());
    }

    void progressDrawnOncePerPercent()
    {
        for (const auto &[count, drawings] : {std::pair{1, 1}, std::pair{50, 50}, std::pair{200, 100}}) {
            MainWindowHarness h({{"Options/HowMany", QString::number(count)}, {"Options/Sort", "False"}});
            BarWatcher watcher(h.openShown().picProgBar);
            typeAndEnter(h, "Ida");
            QCOMPARE(watcher.widths.size(), drawings);
            QCOMPARE(watcher.widths.last(), watcher.box->width()); // the last drawing was the full bar
            QCOMPARE(listed(h).size(), count);
            QVERIFY(watcher.box->isHidden());
        }
    }

    void controlsTakenAwayDuringRun()
    {
        MainWindowHarness h({{"Options/HowMany", "20"}, {"Options/FastMode", "False"}});
        frmMain &w = showActive(h);
        QStringList during;
        QString status;
        bool boxShown = false;
        QTimer::singleShot(0, &w, [&] {
            during = disabledControls(h);
            status = w.lblStatus->text();
            // Option shortcuts must not change a flag in the middle of a run.
            QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        });
        // Fast mode is off, so the run yields after every word with the box up.
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] { boxShown |= !w.picProgBar->isHidden(); });
        watch.start(0);
        typeAndEnter(h, "Marion");
        watch.stop();
        QCOMPARE(during, (QStringList{"mnuFile", "mnuOptions", "mnuHelp", "txtFilter", "cmdGo", "txtNames",
                                      "cmdSelAll", "cmdSelNone", "mnuGenerate", "mnuVarnock", "mnuOpen", "mnuFast",
                                      "mnuNoOfWords", "mnuAbout"}));
        QCOMPARE(status, QStringLiteral("Sorting words..."));
        QVERIFY(boxShown);
        QVERIFY(!w.mnuFast->isChecked() && h.stored("Options", "FastMode") == u"False");
        QCOMPARE(disabledControls(h), QStringList());

        // Items keep their own enabled state through the run.
        QVERIFY(w.mnuKillDupes->isEnabled());
        w.mnuSort->trigger();
        QVERIFY(!w.mnuKillDupes->isEnabled());
        typeAndEnter(h, "Ida");
        QVERIFY(!w.mnuKillDupes->isEnabled());
        QVERIFY(w.mnuSort->isEnabled());
    }

    // Ctrl+W (pattern) and Ctrl+O (rules) with a scripted open dialog; the
    // run makes two words, sorted and unique.
    void fileCommands_data()
    {
        QTest::addColumn<bool>("pattern");
        QTest::addColumn<QString>("file"); // "" cancels the open dialog
        QTest::addColumn<std::vector<float>>("draws");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QStringList>("words");
        const QStringList kept{"Kept", "Words"};
        const auto p = ScriptedRandom::pick;
        QTest::newRow("pattern cancelled") << true << QString() << std::vector<float>{} << QString() << kept;
        QTest::newRow("rules cancelled") << false << QString() << std::vector<float>{} << QString() << kept;
        QTest::newRow("pattern without next") << true << dataFile("no_next.vnk") << std::vector<float>{} << patternSentence
                                              << QStringList();
        QTest::newRow("pattern folder") << true << QStringLiteral(VARNOCK_TEST_DATA) << std::vector<float>{}
                                        << patternSentence << QStringList();
        QTest::newRow("rules cut in middle") << false << dataFile("ends_in_middle.nam") << std::vector<float>{}
                                             << rulesSentence << QStringList();
        QTest::newRow("rules missing") << false << dataFile("absent.nam") << std::vector<float>{} << rulesSentence
                                       << QStringList();
        QTest::newRow("pattern") << true << dataFile("elvish.vnk")
                                 << std::vector<float>{p(2, 3), p(1, 2), p(0, 1), p(1, 2), p(0, 3), p(0, 2), p(0, 2),
                                                       p(0, 2)}
                                 << QString() << QStringList{"Aeandor", "Gilithwen"};
        QTest::newRow("pattern, sections all empty") << true << dataFile("empty_sections.vnk") << std::vector<float>{}
                                                     << QString() << QStringList();
        // A single ending makes words, each ending with it.
        QTest::newRow("rules, one ending") << false << dataFile("single_end.nam")
                                           << std::vector<float>{0.9f, 0.9f, 0.99f, 0.1f, 0.1f, 0.1f} << QString()
                                           << QStringList{"Karador"};
        // Cut short inside the end section: reported, then words from the endings read.
        QTest::newRow("rules cut in end") << false << dataFile("ends_in_end.nam")
                                          << std::vector<float>{0.f, 0.f, 0.9f, 0.f, 0.f, 0.f} << rulesSentence
                                          << QStringList{"Karador", "Karawen"};
        QTest::newRow("rules without ending") << false << dataFile("empty_end.nam") << std::vector<float>{}
                                              << QString() << QStringList();
    }
    void fileCommands()
    {
        QFETCH(bool, pattern);
        QFETCH(QString, file);
        QFETCH(std::vector<float>, draws);
        QFETCH(QString, sentence);
        QFETCH(QStringList, words);
        ScriptedRandom random;
        MainWindowHarness h({{"Options/HowMany", "2"}});
        frmMain &w = showActive(h, &random);
        for (float r : draws)
            random.push(r);
        w.namesModel->setStringList({"Kept", "Words"});
        bool disabledDuringBox = false;
        h.dialogs.onMessage = [&](const ScriptedDialogs::Shown &) { disabledDuringBox = !w.txtFilter->isEnabled(); };
        h.dialogs.openAnswers = {file};
        pressCommand(w, pattern);

        const ScriptedDialogs::Shown &open = h.dialogs.shown.first();
        QStringList shown{open.kind, open.title, open.defaultSuffix, open.startFolder};
        for (const auto &filter : open.filters)
            shown << filter.first + u'|' + filter.second;
        QCOMPARE(shown, (QStringList{"open", "Open rules file", pattern ? "vnk" : "nam",
                                     QCoreApplication::applicationDirPath(),
                                     pattern ? "Varnock files|*.vnk" : "Name Files|*.nam;*.txt", "All Files|*.*"}));
        QCOMPARE(h.dialogs.messages(), sentence.isEmpty() ? QStringList() : QStringList{sentence});
        if (!sentence.isEmpty()) {
            QCOMPARE(h.dialogs.shown.last().title, QString("Varnock"));
            QCOMPARE(h.dialogs.shown.last().icon, Dialogs::Icon::Critical);
            QVERIFY(disabledDuringBox);
        }
        QCOMPARE(listed(h), words);
        QCOMPARE(random.remaining(), 0u);
        QCOMPARE(disabledControls(h), QStringList());
        QVERIFY(w.picProgBar->isHidden());
        // Pattern entries are read afresh on every use, not kept.
        QCOMPARE(w.patternSections().maxCount(), 0);

        // Asked anew on the next use.
        h.dialogs.openAnswers = {QString()};
        pressCommand(w, pattern);
        QCOMPARE(h.dialogs.shown.last().kind, QString("open"));
    }
};

QTEST_MAIN(TestGenerate)
#include "test_generate.moc"
