#include "cli/Subcommands.h"

#include <array>

namespace {
// Add a subcommand here: { "name", "summary", &runFunction }.
const std::array<Subcommand, 0> commands{};
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
