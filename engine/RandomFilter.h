#pragma once

#include "engine/RandomSource.h"

#include <QString>

// Invents a sample word of the placeholder letters a and c, 4 to 13 letters
// long, never with three equal letters in a row. Reseeds the source from the
// clock after drawing the length.
QString RandomFilter(RandomSource &random);
