#include "engine/NumberText.h"

#include "engine/VarnockError.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

// Walks a text the way the leading-number rule reads it: blanks, tabs and
// line feeds between the characters of a number are passed over.
class NumberCursor {
public:
    explicit NumberCursor(QStringView text) : text_(text) {}

    // The next character that is not skipped, or U+0000 at the end.
    char16_t peek()
    {
        while (i_ < text_.size() && isSkippable(text_[i_].unicode()))
            ++i_;
        return i_ < text_.size() ? text_[i_].unicode() : u'\0';
    }
    void take() { ++i_; }
    qsizetype position() const { return i_; }
    void rewind(qsizetype position) { i_ = position; }

private:
    static bool isSkippable(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
    QStringView text_;
    qsizetype i_ = 0;
};

bool isDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int digitValue(char16_t c, int radix)
{
    int digit = -1;
    if (isDecimalDigit(c))
        digit = c - u'0';
    else if (radix == 16 && c >= u'a' && c <= u'f')
        digit = c - u'a' + 10;
    else if (radix == 16 && c >= u'A' && c <= u'F')
        digit = c - u'A' + 10;
    return digit < radix ? digit : -1;
}

// A hexadecimal or octal whole number, unsigned; beyond 2^53 it is the
// nearest double, and infinity once it leaves the double range.
double radixNumber(NumberCursor &cursor, int radix)
{
    double value = 0;
    for (int digit = digitValue(cursor.peek(), radix); digit >= 0; digit = digitValue(cursor.peek(), radix)) {
        value = value * radix + digit;
        cursor.take();
    }
    return value;
}

// The characters of a decimal number gathered without the skipped blanks,
// with a rough power of ten that tells an overflow from an underflow.
struct DecimalText {
    std::string chars;
    bool negative = false;
    bool anyDigit = false;
    long long magnitude = 0; // about log10 of the value
};

void readMantissa(NumberCursor &cursor, DecimalText &number)
{
    bool point = false;
    bool significant = false;
    for (char16_t c = cursor.peek(); isDecimalDigit(c) || (c == u'.' && !point); c = cursor.peek()) {
        cursor.take();
        number.chars.push_back(char(c));
        if (c == u'.') {
            point = true;
            continue;
        }
        number.anyDigit = true;
        significant = significant || c != u'0';
        if (significant && !point)
            ++number.magnitude;
        else if (!significant && point)
            --number.magnitude;
    }
}

// Only "E" in either case starts an exponent, and only one with digits
// counts: "12e" reads as 12, since the conversion stops where the number does.
void readExponent(NumberCursor &cursor, DecimalText &number)
{
    if (cursor.peek() != u'e' && cursor.peek() != u'E')
        return;
    cursor.take();
    std::string exponent = "e";
    if (const char16_t sign = cursor.peek(); sign == u'+' || sign == u'-') {
        exponent.push_back(char(sign));
        cursor.take();
    }
    long long value = 0;
    for (char16_t c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
        exponent.push_back(char(c));
        // The magnitude only tells a number too large from one too small; any
        // cap this far beyond a double's range does, without overflowing.
        value = std::min(value * 10 + (c - u'0'), 1'000'000'000LL);
        cursor.take();
    }
    number.chars += exponent;
    number.magnitude += exponent[1] == '-' ? -value : value;
}

// Converts in the "C" notation whatever the program's locale is.
double convertDecimal(const DecimalText &number)
{
    // from_chars takes the longest number the characters start with (an "e"
    // without digits is left over); only the number's size can fail.
    double value = 0;
    const std::string &chars = number.chars;
    const auto read = std::from_chars(std::to_address(chars.begin()), std::to_address(chars.end()), value);
    if (read.ec == std::errc::result_out_of_range)
        value = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return number.negative ? -value : value;
}

double decimalNumber(NumberCursor &cursor)
{
    DecimalText number;
    if (const char16_t sign = cursor.peek(); sign == u'+' || sign == u'-') {
        number.negative = sign == u'-';
        cursor.take();
    }
    readMantissa(cursor, number);
    // No digit, no number: 0 at once, and a "-" alone is not minus zero.
    if (!number.anyDigit)
        return 0;
    readExponent(cursor, number);
    return convertDecimal(number);
}

} // namespace

double leadingNumber(QStringView text)
{
    NumberCursor cursor(text);
    if (cursor.peek() == u'&') {
        const qsizetype start = cursor.position();
        cursor.take();
        const char16_t kind = cursor.position() < text.size() ? text[cursor.position()].unicode() : u'\0';
        cursor.take();
        if (kind == u'H' || kind == u'h')
            return radixNumber(cursor, 16);
        if (kind == u'O' || kind == u'o')
            return radixNumber(cursor, 8);
        cursor.rewind(start);
    }
    return decimalNumber(cursor);
}

CountAnswer readCountAnswer(QStringView answer, std::int32_t bound)
{
    // Rounded first, so that 500.5 is 500 and not above a bound of 500;
    // infinities and values past 32 bits simply compare as large.
    const double rounded = std::nearbyint(leadingNumber(answer));
    if (rounded > bound)
        return {CountAnswer::Capped, bound};
    if (rounded < 0)
        return {CountAnswer::Negative, 0};
    if (rounded == 0)
        return {CountAnswer::Unchanged, 0};
    return {CountAnswer::Store, std::int32_t(rounded)};
}

QString countPrefill(QStringView stored, const QString &fallback)
{
    const double value = leadingNumber(stored);
    const double rounded = std::nearbyint(value);
    // Whole numbers without a fraction ("500"), others as typed ("12.5").
    if (rounded >= -2147483648.0 && rounded <= 2147483647.0)
        return value == rounded ? QString::number(qint64(value)) : QString::number(value, 'g', 15);
    return fallback;
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
