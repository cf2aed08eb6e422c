#include "cli/Subcommands.h"

#include "cli/MutateCommand.h"

#include <array>

namespace {
// Add a subcommand here: { "name", "summary", &runFunction }.
const std::array<Subcommand, 1> commands{{
    {"mutate", "siblings of a word by random letter changes", &runMutateCommand},
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
