#include "engine/VarnockError.h"
#include "sources/FileCheck.h"
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"
#include "sources/RunCount.h"
#include "support/ScriptedRandom.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {
QString data(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }
float P(int k, int m) { return ScriptedRandom::pick(k, m); }
QString outcome(const std::function<qint64()> &f) try { return QString::number(f()); } catch (const VarnockError &e) { return u"E"_qs + QString::number(e.number()); }
// "rule tokens: highest reached maxCount | count:entry/entry/" for sections 0..3, or the tokens a rejected read left and "invalid".
QString readPattern(const char *file)
{
    QStringList rule{"stale"};
    PatternSections s;
    const FileReadResult r = LoadPatternFile(*file ? data(file) : VARNOCK_TEST_DATA, rule, s);
    QString out = rule.join(u',') + u": "_qs + QStringLiteral("%1 %2 %3").arg(s.highest()).arg(s.reached()).arg(s.maxCount());
    for (int section = 0; section <= 3; ++section) {
        out += u" | "_qs + s.cell(section, 0) + u':';
        for (qsizetype k = 1; k <= s.count(section) + 1; ++k) // one past the last: ""
            out += (k > 1 ? u"/"_qs : u""_qs) + s.cell(section, k);
    }
    return r.valid ? out : r.message == patternFileInvalid ? rule.join(u',') + u": invalid"_qs : r.message;
}
} // namespace

