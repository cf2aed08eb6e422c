#include "cli/Subcommands.h"

#include "cli/CheckCommand.h"
#include "cli/MutateCommand.h"
#include "cli/SubstituteCommand.h"

#include <array>

namespace {
// Add a subcommand here: { "name", "summary", &runFunction }.
const std::array<Subcommand, 3> commands{{
    {"mutate", "siblings of a word by random letter changes", &runMutateCommand},
    {"check", "report problems and possible words of pattern and rules files", &runCheckCommand},
    {"substitute", "rewrite a phrase from one charset into another", &runSubstituteCommand},
}};
} // namespace

std::span<const Subcommand> subcommands()
{
    return commands;
}

const Subcommand *findSubcommand(const QString &name)
{
    for (const Subcommand &command : subcommands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}
