#pragma once

#include "cli/CliArguments.h"

#include <QStringList>
#include <cstdio>

// The generate command as the program runs it: parses the arguments, prints
// help, version or an error, or runs. Returns the exit code.
int generateMain(const QStringList &arguments, std::FILE *out, std::FILE *err);