class TestSources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Lines end at CR LF, LF or CR; UTF-8 when the bytes are, else Windows-1252. Files are read in blocks of 1 MiB:
    // a CR LF, a UTF-8 sequence or a late 8-bit byte across a block's end reads as in one piece. Then both readers.
    void readingFiles()
    {
        const qsizetype block = 1 << 20;
        const QByteArray as(block - 1, 'a');
        const QList<std::pair<QByteArray, QStringList>> cases{{"", {}}, {"a\nb", {"a", "b"}}, {"\na", {"", "a"}},
            {"\r\n\na\r\r\n", {"", "", "a", ""}}, {"a\n\rb", {"a", "", "b"}}, {"\r\n", {""}}, {"\xEF\xBB\xBF\xE9", {u"\u00e9"_qs}},
            {"\xEF\xBB\xBFok", {"ok"}}, {"\x80\x81\x8D\x8F\x90\x92\x9D\x9F\xA0\xFF", {u"\u20ac\u0081\u008d\u008f\u0090\u2019\u009d\u0178\u00a0\u00ff"_qs}},
            {"ab\xC3", {u"ab\u00c3"_qs}}, {"\x80\x81", {u"\u20ac\u0081"_qs}}, {QByteArray("a\0b", 3), {QStringView(u"a\0b", 3).toString()}},
            {as + "\r\nb", {QString(as), "b"}}, {as + "\r", {QString(as)}}, {as + "\xC3\xA9\n", {QString(as) + u"\u00e9"_qs}},
            {QByteArray(block - 2, 'a') + "\xE2\x80\x99", {QString(block - 2, u'a') + u"\u2019"_qs}},
            {as + "\n\x92\xC3\xA9", {QString(as), u"\u2019\u00c3\u00a9"_qs}}, {QByteArray(block, 'a') + "\xC3\xA9", {QString(as) + u"a\u00e9"_qs}},
            {QByteArray(block, 'a') + "\nb", {QString(block, u'a'), "b"}}};
        QTemporaryDir dir;
        for (const auto &[bytes, lines] : cases) {
            QCOMPARE(splitTextLines(decodeTextFile(bytes)), lines);
            QFile file(dir.filePath("lines.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush());
            QStringList read{"stale"};
            QVERIFY(readTextFileLines(file.fileName(), read));
            QCOMPARE(read, lines);
        }
        // A pipe is read whole, and the reader still stops where it asks to.
        QCOMPARE(QProcess::execute("mkfifo", {dir.filePath("fifo")}), 0);
        QProcess writer;
        writer.start("sh", {"-c", "printf 'a\\r\\nb\\nc' > \"$0\"", dir.filePath("fifo")});
        QStringList read{"stale"}, taken;
        QVERIFY(readTextFileLines(dir.filePath("fifo"), [&](QStringView l) { return taken << l.toString(), taken.size() < 2; }));
        QVERIFY(writer.waitForFinished() && taken == QStringList({"a", "b"}));
        QVERIFY(!readTextFileLines(QString(), read) && read.isEmpty() && !readTextFileLines(VARNOCK_TEST_DATA, read) && !readTextFileLines(dir.filePath("absent"), read));
        // Two blanks give an empty token; "|2" is one plain token, "2|" two alternatives. Comments need ";" first; blank
        // lines and "[next] " are entries, kept as read; sections past the highest are not read.
        for (const auto &[file, read] : {std::pair{"elvish_bom.vnk", u"0,1|3,2: 3 4 3 | 3:ae/el/gil/ | 2:an/ar/ | 2:dor/wen/ | 1:ith/"},
                 {"format_rules.vnk", u"0,,1,2|,,|2: 2 3 4 | 4: ; blank-led line is an entry//Keep Case /[next] / | 1:one/ | 1:two/ | :"},
                 {"starts_with_next.vnk", u"[next]: 0 1 2 | 2:ka/ra/ | : | : | :"}, {"latin1.vnk", u"0: 0 1 1 | 1:\u00e9l\u00f1a/ | : | : | :"},
                 {"missing_sections.vnk", u"5: 5 3 1 | 1:a/ | 1:b/ | 1:c/ | :"}, {"empty_sections.vnk", u"0,1: 1 2 0 | 0: | 0: | : | :"},
                 {"huge_rule.vnk", u"0,2000000000: 2000000000 2 1 | 1:a/ | 1:b/ | : | :"}, {"only_comments.vnk", u": invalid"},
                 {"no_next.vnk", u"0,1: invalid"}, {"empty.vnk", u": invalid"}, {"overflow_rule.vnk", u"0,1e12: invalid"},
                 {"example.nam", u"My,rules: invalid"}, {"absent.vnk", u": invalid"}, {"", u": invalid"}})
            QCOMPARE(readPattern(file), QString::fromUtf16(read));
        for (const auto &[tokens, h] : {std::pair{QStringList{"2|"}, 2}, {{"|2"}, 0}, {{"|2|7"}, 0}, {{"1|3"}, 3}, {{"-4"}, 0},
                                        {{}, 0}, {{"abc", ""}, 0}, {{"2.5"}, 2}, {{"3.5", "1"}, 4}, {{"&H10"}, 16}})
            QCOMPARE(HighestSection(tokens), h);
        // Starts, middles and ends joined by "/", then whether an ending was read ("!" for
        // a rejected file); only a section's closing tag counts, a tag with a blank is an entry.
        for (const auto &[file, lists] : {std::pair{"example.nam", u"ka/el ra dor/wen 1"}, {"empty_start.nam", u" ra dor 1"},
                 {"tag_rules.nam", u"[END]/[STOP]/[MIDDLE] /  /[STOP] / ith 1"}, {"empty_end.nam", u"ka ra  0"},
                 {"single_end.nam", u"ka ra dor 1"}, {"utf8.nam", u"\u00e9l \u00f1a dor 1"}, {"ends_in_end.nam", u"ka ra dor/wen 1!"},
                 {"ends_in_middle.nam", u"ka ra  0!"}, {"no_start.nam", u"   0!"}, {"garbage.bin", u"   0!"}, {"elvish.vnk", u"   0!"},
                 {"absent.nam", u"   0!"}, {"", u"   0!"}}) {
            RuleLists read{{"stale"}, {"stale"}, {"stale"}, true};
            const FileReadResult r = LoadRulesFile(*file ? data(file) : VARNOCK_TEST_DATA, read);
            QCOMPARE(QStringList({read.RuleStarts.join(u'/'), read.RuleMiddles.join(u'/'), read.RuleEnds.join(u'/'),
                                  QString::number(read.endingRead)}).join(u' ') + (r.valid ? r.message : u"!"_qs), QString::fromUtf16(lists));
            QVERIFY(r.valid || r.message == rulesFileInvalid);
        }
        // Entry counters are 16-bit: 32767 entries fit, one more empties the lists.
        RuleLists lists;
        const QStringList full(32767, u"s"_qs), head{"[START]", "a", "[MIDDLE]", "[END]"};
        QVERIFY(parseRulesLines(head + full + QStringList{"[STOP]"}, lists).valid && lists.RuleEnds.size() == 32767);
        const QStringList over = head + full + QStringList{"e", "[STOP]"};
        qsizetype fed = 0; // reading stops at the entry too many
        const LineFeed feed = [&](const LineHandler &take) { return std::all_of(over.begin(), over.end(), [&](const QString &l) { return ++fed, take(l); }) || true; }; // a stop is no read error
        QVERIFY(!parseRulesFeed(feed, lists).valid && !lists.endingRead && fed == over.size() - 1 && lists.RuleEnds == QStringList{QString()} && lists.RuleStarts == lists.RuleEnds);
        for (const LineFeed &failing : {LineFeed([](const LineHandler &take) { return take(u"[START]"), take(u"ka"), false; }), // a read error part-way
                                        LineFeed([](const LineHandler &take) -> bool { take(u"[START]"), take(u"ka"); throw std::bad_alloc(); })}) {
            QVERIFY(!parseRulesFeed(failing, lists).valid && lists.RuleStarts == QStringList{QString()});
            PatternSections sections; // nor does a pattern read
            QVERIFY(!parsePatternFeed(failing, read, sections).valid && read.isEmpty());
        }
        for (const auto &[lines, problem] : {std::pair{QStringList{"[START]"} + full + QStringList{"s"}, u"line 32769: a section holds at most 32767 entries"},
                                             {QStringList{"[START]"} + full, u"line 32768: the file ends inside the start section, before [MIDDLE]"},
                                             {full + QStringList{"s"}, u"line 32768: the file ends before any [START] line"}}) // no section to fill yet
            QCOMPARE(rulesFileProblems(memoryLines(lines)), QStringList{QString::fromUtf16(problem)});
    }

    void exactWords()
    {
        RuleLists lists;
        QStringList rule, drawn;
        PatternSections sections;
        const std::tuple<const char *, std::vector<float>, QStringList, QStringList> cases[] = { // tokens replace the file's rule
            // Blank tokens draw nothing; an empty alternative draws only the choice.
            {"format_rules.vnk", {P(2, 4), 0.0f, P(1, 2), P(3, 4), P(0, 4), P(0, 1), P(0, 2), 0.0f, P(0, 4)},
             {"Keep Case One[next] ", " ; Blank-led Line Is An Entryonetwo ; Blank-led Line Is An Entry"}, {}},
            // Numbers that name no section add nothing; "-0.4" rounds to 0.
            {"negative.vnk", {0.9f, 0.1f, 0.5f}, {"Kaka"}, {}}, {"huge_rule.vnk", {0.1f, 0.99f}, {"A"}, {}},
            {"huge_rule.vnk", {0.5f, 0.5f, 0.5f, 0.5f, 0.4f, 0.5f}, {"Aa"}, {"&HFFFFFFFFF", "1e300", "-1e300", "0", "0.5|1.5"}},
            {"example.nam", {P(0, 2), 0.3f, P(0, 2), P(1, 2), 0.9f, P(1, 2)}, {"Karador", "Elrawen"}, {}},
            {"mixed_case.nam", {0.f, 0.f, 0.f}, {"Karador"}, {}}, {"blank_ending.nam", {0.f, 0.f, 0.f}, {"Kara Ith"}, {}},
            {"empty_sections.vnk", {0.f, 0.f}, {""}, {}}}; // a reached but empty section adds nothing
        for (const auto &[file, draws, words, tokens] : cases) {
            ScriptedRandom random(draws);
            WordArray made{"stale"};
            if (QByteArray(file).endsWith(".nam") && LoadRulesFile(data(file), lists).valid)
                GenerateFromRules(words.size(), made, lists, random);
            else if (LoadPatternFile(data(file), rule, sections).valid)
                GenerateFromPattern(words.size(), made, tokens.isEmpty() ? rule : tokens, sections, random);
            QVERIFY2(made == QStringList{QString()} + words && random.remaining() == 0, qPrintable(file + u": "_qs + made.join(u'|')));
        }
        // Progress at whole percents; a negative count fails before anything changes.
        QVERIFY(LoadRulesFile(data("example.nam"), lists).valid && LoadPatternFile(data("elvish.vnk"), rule, sections).valid);
        const GenerationHooks hooks{.progress = [&](float f, const QString &caption) { drawn << QString::number(f) + caption; }};
        XoshiroRandom random(1);
        WordArray words{"kept"};
        QCOMPARE(outcome([&] { return GenerateFromRules(-1, words, lists, random), 0; })
                     + outcome([&] { return GenerateFromPattern(-1, words, rule, sections, random), 0; }) + words.join(u""), u"E9E9kept"_qs);
        GenerateFromRules(3, words, lists, random, hooks);
        GenerateFromPattern(3, words, rule, sections, random, hooks);
        QCOMPARE(drawn.join(u' '), QStringList(2, u"0.33Generating... 0.66Generating... 1Generating..."_qs).join(u' '));
        QVERIFY((GenerateFromPattern(0, words, rule, sections, random), words == QStringList{QString()}));
        QStringList counts; // the stored count: 16-bit, never negative
        for (const char *text : {"500", "", "32767", "2.5 words", "32768", "32767.5", "-1", "-32769", "1e400"})
            counts << outcome([&] { return fileRunCount(QString::fromLatin1(text)); });
        QCOMPARE(counts.join(u' '), u"500 0 32767 2 E6 E6 E9 E6 E6"_qs);
    }
};

QTEST_GUILESS_MAIN(TestSources)
#include "test_sources.moc"
