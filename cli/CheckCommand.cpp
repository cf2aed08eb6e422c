#include "cli/CheckCommand.h"

#include "cli/CliArguments.h"
#include "cli/DrawnRun.h"
#include "cli/WordSources.h"

namespace {
const char *const Usage =
    "Usage: varnock-cli check FILE...\n"
    "Reads each pattern file (.vnk) or rules file (.nam, .txt) as a run would and\n"
    "prints the lines that are likely not read as meant (a rule naming a section\n"
    "the file does not have: sections count from 0), whether the file is usable,\n"
    "and how many different words it can make.\n"
    "\n"
    "Options:\n"
    "  -h, --help          show this help\n"
    "\n"
    "Exit status: 0 every file usable, 1 a file unusable or unreadable, 2 bad\n"
    "arguments.\n";

const QCommandLineOption HelpOption(QStringList{u"h"_qs, u"help"_qs});

// Reports one file; false when it is unusable.
bool checkFile(const QString &path, std::FILE *out, std::FILE *err)
{
    const OpenedSource source = wordSourceForFile(path).open(path);
    if (source.refusal.startsWith(u"cannot open ")) {
        writeText(err, QStringLiteral("varnock-cli check: %1\n").arg(source.refusal));
        return false;
    }
    QString report;
    for (const QString &problem : source.problems)
        report += problem + u'\n';
    if (!source.refusal.isEmpty())
        report += source.refusal + u'\n';
    if (source.stream.givesWords || source.refusal.isEmpty())
        report += QStringLiteral("%1: possible words: %2\n").arg(path, possibleWordsText(source.stream, {}));
    writeText(out, report);
    return source.refusal.isEmpty();
}
} // namespace

int checkMain(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const ParsedLine line = parseCommandLine({HelpOption}, arguments);
    if (!line.fault && !line.options.isEmpty()) {
        writeText(out, QString::fromLatin1(Usage));
        return finishOutput(out, err, u"varnock-cli check"_qs);
    }
    if (line.fault || line.positional.isEmpty()) {
        writeText(err, QStringLiteral("varnock-cli check: %1\nTry 'varnock-cli check --help'.\n")
                           .arg(line.fault ? QStringLiteral("unknown option %1").arg(quoted(line.fault->argument))
                                           : u"no FILE given"_qs));
        return ExitBadArguments;
    }
    bool usable = true;
    for (const QString &path : line.positional)
        usable = checkFile(path, out, err) && usable;
    if (finishOutput(out, err, u"varnock-cli check"_qs) != ExitOk)
        return ExitWriteFailed;
    return usable ? ExitOk : ExitInputRejected;
}

int runCheckCommand(const QStringList &arguments)
{
    return checkMain(arguments, stdout, stderr);
}
