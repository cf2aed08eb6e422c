// The libFuzzer targets, one per reader (FUZZ_READER names it). Arbitrary bytes through the pattern or rules reader and,
// where it accepts them, a short run; any text through the leading-number reader and the count box. A fault traps.
#include "engine/NumberText.h"
#include "engine/RandomSource.h"
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"
#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    XoshiroRandom random(1);
    WordArray words;
    if (std::strcmp(FUZZ_READER, "pattern") == 0) { // every reachable lookup is tried
        QStringList rule;
        PatternSections sections;
        const FileReadResult result = parsePatternLines(splitTextLines(decodeTextFile(bytes)), rule, sections);
        if (!result.valid && result.message != patternFileInvalid)
            __builtin_trap();
        for (qsizetype s = 0; result.valid && s < sections.reached(); ++s)
            (void)sections.cell(s, sections.count(s) + 1);
        if (result.valid)
            GenerateFromPattern(4, words, rule, sections, random);
    } else if (std::strcmp(FUZZ_READER, "rules") == 0) { // every list keeps its one string
        RuleLists lists;
        const FileReadResult result = parseRulesLines(splitTextLines(decodeTextFile(bytes)), lists);
        if ((!result.valid && result.message != rulesFileInvalid) || lists.RuleStarts.isEmpty() || lists.RuleMiddles.isEmpty()
            || lists.RuleEnds.isEmpty())
            __builtin_trap();
        if (lists.endingRead)
            GenerateFromRules(4, words, lists, random);
    } else { // no NaN or answer outside the box; a non-digit after changes nothing
        const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
        const double value = leadingNumber(text);
        const CountAnswer answer = readCountAnswer(text, 500);
        if (std::isnan(value) || leadingNumber(text + u'x') != value || answer.value < 0 || answer.value > 500
            || (answer.kind == CountAnswer::Store && answer.value == 0))
            __builtin_trap();
        (void)countPrefill(text, QStringLiteral("500"));
    }
    return 0;
}
