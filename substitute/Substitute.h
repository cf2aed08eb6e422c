#pragma once

#include "engine/RandomSource.h"

#include <QString>

// Rewrites strWord character by character: a character found in strFilter
// (case ignored, first occurrence wins) becomes the character at the same
// position of strNewFilter, as stored there; a character not found is
// copied; one whose position lies beyond strNewFilter is dropped.
QString fnSubstitute(const QString &strWord, const QString &strFilter, const QString &strNewFilter);

// A shuffled copy: every position i is swapped once with a position drawn
// from the whole text (which may be i itself).
QString fnRandomize(const QString &text, RandomSource &random);
