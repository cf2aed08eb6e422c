#pragma once

#include "cli/CliArguments.h"
#include "cli/WordSources.h"

#include <cstdio>

// The runs that look at each word: --possible counts the words a stream can
// make, --distinct collects different ones, --reject draws again for every
// word a pattern matches. Returns the exit code.
int runDrawn(const GenerateArguments &arguments, const WordStream &stream, RandomSource &random, std::FILE *out,
             std::FILE *err);

// How many different words the stream can make that rejected (may be empty)
// lets through: "18 (exact)" or "2097152 (upper bound)".
QString possibleWordsText(const WordStream &stream, const std::function<bool(const QString &)> &rejected);

// True when the run needs runDrawn rather than writing words as they come.
inline bool needsDrawing(const GenerateArguments &arguments)
{
    return arguments.distinct || arguments.possible || !arguments.rejects.isEmpty();
}
