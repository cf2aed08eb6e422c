// Feeds arbitrary bytes through the pattern-file reader and, when it accepts
// them, a short generation run, so that any reachable table lookup is tried.
#include "sources/PatternFile.h"

#include <cstddef>
#include <cstdint>

namespace {
// Deterministic draws spread over [0, 1).
class CyclingRandom final : public RandomSource {
public:
    float next() override { return float((step_ = step_ * 1103515245u + 12345u) >> 8) * 0x1.0p-24f; }
    void reseedFromClock() override {}

private:
    std::uint32_t step_ = 1;
};
} // namespace

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
