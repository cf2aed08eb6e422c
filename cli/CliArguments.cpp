#include "cli/CliArguments.h"

#include "cli/Subcommands.h"
#include "cli/WordSources.h"

#include <limits>

namespace {

std::optional<std::uint64_t> parseDigits(const QString &text, std::uint64_t maximum)
{
    if (text.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const std::uint64_t digit = c.unicode() - u'0';
        if (value > (maximum - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

QString quoted(const QString &text)
{
    return u'\'' + text + u'\'';
}

// Splits "--name=value" and "-nVALUE" into the option and its attached value.
std::pair<QString, std::optional<QString>> splitOption(const QString &argument)
{
    if (argument.startsWith(u"--")) {
        const qsizetype eq = argument.indexOf(u'=');
        if (eq > 0)
            return {argument.left(eq), argument.mid(eq + 1)};
        return {argument, std::nullopt};
    }
    if (argument.size() > 2)
        return {argument.left(2), argument.mid(2)};
    return {argument, std::nullopt};
}

} // namespace

std::optional<qint64> parseCount(const QString &text, qint64 maximum)
{
    const auto value = parseDigits(text, std::uint64_t(maximum));
    if (!value)
        return std::nullopt;
    return qint64(*value);
}

std::optional<std::uint64_t> parseSeed(const QString &text)
{
    return parseDigits(text, std::numeric_limits<std::uint64_t>::max());
}

ParsedGenerate parseGenerateArguments(const QStringList &arguments)
{
    ParsedGenerate parsed;
    GenerateArguments &a = parsed.arguments;
    auto fail = [&](QString message) {
        parsed.action = ParsedGenerate::Action::Error;
        parsed.error = std::move(message);
        return parsed;
    };

    bool optionsEnded = false;
    bool haveSample = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            if (haveSample)
                return fail(QStringLiteral("unexpected argument %1: only one SAMPLE is allowed")
                                .arg(quoted(argument)));
            if (argument.isEmpty())
                return fail(QStringLiteral("SAMPLE must not be empty"));
            a.sample = argument;
            haveSample = true;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }

        const std::pair<QString, std::optional<QString>> split = splitOption(argument);
        const QString &name = split.first;
        const std::optional<QString> &attached = split.second;
        // Fetches the option's value: attached, or the next argument even if
        // it starts with a dash, so "-n -5" reports the count, not "-5".
        auto value = [&]() -> std::optional<QString> {
            if (attached)
                return attached;
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        auto noValue = [&]() { return !attached.has_value(); };

        if (name == u"-n" || name == u"--count") {
            const auto text = value();
            if (!text)
                return fail(QStringLiteral("option %1 needs a number of words").arg(quoted(name)));
            const auto count = parseCount(*text, MaxWordCount);
            if (!count)
                return fail(QStringLiteral("invalid count %1 for %2: expected a whole number from 0 to %3")
                                .arg(quoted(*text), name)
                                .arg(MaxWordCount));
            a.count = *count;
        } else if (name == u"-s" || name == u"--seed") {
            const auto text = value();
            if (!text)
                return fail(QStringLiteral("option %1 needs a seed").arg(quoted(name)));
            const auto seed = parseSeed(*text);
            if (!seed)
                return fail(QStringLiteral("invalid seed %1 for %2: expected a whole number from 0 to %3")
                                .arg(quoted(*text), name)
                                .arg(std::numeric_limits<std::uint64_t>::max()));
            a.seed = *seed;
        } else if (name == u"-o" || name == u"--output") {
            const auto text = value();
            if (!text || text->isEmpty())
                return fail(QStringLiteral("option %1 needs a file name").arg(quoted(name)));
            a.outputPath = *text;
        } else if (name == u"--plain" && noValue()) {
            a.realityMode = false;
        } else if (name == u"--no-groups" && noValue()) {
            a.diphthongs = false;
        } else if (name == u"--match-case" && noValue()) {
            a.matchCase = true;
        } else if (name == u"--no-sort" && noValue()) {
            a.sort = false;
        } else if (name == u"--keep-duplicates" && noValue()) {
            a.unique = false;
        } else if ((name == u"-h" || name == u"--help") && noValue()) {
            parsed.action = ParsedGenerate::Action::Help;
            return parsed;
        } else if (name == u"--version" && noValue()) {
            parsed.action = ParsedGenerate::Action::Version;
            return parsed;
        } else if (const WordSource *source = name.startsWith(u"--") ? findWordSource(name.mid(2)) : nullptr) {
            const auto text = value();
            if (!text || text->isEmpty())
                return fail(QStringLiteral("option %1 needs a file name").arg(quoted(name)));
            if (!a.sourceOption.isEmpty())
                return fail(QStringLiteral("option %1 cannot be combined with --%2")
                                .arg(quoted(name), a.sourceOption));
            a.sourceOption = QLatin1String(source->option);
            a.sourceValue = *text;
        } else {
            return fail(QStringLiteral("unknown option %1").arg(quoted(argument)));
        }
    }

    if (!a.sourceOption.isEmpty() && haveSample)
        return fail(QStringLiteral("unexpected argument %1: --%2 takes the place of SAMPLE")
                        .arg(quoted(a.sample), a.sourceOption));
    if (a.sourceOption.isEmpty() && !haveSample)
        return fail(QStringLiteral("missing SAMPLE (a sample word such as Marion)"));
    return parsed;
}

QString generateUsage()
{
    QString usage = QStringLiteral(
        "Usage: varnock-cli [options] SAMPLE\n"
        "Invents words shaped like SAMPLE: vowels where it has vowels, consonants\n"
        "where it has consonants, every other character kept.\n"
        "\n"
        "Options:\n"
        "  -n, --count N       number of words, 0 to 10000000 (default 500)\n"
        "  -s, --seed S        unsigned 64-bit seed: the same seed, options and sample\n"
        "                      give the same words on every machine and build\n"
        "  --plain             even letter odds (default: letters weighted by frequency)\n"
        "  --no-groups         no two-letter vowel or consonant groups\n"
        "  --match-case        copy the sample's capitals (default: proper case)\n"
        "  --no-sort           keep generation order (duplicates are then kept too)\n"
        "  --keep-duplicates   sort but keep repeats\n"
        "  -o, --output FILE   write a word file (CR LF line ends, replaced atomically)\n"
        "                      instead of standard output\n");
    for (const WordSource &source : wordSources()) {
        // Same columns as the fixed options; a long name gets its own line.
        const QString name = QStringLiteral("--%1 %2").arg(QLatin1String(source.option),
                                                            QLatin1String(source.valueName));
        usage += name.size() <= 18 ? QStringLiteral("  %1  %2\n").arg(name, -18).arg(QLatin1String(source.help))
                                   : QStringLiteral("  %1\n                      %2\n").arg(name, QLatin1String(source.help));
    }
    usage += QStringLiteral("  -h, --help          show this help\n"
                            "  --version           show the version\n");
    if (!subcommands().empty()) {
        usage += QStringLiteral("\nCommands (varnock-cli COMMAND --help for their options):\n");
        for (const Subcommand &command : subcommands())
            usage += QStringLiteral("  %1  %2\n").arg(QLatin1String(command.name), -16)
                         .arg(QLatin1String(command.summary));
    }
    usage += QStringLiteral("\nExit status: 0 done, 1 the output could not be written or an input file\nwas refused, 2 bad arguments.\n");
    return usage;
}

QString versionText()
{
    return QStringLiteral("varnock-cli %1.%2.%3\n")
        .arg(VARNOCK_VERSION_MAJOR)
        .arg(VARNOCK_VERSION_MINOR)
        .arg(VARNOCK_VERSION_PATCH);
}
