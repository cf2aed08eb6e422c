// Any text through the leading-number reader and count-box answer: no throw, NaN or answer outside the box; a non-digit after changes nothing.
#include "engine/NumberText.h"
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const double value = leadingNumber(text);
    const CountAnswer answer = readCountAnswer(text, 500);
    if (std::isnan(value) || leadingNumber(text + u'x') != value || answer.value < 0 || answer.value > 500
        || (answer.kind == CountAnswer::Store && answer.value == 0))
        __builtin_trap();
    (void)countPrefill(text, QStringLiteral("500"));
    return 0;
}
