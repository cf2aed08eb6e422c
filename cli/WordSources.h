#pragma once

#include "cli/CliArguments.h"
#include "engine/RandomSource.h"
#include "engine/WordArray.h"

#include <span>

// Word sources other than the sample. Each one adds a long option that takes
// a FILE (e.g. "--pattern FILE"); when it is given, SAMPLE is not needed and
// the source fills the word array, which the generate command then sorts,
// thins and writes like any other run.
struct WordSource {
    const char *option;    // long option name without the dashes
    const char *valueName; // shown in the usage text, e.g. "FILE"
    const char *help;      // one line for the usage text
    // Fills words[1..count] (index 0 unused). Returns an empty string on
    // success, otherwise the message to show; a VarnockError thrown here is
    // shown by its description. Either failure ends the run with exit status
    // 1 (ExitInputRejected) and writes nothing.
    QString (*generate)(const GenerateArguments &arguments, RandomSource &random, WordArray &words);
};

// The table of registered sources (WordSources.cpp).
std::span<const WordSource> wordSources();
const WordSource *findWordSource(const QString &option);
