#include "engine/VarnockError.h"
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"
#include "sources/RunCount.h"
#include "sources/TextFileReading.h"
#include "support/ScriptedRandom.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

QString data(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }

QStringList entriesOf(const PatternSections &s, int section)
{
    QStringList out;
    for (qsizetype k = 1; k <= s.count(section); ++k)
        out << s.cell(section, k);
    return out;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
    return path;
}

} // namespace

class TestSources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineSplitting_data();
    void lineSplitting();
    void decoding();
    void unreadableFiles();

    void patternExampleInEveryEncoding_data();
    void patternExampleInEveryEncoding();
    void patternFormatRules();
    void patternMissingAndExtraSections();
    void patternInvalidFiles_data();
    void patternInvalidFiles();
    void highestSection_data();
    void highestSection();

    void rulesExample_data();
    void rulesExample();
    void rulesTagsAndEntries();
    void rulesIncompleteFiles();
    void rulesSectionLimit();

    void patternWordsExact();
    void patternBadSectionNumbersGiveEmptyPiece();
    void patternStatistics();
    void rulesWordsExact();
    void rulesSingleEndingEndsEveryWord();
    void progressAndCounts();
};

void TestSources::lineSplitting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lf no final end") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("blank lines kept") << "\r\n\na\r\r\n" << QStringList{"", "", "a", ""};
    QTest::newRow("lf cr is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("only a line end") << "\r\n" << QStringList{""};
}

void TestSources::lineSplitting()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitTextLines(text), lines);
}

void TestSources::decoding()
{
    QCOMPARE(decodeTextFile("\xEF\xBB\xBF" "\xC3\xA9l"), QStringLiteral(u"\u00e9l"));
    QCOMPARE(decodeTextFile("\xC3\xA9l"), QStringLiteral(u"\u00e9l"));
    // Not UTF-8: every byte is its Latin-1 character, a stray BOM dropped.
    QCOMPARE(decodeTextFile("\xE9l\xF1" "a"), QStringLiteral(u"\u00e9l\u00f1a"));
    QCOMPARE(decodeTextFile("\xEF\xBB\xBF\xE9"), QStringLiteral(u"\u00e9"));
    QCOMPARE(decodeTextFile("ab\xC3"), QStringLiteral(u"ab\u00c3")); // cut-off sequence
    QCOMPARE(decodeTextFile(QByteArray("a\0b", 3)), QString(QChar(u'a')) + QChar(0) + QChar(u'b'));
}

void TestSources::unreadableFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList lines{"stale"};
    QVERIFY(!readTextFileLines(dir.filePath("missing.vnk"), lines));
    QVERIFY(lines.isEmpty());
    QVERIFY(!readTextFileLines(dir.path(), lines));
    QVERIFY(!readTextFileLines(QString(), lines));

    QStringList rule{"stale"};
    PatternSections sections;
    RuleLists lists;
    lists.RuleEnds = QStringList{"stale"};
    lists.endingRead = true;
    for (const QString &path : {dir.filePath("missing.vnk"), dir.path()}) {
        QCOMPARE(LoadPatternFile(path, rule, sections).message, patternFileInvalid);
        QVERIFY(rule.isEmpty());
        const FileReadResult r = LoadRulesFile(path, lists);
        QVERIFY(!r.valid);
        QCOMPARE(r.message, rulesFileInvalid);
        QCOMPARE(lists.RuleEnds, QStringList{QString()});
        QVERIFY(!lists.endingRead);
    }

    const QString locked = writeFile(dir, "locked.vnk", "0\r\n[next]\r\na\r\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QFile probe(locked);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("running with rights that read any file; permission case not testable here");
    QCOMPARE(LoadPatternFile(locked, rule, sections).message, patternFileInvalid);
    QCOMPARE(LoadRulesFile(locked, lists).message, rulesFileInvalid);
}

void TestSources::patternExampleInEveryEncoding_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"elvish.vnk", "elvish_lf.vnk", "elvish_cr.vnk", "elvish_bom.vnk"})
        QTest::newRow(name) << data(name);
}

