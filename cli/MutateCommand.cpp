#include "cli/MutateCommand.h"

#include "cli/CliArguments.h"
#include "engine/RandomSource.h"
#include "genetic/SiblingLoop.h"

#include <limits>
#include <optional>

namespace {
const char *const Usage =
    "Usage: varnock-cli mutate [options] WORD\n"
    "Prints siblings of WORD: copies with random letter changes, a vowel always\n"
    "for a vowel and a consonant for a consonant, each differing from WORD.\n"
    "\n"
    "Options:\n"
    "  -n, --count N       number of siblings, 0 to 32767 (default 10)\n"
    "  -m, --mutations M   letter changes per sibling, 0 to 32767 (default 1);\n"
    "                      0 is refused as a run that cannot change WORD\n"
    "  -s, --seed S        seed for repeatable output, 0 to 18446744073709551615\n"
    "  -h, --help          show this help\n"
    "\n"
    "Exit status: 0 done, 1 no sibling can be bred (or the output could not be\n"
    "written), 2 bad arguments.\n";

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int badArguments(std::FILE *err, const QString &message)
{
    print(err, QStringLiteral("varnock-cli mutate: %1\nTry 'varnock-cli mutate --help'.\n").arg(message));
    return ExitBadArguments;
}

const QCommandLineOption CountOption(QStringList{u"n"_qs, u"count"_qs}, {}, u"N"_qs);
const QCommandLineOption MutationsOption(QStringList{u"m"_qs, u"mutations"_qs}, {}, u"M"_qs);
const QCommandLineOption SeedOption(QStringList{u"s"_qs, u"seed"_qs}, {}, u"S"_qs);
const QCommandLineOption HelpOption(QStringList{u"h"_qs, u"help"_qs});

struct MutateRun {
    qint64 count = 10;
    qint64 mutations = 1;
    std::optional<std::uint64_t> seed;
    QString word;
};

// Applies one value option; returns the message when its value is refused.
std::optional<QString> applyOption(const GivenOption &given, MutateRun &run)
{
    if (given.is(SeedOption)) {
        run.seed = strictNumber(given.value, std::numeric_limits<std::uint64_t>::max());
        if (!run.seed)
            return QStringLiteral("'%1' is not an unsigned 64-bit seed").arg(given.value);
        return std::nullopt;
    }
    // The mutation count is 16-bit, as in the settings; 0 passes here and is
    // refused by the run as one that can never change the word.
    const bool count = given.is(CountOption);
    const auto n = strictNumber(given.value, count ? MaxSiblingsPerRun : 32767);
    if (!n)
        return count ? QStringLiteral("'%1' is not a count from 0 to %2").arg(given.value).arg(MaxSiblingsPerRun)
                     : QStringLiteral("'%1' is not a number of mutations from 0 to 32767").arg(given.value);
    (count ? run.count : run.mutations) = qint64(*n);
    return std::nullopt;
}

// Reads the command line into run; gives the exit code when the command ends
// here (help shown, or bad arguments).
std::optional<int> readArguments(const QStringList &arguments, MutateRun &run, std::FILE *out, std::FILE *err)
{
    const ParsedLine line = parseCommandLine({CountOption, MutationsOption, SeedOption, HelpOption}, arguments);
    if (line.fault)
        return badArguments(err, (line.fault->missingValue ? u"option %1 needs a value"_qs : u"unknown option %1"_qs)
                                     .arg(quoted(line.fault->argument)));
    for (const GivenOption &given : line.options) {
        if (given.is(HelpOption)) {
            print(out, QString::fromLatin1(Usage));
            return finishOutput(out, err, u"varnock-cli mutate"_qs);
        }
        if (const auto problem = applyOption(given, run))
            return badArguments(err, *problem);
    }
    if (line.positional.isEmpty())
        return badArguments(err, QStringLiteral("no WORD given"));
    if (line.positional.size() > 1)
        return badArguments(err, QStringLiteral("only one WORD may be given ('%1' is extra)").arg(line.positional[1]));
    run.word = line.positional.first();
    return std::nullopt;
}
} // namespace

int mutateMain(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    MutateRun run;
    if (const std::optional<int> ended = readArguments(arguments, run, out, err))
        return *ended;
    XoshiroRandom random = run.seed ? XoshiroRandom(*run.seed) : XoshiroRandom::fromClock();
    QByteArray output;
    const SiblingRunResult result = breedSiblings(
        run.word, [&run] { return double(run.count); }, [&run] { return int(run.mutations); }, random,
        [&output](const QString &sibling) {
            output += sibling.toLocal8Bit();
            output += '\n';
        });
    std::fwrite(output.constData(), 1, size_t(output.size()), out);
    if (finishOutput(out, err, u"varnock-cli mutate"_qs) != ExitOk)
        return ExitWriteFailed;
    if (result.outcome != SiblingRunResult::Outcome::Complete) {
        print(err, QStringLiteral("varnock-cli mutate: %1\n").arg(result.message));
        return ExitWriteFailed;
    }
    return ExitOk;
}

int runMutateCommand(const QStringList &arguments)
{
    return mutateMain(arguments, stdout, stderr);
}
