#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// The numeric value read from the start of a text, 0 when there is none.
// Blanks, tabs and line feeds are skipped before and inside the number;
// "&H" and "&O" introduce unsigned hexadecimal and octal whole numbers; only
// "E" starts an exponent; the decimal point is "." in every locale. Never
// throws: a value past the double range is an infinity of its sign.
double leadingNumber(QStringView text);

// The answer of a count box: its leading number rounded half to even, then
// compared with the box's bound. Anything above the bound, infinities
// included, is Capped at it; below zero is Negative; 0 leaves the setting
// Unchanged.
struct CountAnswer {
    enum Kind { Unchanged, Store, Capped, Negative };
    Kind kind = Unchanged;
    std::int32_t value = 0;
};
CountAnswer readCountAnswer(QStringView answer, std::int32_t bound);

// The text a count box shows for a stored value: its leading number in plain
// decimal form, or fallback when it does not round to a 32-bit integer.
QString countPrefill(QStringView stored, const QString &fallback);

// Round half to the even neighbour; a value outside the type's range (or not
// a number) throws VarnockError Overflow.
std::int32_t roundToInt32(double value);
std::int16_t roundToInt16(double value);
std::int64_t roundToInt64(double value);
