#include "cli/MutateCommand.h"

#include "cli/CliArguments.h"
#include "engine/RandomSource.h"
#include "genetic/SiblingLoop.h"

#include <optional>

namespace {
const char *const Usage =
    "Usage: varnock-cli mutate [options] WORD\n"
    "Prints siblings of WORD: copies with random letter changes, a vowel always\n"
    "for a vowel and a consonant for a consonant, each differing from WORD.\n"
    "\n"
    "Options:\n"
    "  -n, --count N       number of siblings, 0 to 32767 (default 10)\n"
    "  -m, --mutations M   letter changes per sibling, 1 to 32767 (default 1)\n"
    "  -s, --seed S        unsigned 64-bit seed for repeatable output\n"
    "  -h, --help          show this help\n"
    "\n"
    "Exit status: 0 done, 1 no sibling can be bred (or the output could not be\n"
    "written), 2 bad arguments.\n";

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int badArguments(std::FILE *err, const QString &message)
{
    print(err, QStringLiteral("varnock-cli mutate: %1\nTry 'varnock-cli mutate --help'.\n").arg(message));
    return ExitBadArguments;
}
} // namespace

int mutateMain(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    qint64 count = 10;
    qint64 mutations = 1;
    std::optional<std::uint64_t> seed;
    std::optional<QString> word;
    bool optionsEnded = false;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && (argument == u"-h" || argument == u"--help")) {
            print(out, QString::fromLatin1(Usage));
            return ExitOk;
        }
        if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            // Options take their value as the next argument or after "=".
            QString name = argument;
            std::optional<QString> value;
            if (const qsizetype eq = argument.indexOf(u'='); argument.startsWith(u"--") && eq > 0) {
                name = argument.left(eq);
                value = argument.mid(eq + 1);
            }
            const bool known = name == u"-n" || name == u"--count" || name == u"-m" || name == u"--mutations"
                               || name == u"-s" || name == u"--seed";
            if (!known)
                return badArguments(err, QStringLiteral("unknown option '%1'").arg(argument));
            if (!value) {
                if (i + 1 >= arguments.size())
                    return badArguments(err, QStringLiteral("option '%1' needs a value").arg(name));
                value = arguments[++i];
            }
            if (name == u"-n" || name == u"--count") {
                const auto n = parseCount(*value, MaxSiblingsPerRun);
                if (!n)
                    return badArguments(err, QStringLiteral("'%1' is not a count from 0 to %2")
                                                 .arg(*value)
                                                 .arg(MaxSiblingsPerRun));
                count = *n;
            } else if (name == u"-m" || name == u"--mutations") {
                // The count is 16-bit, as in the settings; 0 is accepted here and
                // refused below as a run that can never change the word.
                const auto m = parseCount(*value, 32767);
                if (!m)
                    return badArguments(err, QStringLiteral("'%1' is not a number of mutations from 1 to 32767")
                                                 .arg(*value));
                mutations = *m;
            } else {
                seed = parseSeed(*value);
                if (!seed)
                    return badArguments(err, QStringLiteral("'%1' is not an unsigned 64-bit seed").arg(*value));
            }
            continue;
        }
        if (word)
            return badArguments(err, QStringLiteral("only one WORD may be given ('%1' is extra)").arg(argument));
        word = argument;
    }
    if (!word)
        return badArguments(err, QStringLiteral("no WORD given"));

    XoshiroRandom random = seed ? XoshiroRandom(*seed) : XoshiroRandom::fromClock();
    QByteArray output;
    const SiblingRunResult result = breedSiblings(
        *word, [count] { return double(count); }, [mutations] { return int(mutations); }, random,
        [&output](const QString &sibling) {
            output += sibling.toLocal8Bit();
            output += '\n';
        });
    if (std::fwrite(output.constData(), 1, size_t(output.size()), out) != size_t(output.size())
        || std::fflush(out) != 0) {
        print(err, QStringLiteral("varnock-cli mutate: the output could not be written\n"));
        return ExitWriteFailed;
    }
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
