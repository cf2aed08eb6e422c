#pragma once

#include <QStringList>

// A run's words at indices 1..N; index 0 is never a word.
using WordArray = QStringList;

inline qsizetype upperBound(const WordArray &words) { return words.size() - 1; }
