#include "cli/WordSources.h"

#include <array>

namespace {
// Add a source here: { "option", "FILE", "help line", &generateFunction }.
const std::array<WordSource, 0> sources{};
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
