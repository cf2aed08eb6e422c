// Arbitrary bytes through the pattern-file reader and, when it accepts them, a short run: every reachable lookup is tried.
#include "sources/PatternFile.h"
#include "engine/RandomSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringList rule;
    PatternSections sections;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const FileReadResult result = parsePatternLines(splitTextLines(decodeTextFile(bytes)), rule, sections);
    if (!result.valid && result.message != patternFileInvalid)
        __builtin_trap();
    for (qsizetype s = 0; result.valid && s < sections.reached(); ++s)
        (void)sections.cell(s, sections.count(s) + 1);
    WordArray words;
    if (XoshiroRandom random(1); result.valid)
        GenerateFromPattern(4, words, rule, sections, random);
    return 0;
}
