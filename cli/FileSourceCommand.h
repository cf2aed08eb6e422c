#pragma once

#include "cli/CliArguments.h"
#include "engine/RandomSource.h"
#include "engine/WordArray.h"

#include <QString>

// "--pattern FILE" and "--rules FILE": words from a pattern or rules file,
// read and generated exactly as the window does. A file the reader refuses
// gives its fixed sentence and no words; a rules file cut short inside its
// end section gives the sentence together with its words.
QString generateFromPatternFile(const GenerateArguments &arguments, RandomSource &random, WordArray &words);
QString generateFromRulesFile(const GenerateArguments &arguments, RandomSource &random, WordArray &words);
