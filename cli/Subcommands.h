#pragma once

#include <QStringList>
#include <span>

// Commands other than generating from a sample, chosen by the first
// argument ("varnock-cli NAME ..."). Each gets the arguments after its name
// and returns the exit code. A sample word that happens to be a command's
// name is given after "--".
struct Subcommand {
    const char *name;
    const char *summary; // one line for the usage text
    int (*run)(const QStringList &arguments);
};

// The table of subcommands (Subcommands.cpp).
std::span<const Subcommand> subcommands();
const Subcommand *findSubcommand(const QString &name);
