#pragma once

#include <QStringList>
#include <cstdio>

// "varnock-cli substitute PHRASE": the phrase rewritten from one charset
// into another, with its capitals kept, as the substitution tool does;
// --shuffle shuffles the new charset first. The tool's settings are neither
// read nor written.
int substituteMain(const QStringList &arguments, std::FILE *out, std::FILE *err);
int runSubstituteCommand(const QStringList &arguments);
