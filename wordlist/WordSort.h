#pragma once

#include "engine/WordArray.h"

// Sorts the words at indices 1..U, U being the array's upper bound (its size
// minus one), ascending in ordinal (code-unit) order; index 0 is neither read
// nor moved.
void Shaker(WordArray &dataarrays);

// Quicksort around the middle element of Low..Hi inclusive.
void QuickSort(WordArray &vData, qint32 Low, qint32 Hi);

// Removes repeats from a sorted array in one pass (each run of equal
// neighbours keeps one copy) and lowers the upper bound to match.
void KillDupes(WordArray &WordList);
