#pragma once

#include <QStringList>

// A run's words at indices 1..N; index 0 is never a word.
using WordArray = QStringList;