void TestSources::patternExampleInEveryEncoding()
{
    QFETCH(QString, file);
    QStringList rule;
    PatternSections sections;
    const FileReadResult r = LoadPatternFile(file, rule, sections);
    QVERIFY(r.valid);
    QVERIFY(r.message.isEmpty());
    QCOMPARE(rule, (QStringList{"0", "1|3", "2"}));
    QCOMPARE(sections.highest(), 3);
    QCOMPARE(sections.maxCount(), 3);
    const QStringList counts{sections.cell(0, 0), sections.cell(1, 0), sections.cell(2, 0), sections.cell(3, 0)};
    QCOMPARE(counts, (QStringList{"3", "2", "2", "1"}));
    QCOMPARE(entriesOf(sections, 0), (QStringList{"ae", "el", "gil"}));
    QCOMPARE(entriesOf(sections, 1), (QStringList{"an", "ar"}));
    QCOMPARE(entriesOf(sections, 2), (QStringList{"dor", "wen"}));
    QCOMPARE(sections.cell(3, 1), QString("ith"));
    QCOMPARE(sections.cell(3, 2), QString());
    QCOMPARE(sections.cell(3, 3), QString());
    QCOMPARE(sections.cell(4, 0), QString());
}

void TestSources::patternFormatRules()
{
    QStringList rule;
    PatternSections sections;
    QVERIFY(LoadPatternFile(data("format_rules.vnk"), rule, sections).valid);
    // Two blanks give an empty token; "|2" is one plain token, "2|" two alternatives.
    QCOMPARE(rule, (QStringList{"0", "", "1", "2|", "", "|2"}));
    QCOMPARE(sections.highest(), 2);
    QCOMPARE(sections.reached(), 3);
    // Comments need ";" first; blank lines and "[next] " are entries, kept as read.
    QCOMPARE(entriesOf(sections, 0),
             (QStringList{" ; blank-led line is an entry", "", "Keep Case ", "[next] "}));
    QCOMPARE(entriesOf(sections, 1), QStringList{"one"});
    QCOMPARE(entriesOf(sections, 2), QStringList{"two"});
    QCOMPARE(sections.maxCount(), 4);

    QVERIFY(LoadPatternFile(data("starts_with_next.vnk"), rule, sections).valid);
    QCOMPARE(rule, QStringList{"[next]"});
    QCOMPARE(entriesOf(sections, 0), (QStringList{"ka", "ra"}));

    QVERIFY(LoadPatternFile(data("latin1.vnk"), rule, sections).valid);
    QCOMPARE(sections.cell(0, 1), QStringLiteral(u"\u00e9l\u00f1a"));
}

void TestSources::patternMissingAndExtraSections()
{
    QStringList rule;
    PatternSections sections;
    QVERIFY(LoadPatternFile(data("missing_sections.vnk"), rule, sections).valid);
    QCOMPARE(sections.highest(), 5);
    QCOMPARE(sections.cell(2, 0), QString("1"));
    for (int s = 3; s <= 5; ++s)
        QCOMPARE(sections.cell(s, 0), QString());

    // A rule naming section 2000000000 reads the two sections present and
    // holds no more than that.
    QVERIFY(LoadPatternFile(data("huge_rule.vnk"), rule, sections).valid);
    QCOMPARE(sections.highest(), 2000000000);
    QCOMPARE(sections.reached(), 2);
    QCOMPARE(sections.cell(1, 1), QString("b"));
    QCOMPARE(sections.cell(1999999999, 0), QString());

    QVERIFY(LoadPatternFile(data("empty_sections.vnk"), rule, sections).valid);
    QCOMPARE(sections.cell(0, 0), QString("0"));
    QCOMPARE(sections.maxCount(), 0);
}

void TestSources::patternInvalidFiles_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"only_comments.vnk", "no_next.vnk", "empty.vnk", "overflow_rule.vnk", "garbage.bin",
                             "example.nam"})
        QTest::newRow(name) << data(name);
}

void TestSources::patternInvalidFiles()
{
    QFETCH(QString, file);
    QStringList rule{"stale"};
    PatternSections sections;
    const FileReadResult r = LoadPatternFile(file, rule, sections);
    QVERIFY(!r.valid);
    QCOMPARE(r.message, QString("This file is not a valid Varnock file."));
}

void TestSources::highestSection_data()
{
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<int>("highest");
    QTest::newRow("example") << QStringList{"0", "1|3", "2"} << 3;
    QTest::newRow("bar last") << QStringList{"2|"} << 2;
    QTest::newRow("bar first") << QStringList{"|2"} << 0;
    QTest::newRow("bar first hides later bars") << QStringList{"|2|7"} << 0;
    QTest::newRow("negative") << QStringList{"-4"} << 0;
    QTest::newRow("empty") << QStringList{} << 0;
    QTest::newRow("text") << QStringList{"abc", ""} << 0;
    QTest::newRow("half to even") << QStringList{"2.5"} << 2;
    QTest::newRow("half up to even") << QStringList{"3.5"} << 4;
    QTest::newRow("hex") << QStringList{"&H10"} << 16;
}

