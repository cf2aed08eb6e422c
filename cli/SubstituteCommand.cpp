#include "cli/SubstituteCommand.h"

#include "cli/CliArguments.h"
#include "engine/CaseShaping.h"
#include "substitute/Substitute.h"

#include <limits>

namespace {
const char *const Usage =
    "Usage: varnock-cli substitute [options] PHRASE\n"
    "Rewrites PHRASE letter by letter: each character found in the original\n"
    "charset (case ignored) becomes the character at the same place of the new\n"
    "one; PHRASE keeps its capitals.\n"
    "\n"
    "Options:\n"
    "  --from CHARSET      the original charset (default abcdefghijklmnopqrstuvwxyz)\n"
    "  --to CHARSET        the new charset, as long as the original (default\n"
    "                      abcdefghijklmnopqrstuvwxyz)\n"
    "  --shuffle           shuffle the new charset first (it is named on standard\n"
    "                      error)\n"
    "  -s, --seed S        seed for the shuffle, 0 to 18446744073709551615\n"
    "  -h, --help          show this help\n"
    "\n"
    "Exit status: 0 done, 1 the output could not be written, 2 bad arguments\n"
    "(charsets of different lengths among them).\n";

const QString PlainAlphabet = u"abcdefghijklmnopqrstuvwxyz"_qs;

const QCommandLineOption FromOption(u"from"_qs, {}, u"CHARSET"_qs);
const QCommandLineOption ToOption(u"to"_qs, {}, u"CHARSET"_qs);
const QCommandLineOption ShuffleOption(u"shuffle"_qs);
const QCommandLineOption SeedOption(QStringList{u"s"_qs, u"seed"_qs}, {}, u"S"_qs);
const QCommandLineOption HelpOption(QStringList{u"h"_qs, u"help"_qs});

int badArguments(std::FILE *err, const QString &message)
{
    writeText(err, QStringLiteral("varnock-cli substitute: %1\nTry 'varnock-cli substitute --help'.\n").arg(message));
    return ExitBadArguments;
}
} // namespace

int substituteMain(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const ParsedLine line =
        parseCommandLine({FromOption, ToOption, ShuffleOption, SeedOption, HelpOption}, arguments);
    if (line.fault)
        return badArguments(err, (line.fault->missingValue ? u"option %1 needs a value"_qs : u"unknown option %1"_qs)
                                     .arg(quoted(line.fault->argument)));
    QString from = PlainAlphabet, to = PlainAlphabet;
    bool shuffle = false;
    std::optional<std::uint64_t> seed;
    for (const GivenOption &given : line.options) {
        if (given.is(HelpOption)) {
            writeText(out, QString::fromLatin1(Usage));
            return finishOutput(out, err, u"varnock-cli substitute"_qs);
        }
        if (given.is(SeedOption)) {
            seed = strictNumber(given.value, std::numeric_limits<std::uint64_t>::max());
            if (!seed)
                return badArguments(err, QStringLiteral("%1 is not an unsigned 64-bit seed").arg(quoted(given.value)));
        }
        shuffle = shuffle || given.is(ShuffleOption);
        if (given.is(FromOption))
            from = given.value;
        if (given.is(ToOption))
            to = given.value;
    }
    if (line.positional.isEmpty())
        return badArguments(err, u"no PHRASE given"_qs);
    if (line.positional.size() > 1)
        return badArguments(err, QStringLiteral("only one PHRASE may be given (%1 is extra; quote a phrase "
                                                "with blanks)")
                                     .arg(quoted(line.positional[1])));
    // The tool's own refusal, in its own words.
    if (from.size() != to.size())
        return badArguments(err, u"The original and the new charset are not of the same length!"_qs);
    if (shuffle) {
        XoshiroRandom random = seed ? XoshiroRandom(*seed) : XoshiroRandom::fromClock();
        to = fnRandomize(to, random);
        writeText(err, QStringLiteral("varnock-cli substitute: new charset: %1\n").arg(to));
    }
    const QString &phrase = line.positional.first();
    writeText(out, CopyCase(fnSubstitute(phrase, from, to), phrase) + u'\n');
    return finishOutput(out, err, u"varnock-cli substitute"_qs);
}

int runSubstituteCommand(const QStringList &arguments)
{
    return substituteMain(arguments, stdout, stderr);
}
