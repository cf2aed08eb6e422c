#include "cli/GenerateCommand.h"
#include "cli/Subcommands.h"

#include <QStringList>
#include <csignal>
#include <cstdio>

int main(int argc, char **argv)
{
#ifdef SIGXFSZ
    // A file that outgrows the size limit is a write error to report, not a
    // reason to die with the temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!arguments.isEmpty()) {
        if (const Subcommand *command = findSubcommand(arguments.first()))
            return command->run(arguments.mid(1));
    }
    return generateMain(arguments, stdout, stderr);
}