void TestSources::highestSection()
{
    QFETCH(QStringList, tokens);
    QFETCH(int, highest);
    QCOMPARE(HighestSection(tokens), highest);
}

void TestSources::rulesExample_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("crlf, tail after stop") << data("example.nam");
    QTest::newRow("lf, tags in small letters") << data("example_lf.nam");
}

void TestSources::rulesExample()
{
    QFETCH(QString, file);
    RuleLists lists;
    const FileReadResult r = LoadRulesFile(file, lists);
    QVERIFY(r.valid);
    QCOMPARE(lists.RuleStarts, (QStringList{"ka", "el"}));
    QCOMPARE(lists.RuleMiddles, QStringList{"ra"});
    QCOMPARE(lists.RuleEnds, (QStringList{"dor", "wen"}));
    QVERIFY(lists.endingRead);
}

void TestSources::rulesTagsAndEntries()
{
    RuleLists lists;
    // Only the closing tag counts in a section; a tag with a blank is an entry.
    QVERIFY(LoadRulesFile(data("tag_rules.nam"), lists).valid);
    QCOMPARE(lists.RuleStarts, (QStringList{"[END]", "[STOP]", "[MIDDLE] ", ""}));
    QCOMPARE(lists.RuleMiddles, QStringList{QString()});
    QCOMPARE(lists.RuleEnds, (QStringList{"", "[STOP] ", " ith"}));
    QVERIFY(lists.endingRead);

    QVERIFY(LoadRulesFile(data("empty_start.nam"), lists).valid);
    QCOMPARE(lists.RuleStarts, QStringList{QString()});

    QVERIFY(LoadRulesFile(data("empty_end.nam"), lists).valid);
    QCOMPARE(lists.RuleEnds, QStringList{QString()});
    QVERIFY(!lists.endingRead);

    QVERIFY(LoadRulesFile(data("single_end.nam"), lists).valid);
    QCOMPARE(lists.RuleEnds, QStringList{"dor"});
    QVERIFY(lists.endingRead);

    QVERIFY(LoadRulesFile(data("utf8.nam"), lists).valid);
    QCOMPARE(lists.RuleStarts, QStringList{QStringLiteral(u"\u00e9l")});
}

void TestSources::rulesIncompleteFiles()
{
    RuleLists lists;
    FileReadResult r = LoadRulesFile(data("ends_in_end.nam"), lists);
    QCOMPARE(r.message, QString("This file is not a valid rules file."));
    QCOMPARE(lists.RuleEnds, (QStringList{"dor", "wen"}));
    QVERIFY(lists.endingRead);

    r = LoadRulesFile(data("ends_in_middle.nam"), lists);
    QVERIFY(!r.valid);
    QCOMPARE(lists.RuleStarts, QStringList{"ka"});
    QCOMPARE(lists.RuleMiddles, QStringList{"ra"});
    QVERIFY(!lists.endingRead);

    for (const char *name : {"no_start.nam", "garbage.bin", "elvish.vnk", "empty.vnk"}) {
        r = LoadRulesFile(data(name), lists);
        QVERIFY2(!r.valid, name);
        QCOMPARE(r.message, rulesFileInvalid);
        QVERIFY(!lists.endingRead);
    }
}

void TestSources::rulesSectionLimit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto section = [](const char *stem, int n) {
        QByteArray out;
        for (int i = 0; i < n; ++i)
            out += stem + QByteArray::number(i) + "\r\n";
        return out;
    };
    RuleLists lists;
    const QString full = writeFile(dir, "full.nam",
                                   "[START]\r\n" + section("s", 32767) + "[MIDDLE]\r\n[END]\r\ne\r\n[STOP]\r\n");
    QVERIFY(LoadRulesFile(full, lists).valid);
    QCOMPARE(lists.RuleStarts.size(), 32767);
    QCOMPARE(lists.RuleStarts.last(), QString("s32766"));

    const QString over = writeFile(dir, "over.nam",
                                   "[START]\r\na\r\n[MIDDLE]\r\n[END]\r\n" + section("e", 32768) + "[STOP]\r\n");
    const FileReadResult r = LoadRulesFile(over, lists);
    QCOMPARE(r.message, rulesFileInvalid);
    QVERIFY(!lists.endingRead);
    QCOMPARE(lists.RuleEnds, QStringList{QString()});
    QCOMPARE(lists.RuleStarts, QStringList{QString()});
}

