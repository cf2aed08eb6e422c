#include "cli/GenerateCommand.h"
#include "cli/Subcommands.h"

#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!arguments.isEmpty()) {
        if (const Subcommand *command = findSubcommand(arguments.first()))
            return command->run(arguments.mid(1));
    }
    return generateMain(arguments, stdout, stderr);
}
