#pragma once

#include <QString>

// Lower-cases the text, then upper-cases every character that stands first
// or after a space, tab, LF, VT, FF, CR or NUL. Hyphens and apostrophes
// start no new word: "o'neil" gives "O'neil".
QString ProperCase(const QString &text);
// The same in place over UTF-16 units, for the generators' hot loops.
void properCaseInPlace(QChar *text, qsizetype length);

// Gives Word the capitals of Sample position by position when both have the
// same length (a caseless sample character makes the word's character upper
// case); otherwise Word in proper case.
QString CopyCase(QString Word, const QString &Sample);
// The generators' case step in place over a word of length units: the
// sample's capitals when case matters and the lengths agree, proper case
// otherwise (a few letters grow when the filter is lower-cased).
void shapeCaseInPlace(QChar *word, qsizetype length, bool caseMatters, QStringView sample);
