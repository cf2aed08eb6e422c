#pragma once

#include "cli/CliArguments.h"
#include "engine/WordArray.h"

#include <QStringList>
#include <cstdio>

// The generate command as the program runs it: parses the arguments, prints
// help, version or an error, or runs. Returns the exit code.
int generateMain(const QStringList &arguments, std::FILE *out, std::FILE *err);

// Sorts and thins words[1..] as the options say and writes them; the exit code.
int writeWordArray(WordArray &words, const GenerateArguments &arguments, std::FILE *out, std::FILE *err);
// One line on standard error, "varnock-cli: " first.
void cliMessage(std::FILE *err, const QString &text);
