#include "engine/NumberText.h"

#include "engine/VarnockError.h"

#include <QString>
#include <cmath>
#include <limits>

namespace {

bool isSkippable(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

double radixNumber(QStringView text, qsizetype i, int radix)
{
    std::uint64_t value = 0;
    bool any = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isSkippable(c))
            continue;
        int digit = -1;
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (radix == 16 && u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (radix == 16 && u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        any = true;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFull)
            throw VarnockError(ErrorNumber::Overflow);
    }
    if (!any)
        return 0;
    // Whole numbers of up to 16 bits read as signed 16-bit, up to 32 bits as
    // signed 32-bit: "&HFFFF" is -1.
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

} // namespace

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSkippable(text[i]))
        ++i;
    if (i + 1 < n && text[i] == u'&') {
        const QChar kind = text[i + 1].toUpper();
        if (kind == u'H')
            return radixNumber(text, i + 2, 16);
        if (kind == u'O')
            return radixNumber(text, i + 2, 8);
    }

    // Collect the characters of the number without the skipped blanks, then
    // let the C library convert them, so rounding is exact.
    std::string digits;
    auto peek = [&]() -> QChar {
        while (i < n && isSkippable(text[i]))
            ++i;
        return i < n ? text[i] : QChar();
    };
    QChar c = peek();
    if (c == u'+' || c == u'-') {
        digits.push_back(static_cast<char>(c.unicode()));
        ++i;
    }
    bool mantissaDigits = false;
    bool point = false;
    for (c = peek(); i < n; c = peek()) {
        if (c >= u'0' && c <= u'9') {
            digits.push_back(static_cast<char>(c.unicode()));
            mantissaDigits = true;
            ++i;
        } else if (c == u'.' && !point) {
            digits.push_back('.');
            point = true;
            ++i;
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0;
    c = peek();
    if (i < n && (c == u'e' || c == u'E' || c == u'd' || c == u'D')) {
        // Only an exponent with digits counts; "12e" reads as 12.
        const qsizetype save = i;
        std::string exponent = "e";
        ++i;
        QChar s = peek();
        if (i < n && (s == u'+' || s == u'-')) {
            exponent.push_back(static_cast<char>(s.unicode()));
            ++i;
        }
        bool expDigits = false;
        for (s = peek(); i < n && s >= u'0' && s <= u'9'; s = peek()) {
            exponent.push_back(static_cast<char>(s.unicode()));
            expDigits = true;
            ++i;
        }
        if (expDigits)
            digits += exponent;
        else
            i = save;
    }
    const double value = std::strtod(digits.c_str(), nullptr);
    if (std::isinf(value))
        throw VarnockError(ErrorNumber::Overflow);
    return value;
}

namespace {
template <typename Int>
Int roundHalfEven(double value)
{
    if (std::isnan(value))
        throw VarnockError(ErrorNumber::Overflow);
    const double rounded = std::nearbyint(value); // default mode: ties to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw VarnockError(ErrorNumber::Overflow);
    return static_cast<Int>(rounded);
}
} // namespace

std::int32_t roundToInt32(double value) { return roundHalfEven<std::int32_t>(value); }
std::int16_t roundToInt16(double value) { return roundHalfEven<std::int16_t>(value); }

std::int64_t roundToInt64(double value)
{
    // 2^63 itself is not representable; compare against the last double below it.
    if (std::isnan(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        throw VarnockError(ErrorNumber::Overflow);
    return static_cast<std::int64_t>(std::nearbyint(value));
}

QString plainNumberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}
