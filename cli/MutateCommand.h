#pragma once

#include <QStringList>
#include <cstdio>

// "varnock-cli mutate WORD": siblings of WORD, one per line, bred exactly as
// the genetic creator window breeds them. Returns the exit code: 0 done,
// 1 a run that can never give a sibling (or output that could not be
// written), 2 bad arguments.
int mutateMain(const QStringList &arguments, std::FILE *out, std::FILE *err);
int runMutateCommand(const QStringList &arguments);
