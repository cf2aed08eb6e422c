// Arbitrary text through the leading-number reader and the count-box answer
// built on it: neither may throw, give a NaN, or leave the box's range.
#include "engine/NumberText.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The raw bytes as 16-bit units, so every character a text can hold is tried.
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const double value = leadingNumber(text);
    const CountAnswer answer = readCountAnswer(text, 500);
    // A character that fits no number ends the reading without changing it.
    if (std::isnan(value) || leadingNumber(text + u'x') != value || answer.value < 0 || answer.value > 500
        || (answer.kind == CountAnswer::Store && answer.value == 0))
        __builtin_trap();
    (void)countPrefill(text, QStringLiteral("500"));
    return 0;
}
