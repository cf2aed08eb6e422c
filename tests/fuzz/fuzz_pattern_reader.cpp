// Feeds arbitrary bytes through the pattern-file reader and, when it accepts
// them, a short generation run, so that any reachable table lookup is tried.
#include "sources/PatternFile.h"

#include "support/CyclingRandom.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList rule;
    PatternSections sections;
    const FileReadResult result = parsePatternLines(splitTextLines(decodeTextFile(bytes)), rule, sections);
    if (result.valid) {
        for (qsizetype s = 0; s < sections.reached(); ++s)
            (void)sections.cell(s, sections.count(s) + 1);
        CyclingRandom random;
        WordArray words;
        GenerateFromPattern(4, words, rule, sections, random);
    } else if (result.message != patternFileInvalid) {
        __builtin_trap();
    }
    return 0;
}
