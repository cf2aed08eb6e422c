#pragma once

#include <QString>

// Turns a sample word into a filter: "v"/"V" for vowels, "c"/"C" for
// consonants (capital where the sample's letter is a capital), every other
// character copied. The result has the sample's length.
QString Filterize(const QString &TargetWord);

// The filter that the filter box hands to the generators: Filterize, then
// lower case, so "V" and "C" become the elements "v" and "c".
QString filterFromSample(const QString &sample);
