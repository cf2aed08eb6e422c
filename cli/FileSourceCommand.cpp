#include "cli/FileSourceCommand.h"

#include "sources/PatternFile.h"
#include "sources/RulesFile.h"

QString generateFromPatternFile(const GenerateArguments &arguments, RandomSource &random, WordArray &words)
{
    QStringList rule;
    PatternSections sections;
    const FileReadResult read = LoadPatternFile(arguments.sourceValue, rule, sections);
    if (!read.valid)
        return read.message;
    // A file whose sections are all empty makes no words, without complaint.
    if (sections.maxCount() == 0)
        return {};
    GenerateFromPattern(arguments.count, words, rule, sections, random);
    return {};
}

QString generateFromRulesFile(const GenerateArguments &arguments, RandomSource &random, WordArray &words)
{
    RuleLists lists;
    const FileReadResult read = LoadRulesFile(arguments.sourceValue, lists);
    // As in the window: a file cut short inside its end section is reported
    // and still gives words from the endings it had.
    if (rulesGiveWords(lists))
        GenerateFromRules(arguments.count, words, lists, random);
    return read.message;
}