void TestSources::patternWordsExact()
{
    QStringList rule;
    PatternSections sections;
    QVERIFY(LoadPatternFile(data("elvish.vnk"), rule, sections).valid);
    ScriptedRandom random{ScriptedRandom::pick(0, 3), ScriptedRandom::pick(0, 2), ScriptedRandom::pick(0, 2),
                          ScriptedRandom::pick(0, 2),
                          ScriptedRandom::pick(2, 3), ScriptedRandom::pick(1, 2), ScriptedRandom::pick(0, 1),
                          ScriptedRandom::pick(1, 2)};
    WordArray words{"stale"};
    GenerateFromPattern(2, words, rule, sections, random);
    QCOMPARE(words, (QStringList{"", "Aeandor", "Gilithwen"}));
    QCOMPARE(random.remaining(), 0u);

    // Blank tokens draw nothing; an empty alternative draws only the choice.
    QVERIFY(LoadPatternFile(data("format_rules.vnk"), rule, sections).valid);
    // Tokens 0, "", 1, "2|", "", "|2": entry, entry, alt (empty), entry for "|2" (section 0).
    ScriptedRandom r2{ScriptedRandom::pick(2, 4), 0.0f, ScriptedRandom::pick(1, 2), ScriptedRandom::pick(3, 4),
                      ScriptedRandom::pick(0, 4), ScriptedRandom::pick(0, 1), ScriptedRandom::pick(0, 2),
                      0.0f, ScriptedRandom::pick(0, 4)};
    GenerateFromPattern(2, words, rule, sections, r2);
    QCOMPARE(words, (QStringList{"", "Keep Case One[next] ", " ; Blank-led Line Is An Entryonetwo ; Blank-led Line Is An Entry"}));
    QCOMPARE(r2.remaining(), 0u);

    GenerateFromPattern(0, words, rule, sections, r2);
    QCOMPARE(words, QStringList{QString()});
}

void TestSources::patternBadSectionNumbersGiveEmptyPiece()
{
    QStringList rule;
    PatternSections sections;
    // "-1" and "2000000000" name no section; "-0.4" rounds to section 0.
    QVERIFY(LoadPatternFile(data("negative.vnk"), rule, sections).valid);
    ScriptedRandom random{0.9f, 0.1f, 0.5f};
    WordArray words;
    GenerateFromPattern(1, words, rule, sections, random);
    QCOMPARE(words, (QStringList{"", "Kaka"}));
    QCOMPARE(random.remaining(), 0u);

    QVERIFY(LoadPatternFile(data("huge_rule.vnk"), rule, sections).valid);
    ScriptedRandom r2{0.1f, 0.99f};
    GenerateFromPattern(1, words, rule, sections, r2);
    QCOMPARE(words, (QStringList{"", "A"}));

    // Tokens straight from a caller, never through the reader.
    const QStringList odd{"&HFFFFFFFFF", "1e300", "-1e300", "0"};
    ScriptedRandom r3{0.5f, 0.5f, 0.5f, 0.5f};
    GenerateFromPattern(1, words, odd, sections, r3);
    QCOMPARE(words, (QStringList{"", "A"}));

    // A file whose sections are all empty: every word is empty.
    QVERIFY(LoadPatternFile(data("empty_sections.vnk"), rule, sections).valid);
    ScriptedRandom r4{0.5f, 0.5f};
    GenerateFromPattern(1, words, rule, sections, r4);
    QCOMPARE(words, (QStringList{"", ""}));
}

void TestSources::patternStatistics()
{
    // "0 2|": the empty alternative is chosen in half of the words.
    PatternSections sections;
    QStringList rule;
    QTemporaryDir dir;
    QVERIFY(LoadPatternFile(writeFile(dir, "p.vnk", "0 2|\r\n[next]\r\nka\r\n[next]\r\n[next]\r\nra\r\n"), rule,
                            sections).valid);
    XoshiroRandom random(20261206);
    WordArray words;
    const int n = 10000;
    GenerateFromPattern(n, words, rule, sections, random);
    int bare = 0;
    for (int i = 1; i <= n; ++i) {
        QVERIFY(words[i] == u"Ka" || words[i] == u"Kara");
        bare += words[i] == u"Ka";
    }
    // Binomial(10000, 0.5): standard deviation 50; allow four.
    QVERIFY2(qAbs(bare - n / 2) <= 200, qPrintable(QString::number(bare)));
}

