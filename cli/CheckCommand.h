#pragma once

#include <QStringList>
#include <cstdio>

// "varnock-cli check FILE...": reads pattern (.vnk) and rules (.nam, .txt)
// files as a run would and reports, on standard output, every line that is
// likely not read as meant, whether the file is usable, and how many words
// it can make. Exit status 0 when every file is usable, 1 otherwise, 2 bad
// arguments.
int checkMain(const QStringList &arguments, std::FILE *out, std::FILE *err);
int runCheckCommand(const QStringList &arguments);
