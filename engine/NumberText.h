#pragma once

#include <QStringView>
#include <cstdint>

// The numeric value read from the start of a text, 0 when there is none.
// Blanks, tabs and line feeds are skipped before and inside the number;
// "&H" and "&O" introduce hexadecimal and octal whole numbers.
double leadingNumber(QStringView text);

// Round half to the even neighbour; a value outside the type's range (or not
// a number) throws VarnockError Overflow.
std::int32_t roundToInt32(double value);
std::int16_t roundToInt16(double value);
std::int64_t roundToInt64(double value);

// Plain decimal text of a number as a settings value or a description shows
// it: whole numbers without a fraction ("500"), others shortest ("12.5").
QString plainNumberText(double value);
