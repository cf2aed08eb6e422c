#pragma once

#include "sources/PatternFile.h"
#include "sources/RulesFile.h"

#include <QStringList>

// The tables of the last pattern or rules file read, owned by the main
// window and replaced by every read.
struct FileTables {
    QStringList PatternRule;
    PatternSections Sections;
    RuleLists Rules;
};
