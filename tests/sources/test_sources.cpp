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

// "highest reached maxCount", then sections 0..5 as "count:entry/entry".
QStringList table(const PatternSections &s)
{
    QStringList out{QStringLiteral("%1 %2 %3").arg(s.highest()).arg(s.reached()).arg(s.maxCount())};
    for (int section = 0; section <= 5; ++section) {
        QStringList entries;
        for (qsizetype k = 1; k <= s.count(section); ++k)
            entries << s.cell(section, k);
        out << s.cell(section, 0) + u':' + entries.join(u'/');
    }
    return out;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
    return f.fileName();
}

float pick(int k, int m) { return ScriptedRandom::pick(k, m); }

} // namespace

class TestSources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodingAndLines()
    {
        const QList<std::pair<QByteArray, QStringList>> cases{
            {"", {}},
            {"a\nb", {"a", "b"}},
            {"\na", {"", "a"}},
            {"\r\n\na\r\r\n", {"", "", "a", ""}}, // blank lines kept
            {"a\n\rb", {"a", "", "b"}},             // LF CR is two line ends
            {"\r\n", {""}},
            {"\xEF\xBB\xBF\xE9", {u"\u00e9"_qs}}, // Windows-1252, a stray BOM dropped
            {"\x80\x81\x8D\x8F\x90\x92\x9D\x9F\xA0\xFF", {u"\u20ac\u0081\u008d\u008f\u0090\u2019\u009d\u0178\u00a0\u00ff"_qs}},
            {"ab\xC3", {u"ab\u00c3"_qs}},         // cut-off UTF-8 sequence
            {QByteArray("a\0b", 3), {QString(QChar(u'a')) + QChar(0) + QChar(u'b')}},
        };
        // Files are read in blocks of 1 MiB: a CR LF, a UTF-8 sequence or a
        // late 8-bit byte across a block's end reads as in one piece.
        const qsizetype block = 1 << 20;
        const QString as(block - 1, u'a');
        const QList<std::pair<QByteArray, QStringList>> large{
            {QByteArray(block - 1, 'a') + "\r\nb", {as, "b"}},
            {QByteArray(block - 1, 'a') + "\xC3\xA9\n", {as + u"\u00e9"_qs}},
            {QByteArray(block - 2, 'a') + "\xE2\x80\x99", {QString(block - 2, u'a') + u"\u2019"_qs}},
            {QByteArray(block - 1, 'a') + "\n\x92\xC3\xA9", {as, u"\u2019\u00c3\u00a9"_qs}}};
        QTemporaryDir dir;
        for (const auto &[bytes, lines] : cases + large) {
            if (bytes.size() < block)
                QCOMPARE(splitTextLines(decodeTextFile(bytes)), lines);
            QFile file(dir.filePath("lines.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
            file.close();
            QStringList read{"stale"};
            QVERIFY(readTextFileLines(file.fileName(), read));
            QCOMPARE(read, lines);
        }
    }

    void patternFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("rule");
        QTest::addColumn<QStringList>("sections"); // empty: the file is rejected
        const QStringList elvish{"3 4 3", "3:ae/el/gil", "2:an/ar", "2:dor/wen", "1:ith", ":", ":"};
        for (const char *name : {"elvish.vnk", "elvish_lf.vnk", "elvish_cr.vnk", "elvish_bom.vnk"})
            QTest::newRow(name) << data(name) << QStringList{"0", "1|3", "2"} << elvish;
        // Two blanks give an empty token; "|2" is one plain token, "2|" two
        // alternatives. Comments need ";" first; blank lines and "[next] " are
        // entries, kept as read; sections past the highest are not read.
        QTest::newRow("format rules") << data("format_rules.vnk") << QStringList{"0", "", "1", "2|", "", "|2"}
                                      << QStringList{"2 3 4", "4: ; blank-led line is an entry//Keep Case /[next] ",
                                                     "1:one", "1:two", ":", ":", ":"};
        QTest::newRow("starts with next") << data("starts_with_next.vnk") << QStringList{"[next]"}
                                          << QStringList{"0 1 2", "2:ka/ra", ":", ":", ":", ":", ":"};
        QTest::newRow("latin-1") << data("latin1.vnk") << QStringList{"0"}
                                 << QStringList{"0 1 1", u"1:\u00e9l\u00f1a"_qs, ":", ":", ":", ":", ":"};
        QTest::newRow("missing sections") << data("missing_sections.vnk") << QStringList{"5"}
                                          << QStringList{"5 3 1", "1:a", "1:b", "1:c", ":", ":", ":"};
        // A rule naming section 2000000000 holds only the two sections present.
        QTest::newRow("huge rule") << data("huge_rule.vnk") << QStringList{"0", "2000000000"}
                                   << QStringList{"2000000000 2 1", "1:a", "1:b", ":", ":", ":", ":"};
        QTest::newRow("empty sections") << data("empty_sections.vnk") << QStringList{"0", "1"}
                                        << QStringList{"1 2 0", "0:", "0:", ":", ":", ":", ":"};
        for (const char *name : {"only_comments.vnk", "no_next.vnk", "empty.vnk", "overflow_rule.vnk", "garbage.bin",
                                 "example.nam", "absent.vnk"})
            QTest::newRow(name) << data(name) << QStringList() << QStringList();
        QTest::newRow("folder") << QStringLiteral(VARNOCK_TEST_DATA) << QStringList() << QStringList();
    }

    void patternFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, rule);
        QFETCH(QStringList, sections);
        QStringList readRule{"stale"};
        PatternSections read;
        const FileReadResult r = LoadPatternFile(file, readRule, read);
        QCOMPARE(r.valid, !sections.isEmpty());
        QCOMPARE(r.message, r.valid ? QString() : patternFileInvalid);
        if (!r.valid)
            return;
        QCOMPARE(readRule, rule);
        QCOMPARE(table(read), sections);
        QCOMPARE(read.cell(read.highest() + 1, 0), QString());
    }

    void rulesFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QStringList>("lists"); // starts, middles, ends joined by "/", endingRead
        QTest::newRow("crlf, tail after stop") << data("example.nam") << true << QStringList{"ka/el", "ra", "dor/wen", "1"};
        QTest::newRow("lf, small letters") << data("example_lf.nam") << true << QStringList{"ka/el", "ra", "dor/wen", "1"};
        // Only the closing tag counts in a section; a tag with a blank is an entry.
        QTest::newRow("tags") << data("tag_rules.nam") << true
                              << QStringList{"[END]/[STOP]/[MIDDLE] /", "", "/[STOP] / ith", "1"};
        QTest::newRow("empty start") << data("empty_start.nam") << true << QStringList{"", "ra", "dor", "1"};
        QTest::newRow("empty end") << data("empty_end.nam") << true << QStringList{"ka", "ra", "", "0"};
        QTest::newRow("single end") << data("single_end.nam") << true << QStringList{"ka", "ra", "dor", "1"};
        QTest::newRow("utf-8") << data("utf8.nam") << true << QStringList{u"\u00e9l"_qs, u"\u00f1a"_qs, "dor", "1"};
        // Cut short: rejected, keeping what was read.
        QTest::newRow("ends in end") << data("ends_in_end.nam") << false << QStringList{"ka", "ra", "dor/wen", "1"};
        QTest::newRow("ends in middle") << data("ends_in_middle.nam") << false << QStringList{"ka", "ra", "", "0"};
        for (const char *name : {"no_start.nam", "garbage.bin", "elvish.vnk", "empty.vnk", "absent.nam"})
            QTest::newRow(name) << data(name) << false << QStringList{"", "", "", "0"};
        QTest::newRow("folder") << QStringLiteral(VARNOCK_TEST_DATA) << false << QStringList{"", "", "", "0"};
    }

    void rulesFiles()
    {
        QFETCH(QString, file);
        QFETCH(bool, valid);
        QFETCH(QStringList, lists);
        RuleLists read;
        read.RuleStarts = read.RuleEnds = QStringList{"stale"};
        read.endingRead = true;
        const FileReadResult r = LoadRulesFile(file, read);
        QCOMPARE(r.valid, valid);
        QCOMPARE(r.message, valid ? QString() : rulesFileInvalid);
        QCOMPARE((QStringList{read.RuleStarts.join(u'/'), read.RuleMiddles.join(u'/'), read.RuleEnds.join(u'/'),
                              QString::number(read.endingRead)}),
                 lists);
    }

    void unreadableFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList lines{"stale"};
        QVERIFY(!readTextFileLines(QString(), lines));
        QVERIFY(lines.isEmpty());

        const QString locked = writeFile(dir, "locked.vnk", "0\r\n[next]\r\na\r\n");
        QFile::setPermissions(locked, QFileDevice::Permissions());
        QFile probe(locked);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file; permission case not testable here");
        PatternSections sections;
        RuleLists lists;
        QCOMPARE(LoadPatternFile(locked, lines, sections).message, patternFileInvalid);
        QCOMPARE(LoadRulesFile(locked, lists).message, rulesFileInvalid);
    }

    void rulesSectionLimit()
    {
        QTemporaryDir dir;
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
        QCOMPARE(LoadRulesFile(over, lists).message, rulesFileInvalid);
        QVERIFY(!lists.endingRead);
        QCOMPARE(lists.RuleEnds, QStringList{QString()});
        QCOMPARE(lists.RuleStarts, QStringList{QString()});
    }

    void highestSection()
    {
        const QList<std::pair<QStringList, int>> cases{
            {{"2|"}, 2}, {{"|2"}, 0}, {{"|2|7"}, 0}, // a leading bar hides the rest
            {{"-4"}, 0}, {{}, 0}, {{"abc", ""}, 0},
            {{"2.5"}, 2}, {{"3.5"}, 4}, // half to even
            {{"&H10"}, 16},
        };
        for (const auto &[tokens, highest] : cases)
            QCOMPARE(HighestSection(tokens), highest);
    }

    void exactWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<std::vector<float>>("draws");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("tokens"); // replaces the file's rule when given
        auto row = [](const char *name, const char *file, std::vector<float> draws, const QStringList &words,
                      const QStringList &tokens = {}) { QTest::newRow(name) << data(file) << draws << words << tokens; };
        row("elvish", "elvish.vnk", {pick(0, 3), pick(0, 2), pick(0, 2), pick(0, 2), pick(2, 3), pick(1, 2), pick(0, 1),
                                     pick(1, 2)}, {"Aeandor", "Gilithwen"});
        // Blank tokens draw nothing; an empty alternative draws only the choice.
        row("format rules", "format_rules.vnk",
            {pick(2, 4), 0.0f, pick(1, 2), pick(3, 4), pick(0, 4), pick(0, 1), pick(0, 2), 0.0f, pick(0, 4)},
            {"Keep Case One[next] ", " ; Blank-led Line Is An Entryonetwo ; Blank-led Line Is An Entry"});
        // "-1" and "2000000000" name no section and add nothing; "-0.4" rounds to 0.
        row("negative tokens", "negative.vnk", {0.9f, 0.1f, 0.5f}, {"Kaka"});
        row("token beyond table", "huge_rule.vnk", {0.1f, 0.99f}, {"A"});
        // Tokens straight from a caller, never through the reader.
        row("odd tokens", "huge_rule.vnk", {0.5f, 0.5f, 0.5f, 0.5f}, {"A"}, {"&HFFFFFFFFF", "1e300", "-1e300", "0"});
        row("sections all empty", "empty_sections.vnk", {0.5f, 0.5f}, {""});
        row("rules", "example.nam", {pick(0, 2), 0.3f, pick(0, 2), pick(1, 2), 0.9f, pick(1, 2)}, {"Karador", "Elrawen"});
        row("rules in capitals", "mixed_case.nam", {0.f, 0.f, 0.f}, {"Karador"});
        row("rules, ending with a blank", "blank_ending.nam", {0.f, 0.f, 0.f}, {"Kara Ith"});
        row("rules, one ending", "single_end.nam", {0.9f, 0.9f, 0.99f}, {"Karador"});
    }

    void exactWords()
    {
        QFETCH(QString, file);
        QFETCH(std::vector<float>, draws);
        QFETCH(QStringList, words);
        QFETCH(QStringList, tokens);
        ScriptedRandom random;
        for (float r : draws)
            random.push(r);
        WordArray made{"stale"};
        if (file.endsWith(u".nam")) {
            RuleLists lists;
            QVERIFY(LoadRulesFile(file, lists).valid);
            GenerateFromRules(words.size(), made, lists, random);
        } else {
            QStringList rule;
            PatternSections sections;
            QVERIFY(LoadPatternFile(file, rule, sections).valid);
            GenerateFromPattern(words.size(), made, tokens.isEmpty() ? rule : tokens, sections, random);
        }
        QCOMPARE(made, QStringList{QString()} + words);
        QCOMPARE(random.remaining(), 0u);
    }

    void patternStatistics()
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

    void progressAndCounts()
    {
        RuleLists lists;
        QVERIFY(parseRulesLines({"[START]", "ka", "[MIDDLE]", "[END]", "dor", "[STOP]"}, lists).valid);
        QCOMPARE(lists.RuleEnds, QStringList{"dor"});
        QVERIFY(LoadRulesFile(data("example.nam"), lists).valid);
        QStringList rule;
        PatternSections sections;
        QVERIFY(LoadPatternFile(data("elvish.vnk"), rule, sections).valid);
        QList<float> drawn;
        QStringList captions;
        GenerationHooks hooks;
        hooks.progress = [&](float f, const QString &caption) {
            drawn << f;
            captions << caption;
        };
        XoshiroRandom random(1);
        WordArray words;
        GenerateFromRules(3, words, lists, random, hooks);
        GenerateFromPattern(3, words, rule, sections, random, hooks);
        QCOMPARE(drawn, (QList<float>{0.33f, 0.66f, 1.0f, 0.33f, 0.66f, 1.0f}));
        QCOMPARE(captions, QStringList(6, QStringLiteral("Generating...")));
        GenerateFromPattern(0, words, rule, sections, random);
        QCOMPARE(words, QStringList{QString()});

        // The stored count: 16-bit, never negative.
        QCOMPARE((QList<int>{fileRunCount("500"), fileRunCount(""), fileRunCount("32767"), fileRunCount("2.5 words")}),
                 (QList<int>{500, 0, 32767, 2}));
        auto errorOf = [](const std::function<void()> &run) {
            try {
                run();
            } catch (const VarnockError &e) {
                return e.number();
            }
            return 0;
        };
        const int overflow = int(ErrorNumber::Overflow), negative = int(ErrorNumber::SubscriptOutOfRange);
        QList<int> errors;
        for (const char *text : {"32768", "32767.5", "-1", "-32769", "1e400"})
            errors << errorOf([text] { fileRunCount(text); });
        QCOMPARE(errors, (QList<int>{overflow, overflow, negative, overflow, overflow}));

        words = QStringList{"kept"};
        QCOMPARE(errorOf([&] { GenerateFromRules(-1, words, lists, random); }), negative);
        QCOMPARE(errorOf([&] { GenerateFromPattern(-1, words, rule, sections, random); }), negative);
        QCOMPARE(words, QStringList{"kept"});
    }
};

QTEST_GUILESS_MAIN(TestSources)
#include "test_sources.moc"
