// Arbitrary bytes through the rules-file reader and, when it read an ending, a short run; every list keeps its one string.
#include "sources/RulesFile.h"
#include "engine/RandomSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    RuleLists lists;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const FileReadResult result = parseRulesLines(splitTextLines(decodeTextFile(bytes)), lists);
    if ((!result.valid && result.message != rulesFileInvalid) || lists.RuleStarts.isEmpty() || lists.RuleMiddles.isEmpty()
        || lists.RuleEnds.isEmpty())
        __builtin_trap();
    WordArray words;
    if (XoshiroRandom random(1); lists.endingRead)
        GenerateFromRules(4, words, lists, random);
    return 0;
}
