#pragma once

#include "engine/GenerateNames.h"
#include "engine/RandomSource.h"
#include "engine/WordArray.h"
#include "sources/TextFileReading.h"

#include <QString>
#include <QStringList>

// The beginnings, middles and endings of a rules file. Each list holds at
// least one string: a section without entries leaves a single "" in place,
// so it adds nothing to every word. endingRead tells whether the end
// section gave at least one entry; a single ending looks like no ending by
// the list's shape alone.
struct RuleLists {
    QStringList RuleStarts{QString()};
    QStringList RuleMiddles{QString()};
    QStringList RuleEnds{QString()};
    bool endingRead = false;

    void reset() { *this = RuleLists(); }
};

inline const QString rulesFileInvalid = QStringLiteral("This file is not a valid rules file.");

// Entry counters are 16-bit: a section holds at most this many entries.
inline constexpr qsizetype maxRulesSectionEntries = 32767;

// Reads a rules file into lists (reset first). A file that ends before
// "[STOP]" gives the fixed sentence and keeps what was read, endings
// included. A file that cannot be read, or a section with more entries than
// the counters hold, gives the same sentence with the lists left empty.
FileReadResult LoadRulesFile(const QString &path, RuleLists &lists);

// Whether a read gives words, valid or not: a file cut short inside its end
// section still does, from the endings it had, after its sentence is shown.
inline bool rulesGiveWords(const RuleLists &lists) { return lists.endingRead; }
FileReadResult parseRulesLines(const QStringList &lines, RuleLists &lists);
FileReadResult parseRulesFeed(const LineFeed &lines, RuleLists &lists);

// Fills WordArray with NoOfNames words at 1..NoOfNames: a beginning, a middle
// and an ending, drawn in that order, joined and put in proper case. A
// negative count throws VarnockError SubscriptOutOfRange; exhausted memory
// OutOfMemory. Progress goes to hooks.progress with "Generating...".
void GenerateFromRules(qint64 NoOfNames, WordArray &WordArray, const RuleLists &lists,
                       RandomSource &random, const GenerationHooks &hooks = {});
