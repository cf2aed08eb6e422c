// The pattern-file and rules-file commands in the real main window.
#include "engine/VarnockError.h"
#include "shell/ProgressBox.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedRandom.h"

#include <QApplication>
#include <QLabel>
#include <QtTest/QTest>

namespace {

QString data(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }

const QString patternSentence = QStringLiteral("This file is not a valid Varnock file.");
const QString rulesSentence = QStringLiteral("This file is not a valid rules file.");

// Ctrl+W opens a pattern file, Ctrl+O a rules file.
void pressCommand(frmMain &window, bool pattern)
{
    QTest::keyClick(&window, pattern ? Qt::Key_W : Qt::Key_O, Qt::ControlModifier);
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cancelLeavesListAlone_data();
    void cancelLeavesListAlone();
    void invalidFilesGiveControlsBack_data();
    void invalidFilesGiveControlsBack();
    void patternRunExactWords();
    void rulesRuns();
    void failuresDuringRunAreReported_data();
    void failuresDuringRunAreReported();
};

void TestFileCommands::cancelLeavesListAlone_data()
{
    QTest::addColumn<bool>("pattern");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("firstFilter");
    QTest::newRow("pattern") << true << "vnk" << "Varnock files|*.vnk";
    QTest::newRow("rules") << false << "nam" << "Name Files|*.nam;*.txt";
}

void TestFileCommands::cancelLeavesListAlone()
{
    QFETCH(bool, pattern);
    QFETCH(QString, suffix);
    QFETCH(QString, firstFilter);
    ScriptedRandom random;
    MainWindowFixture f(random);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.window->namesModel->setStringList({"Kept", "Words"});
    f.dialogs.openAnswers = {QString()};
    pressCommand(*f.window, pattern);

    QCOMPARE(f.dialogs.shown.size(), 1);
    const ScriptedDialogs::Shown &open = f.dialogs.shown.first();
    QCOMPARE(open.kind, QString("open"));
    QCOMPARE(open.title, QString("Open rules file"));
    QCOMPARE(open.defaultSuffix, suffix);
    QCOMPARE(open.startFolder, QCoreApplication::applicationDirPath());
    QCOMPARE(open.filters.size(), 2);
    QCOMPARE(open.filters[0].first + u'|' + open.filters[0].second, firstFilter);
    QCOMPARE(open.filters[1].first + u'|' + open.filters[1].second, QString("All Files|*.*"));
    QCOMPARE(f.listed(), (QStringList{"Kept", "Words"}));
    QVERIFY(f.controlsEnabled());
    QCOMPARE(random.draws(), 0u);
}

void TestFileCommands::invalidFilesGiveControlsBack_data()
{
    QTest::addColumn<bool>("pattern");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("pattern without next") << true << data("no_next.vnk") << patternSentence;
    QTest::newRow("pattern only comments") << true << data("only_comments.vnk") << patternSentence;
    QTest::newRow("pattern missing") << true << data("absent.vnk") << patternSentence;
    QTest::newRow("pattern folder") << true << QStringLiteral(VARNOCK_TEST_DATA) << patternSentence;
    QTest::newRow("rules without start") << false << data("no_start.nam") << rulesSentence;
    QTest::newRow("rules cut in middle") << false << data("ends_in_middle.nam") << rulesSentence;
    QTest::newRow("rules missing") << false << data("absent.nam") << rulesSentence;
    QTest::newRow("rules garbage") << false << data("garbage.bin") << rulesSentence;
}

void TestFileCommands::invalidFilesGiveControlsBack()
{
    QFETCH(bool, pattern);
    QFETCH(QString, file);
    QFETCH(QString, sentence);
    ScriptedRandom random;
    MainWindowFixture f(random);
    f.window->namesModel->setStringList({"Old"});
    bool disabledDuringBox = false;
    f.dialogs.onMessage = [&](const ScriptedDialogs::Shown &) { disabledDuringBox = !f.window->txtFilter->isEnabled(); };
    f.dialogs.openAnswers = {file};
    if (pattern)
        f.window->mnuVarnock->trigger();
    else
        f.window->mnuOpen->trigger();
    QCOMPARE(f.dialogs.messages(), QStringList{sentence});
    const ScriptedDialogs::Shown &box = f.dialogs.shown.last();
    QCOMPARE(box.title, QString("Varnock"));
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QVERIFY(disabledDuringBox);
    QVERIFY(f.listed().isEmpty());
    QVERIFY(f.controlsEnabled());
    QCOMPARE(random.draws(), 0u);

    // Asked anew on the next use, after a failed read.
    f.dialogs.openAnswers = {QString()};
    if (pattern)
        f.window->mnuVarnock->trigger();
    else
        f.window->mnuOpen->trigger();
    QCOMPARE(f.dialogs.shown.last().kind, QString("open"));
}

void TestFileCommands::patternRunExactWords()
{
    ScriptedRandom random{ScriptedRandom::pick(2, 3), ScriptedRandom::pick(1, 2), ScriptedRandom::pick(0, 1),
                          ScriptedRandom::pick(1, 2),
                          ScriptedRandom::pick(0, 3), ScriptedRandom::pick(0, 2), ScriptedRandom::pick(0, 2),
                          ScriptedRandom::pick(0, 2)};
    MainWindowFixture f(random, {{"Options/HowMany", "2"}});
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.window->namesModel->setStringList({"Old"});
    f.dialogs.openAnswers = {data("elvish.vnk")};
    pressCommand(*f.window, true);
    QVERIFY(f.dialogs.messages().isEmpty());
    // Sorted, as the option says.
    QCOMPARE(f.listed(), (QStringList{"Aeandor", "Gilithwen"}));
    QCOMPARE(random.remaining(), 0u);
    QCOMPARE(f.window->lblStatus->text(), QString("Ready."));
    QVERIFY(f.window->picProgBar->isHidden());
    QVERIFY(f.controlsEnabled());
    // The rule stays, the entries are released.
    QCOMPARE(f.window->patternRule(), (QStringList{"0", "1|3", "2"}));
    QCOMPARE(f.window->patternSections().maxCount(), 0);

    // Sections all empty: no words and no message.
    f.dialogs.openAnswers = {data("empty_sections.vnk")};
    f.window->mnuVarnock->trigger();
    QVERIFY(f.listed().isEmpty());
    QVERIFY(f.dialogs.messages().isEmpty());
    QVERIFY(f.controlsEnabled());
}

void TestFileCommands::rulesRuns()
{
    XoshiroRandom random(5);
    MainWindowFixture f(random, {{"Options/HowMany", "40"}, {"Options/Sort", "False"}});

    // A single ending makes words, each ending with it.
    f.dialogs.openAnswers = {data("single_end.nam")};
    f.window->mnuOpen->trigger();
    QCOMPARE(f.listed(), QStringList(40, QStringLiteral("Karador")));
    QVERIFY(f.dialogs.messages().isEmpty());

    // Cut short inside the end section: reported, then words from the endings read.
    f.dialogs.openAnswers = {data("ends_in_end.nam")};
    f.window->mnuOpen->trigger();
    QCOMPARE(f.dialogs.messages(), QStringList{rulesSentence});
    QCOMPARE(f.listed().size(), 40);
    for (const QString &w : f.listed())
        QVERIFY2(w == u"Karador" || w == u"Karawen", qPrintable(w));
    QVERIFY(f.controlsEnabled());

    // No ending at all: nothing, silently, and the list is cleared.
    f.dialogs.openAnswers = {data("empty_end.nam")};
    f.window->mnuOpen->trigger();
    QVERIFY(f.listed().isEmpty());
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(f.controlsEnabled());
    QCOMPARE(f.window->ruleLists().RuleStarts, QStringList{"ka"});
}

void TestFileCommands::failuresDuringRunAreReported_data()
{
    QTest::addColumn<bool>("pattern");
    QTest::addColumn<QString>("howMany");
    QTest::addColumn<bool>("directSave");
    QTest::addColumn<QString>("problem");
    for (bool pattern : {true, false}) {
        const char *kind = pattern ? "pattern" : "rules";
        QTest::addRow("%s, count too large", kind) << pattern << "40000" << false << "Overflow";
        QTest::addRow("%s, count negative", kind) << pattern << "-3" << false << "Subscript out of range";
        QTest::addRow("%s, direct-save folder missing", kind) << pattern << "5" << true << "Path not found";
    }
}

void TestFileCommands::failuresDuringRunAreReported()
{
    QFETCH(bool, pattern);
    QFETCH(QString, howMany);
    QFETCH(bool, directSave);
    QFETCH(QString, problem);
    XoshiroRandom random(9);
    QTemporaryDir dir;
    const QString target = dir.filePath("no-such-folder/words.txt");
    MainWindowFixture f(random, {{"Options/HowMany", howMany},
                                 {"Options/DirectSave", directSave ? "True" : "False"},
                                 {"Options/DirectSaveFile", target}});
    f.dialogs.openAnswers = {data(pattern ? "elvish.vnk" : "example.nam")};
    if (pattern)
        f.window->mnuVarnock->trigger();
    else
        f.window->mnuOpen->trigger();
    const QStringList messages = f.dialogs.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(problem), qPrintable(messages.first()));
    if (directSave)
        QVERIFY(messages.first().contains(target));
    QCOMPARE(f.dialogs.shown.last().title, QString("Varnock"));
    QVERIFY(f.controlsEnabled());
    QVERIFY(f.window->picProgBar->isHidden());
    QVERIFY(f.listed().isEmpty());
    QVERIFY(!QFile::exists(target));
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
