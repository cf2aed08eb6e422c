#include "cli/WordSources.h"

#include "cli/FileSourceCommand.h"

#include <array>

namespace {
// Add a source here: { "option", "FILE", "help line", &openFunction }.
const std::array<WordSource, 2> sources{{
    {"pattern", "FILE", "words from a pattern file (.vnk) instead of SAMPLE", &openPatternFile},
    {"rules", "FILE", "words from a rules file (.nam) instead of SAMPLE", &openRulesFile},
}};
} // namespace

std::span<const WordSource> wordSources()
{
    return sources;
}

const WordSource *findWordSource(const QString &option)
{
    for (const WordSource &source : wordSources()) {
        if (option == QLatin1String(source.option))
            return &source;
    }
    return nullptr;
}

const WordSource &wordSourceForFile(const QString &path)
{
    const bool rules = path.endsWith(u".nam", Qt::CaseInsensitive) || path.endsWith(u".txt", Qt::CaseInsensitive);
    return sources[rules ? 1 : 0];
}
