#pragma once

#include "cli/WordSources.h"

// "--pattern FILE" and "--rules FILE": the file read as the window reads it,
// then looked at again for lines that likely mean something else. A file
// that cannot be opened is refused with the system's reason; one the reader
// refuses, with the reader's sentence.
OpenedSource openPatternFile(const QString &path);
OpenedSource openRulesFile(const QString &path);
