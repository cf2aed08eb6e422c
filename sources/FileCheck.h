#pragma once

#include "engine/WordSpace.h"
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"
#include "sources/TextFileReading.h"

#include <QStringList>

// Second looks at a pattern or rules file, for the command line: the lines
// the readers take otherwise than their writer likely meant, and every word
// the tables read can make. The readers themselves (shared with the window)
// are left as they are; these only look again.

// Each problem starts "line N: ". For a pattern file read into rule and
// sections: sections the rule names that the file does not have, sections
// the rule never names, and why an unusable file is unusable.
QStringList patternFileProblems(const LineFeed &lines, const QStringList &rule, const PatternSections &sections);

// For a rules file: tags that are read as entries because of blanks around
// them, and where an unusable file stops.
QStringList rulesFileProblems(const LineFeed &lines);

// The words of a run over the tables: pieces lower-cased and the joined word
// put in proper case, as the runs shape them (so case variants count once).
WordSpace patternWordSpace(const QStringList &rule, const PatternSections &sections);
WordSpace rulesWordSpace(const RuleLists &lists);