void TestSources::rulesWordsExact()
{
    RuleLists lists;
    QVERIFY(LoadRulesFile(data("example.nam"), lists).valid);
    ScriptedRandom random{ScriptedRandom::pick(0, 2), 0.3f, ScriptedRandom::pick(0, 2),
                          ScriptedRandom::pick(1, 2), 0.9f, ScriptedRandom::pick(1, 2)};
    WordArray words;
    GenerateFromRules(2, words, lists, random);
    QCOMPARE(words, (QStringList{"", "Karador", "Elrawen"}));

    QVERIFY(LoadRulesFile(data("mixed_case.nam"), lists).valid);
    ScriptedRandom r2{0.f, 0.f, 0.f};
    GenerateFromRules(1, words, lists, r2);
    QCOMPARE(words[1], QString("Karador"));

    QVERIFY(LoadRulesFile(data("blank_ending.nam"), lists).valid);
    ScriptedRandom r3{0.f, 0.f, 0.f};
    GenerateFromRules(1, words, lists, r3);
    QCOMPARE(words[1], QString("Kara Ith"));

    // Every combination is reachable and nothing else comes out.
    QVERIFY(LoadRulesFile(data("example.nam"), lists).valid);
    XoshiroRandom seeded(42);
    GenerateFromRules(400, words, lists, seeded);
    QSet<QString> seen(words.begin() + 1, words.end());
    QCOMPARE(seen, (QSet<QString>{"Karador", "Karawen", "Elrador", "Elrawen"}));
}

void TestSources::rulesSingleEndingEndsEveryWord()
{
    RuleLists lists;
    QVERIFY(LoadRulesFile(data("single_end.nam"), lists).valid);
    QVERIFY(lists.endingRead);
    XoshiroRandom random(7);
    WordArray words;
    GenerateFromRules(50, words, lists, random);
    QCOMPARE(words.size(), 51);
    for (int i = 1; i <= 50; ++i)
        QCOMPARE(words[i], QString("Karador"));
}

void TestSources::progressAndCounts()
{
    RuleLists lists;
    QVERIFY(LoadRulesFile(data("example.nam"), lists).valid);
    QList<float> drawn;
    QStringList captions;
    GenerationHooks hooks;
    hooks.progress = [&](float f, const QString &caption) {
        drawn << f;
        captions << caption;
    };
    XoshiroRandom random(1);
    WordArray words;
    GenerateFromRules(1000, words, lists, random, hooks);
    QCOMPARE(drawn.size(), 100);
    for (int p = 1; p <= 100; ++p)
        QCOMPARE(drawn[p - 1], float(p) / 100.0f);
    QCOMPARE(captions.removeDuplicates(), 99);
    QCOMPARE(captions, QStringList{"Generating..."});

    QStringList rule;
    PatternSections sections;
    QVERIFY(LoadPatternFile(data("elvish.vnk"), rule, sections).valid);
    drawn.clear();
    GenerateFromPattern(3, words, rule, sections, random, hooks);
    QCOMPARE(drawn, (QList<float>{0.33f, 0.66f, 1.0f}));

    // The stored count: 16-bit, never negative.
    QCOMPARE(fileRunCount("500"), qint16(500));
    QCOMPARE(fileRunCount(""), qint16(0));
    QCOMPARE(fileRunCount("32767"), qint16(32767));
    QCOMPARE(fileRunCount("2.5 words"), qint16(2));
    auto errorOf = [](const QString &text) {
        try {
            fileRunCount(text);
        } catch (const VarnockError &e) {
            return e.number();
        }
        return 0;
    };
    QCOMPARE(errorOf("32768"), int(ErrorNumber::Overflow));
    QCOMPARE(errorOf("32767.5"), int(ErrorNumber::Overflow));
    QCOMPARE(errorOf("-1"), int(ErrorNumber::SubscriptOutOfRange));
    QCOMPARE(errorOf("-32769"), int(ErrorNumber::Overflow));
    QCOMPARE(errorOf("1e400"), int(ErrorNumber::Overflow));

    for (auto run : {std::function<void()>([&] { GenerateFromRules(-1, words, lists, random); }),
                     std::function<void()>([&] { GenerateFromPattern(-1, words, rule, sections, random); })}) {
        words = QStringList{"kept"};
        QVERIFY_THROWS_EXCEPTION(VarnockError, run());
        QCOMPARE(words, QStringList{"kept"});
    }
}

QTEST_GUILESS_MAIN(TestSources)
#include "test_sources.moc"
