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
    // A file cut short inside its end section still has endings to use, but
    // the caller reports the file and writes nothing either way.
    if (!read.valid)
        return read.message;
    if (!lists.endingRead)
        return {};
    GenerateFromRules(arguments.count, words, lists, random);
    return {};
}
