#pragma once

#include "cli/CliArguments.h"
#include "engine/RandomSource.h"
#include "engine/WordArray.h"

#include <QStringList>
#include <cstdio>

// The generate command as the program runs it: parses the arguments, prints
// help, version or an error, or runs. Returns the exit code.
int generateMain(const QStringList &arguments, std::FILE *out, std::FILE *err);

// Runs a parsed generate command: words to out (or to the output file),
// messages to err. Returns the exit code.
int runGenerate(const GenerateArguments &arguments, std::FILE *out, std::FILE *err);

// Sorts, thins and writes words 1..N of a filled word array as the arguments
// say; for word sources that fill a WordArray of their own.
int writeWordArray(WordArray &words, const GenerateArguments &arguments, std::FILE *out, std::FILE *err);

// The random source of a run: the given seed, or the clock.
XoshiroRandom randomFor(const GenerateArguments &arguments);
