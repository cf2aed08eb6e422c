// Feeds arbitrary bytes through the rules-file reader and, when it read an
// ending, a short generation run.
#include "sources/RulesFile.h"

#include "support/CyclingRandom.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    RuleLists lists;
    const FileReadResult result = parseRulesLines(splitTextLines(decodeTextFile(bytes)), lists);
    if (!result.valid && result.message != rulesFileInvalid)
        __builtin_trap();
    // Every list keeps at least its one string, whatever the file held.
    if (lists.RuleStarts.isEmpty() || lists.RuleMiddles.isEmpty() || lists.RuleEnds.isEmpty())
        __builtin_trap();
    if (lists.endingRead) {
        CyclingRandom random;
        WordArray words;
        GenerateFromRules(4, words, lists, random);
    }
    return 0;
}
