#include "cli/CliArguments.h"

#include "cli/Subcommands.h"
#include "cli/WordSources.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {

// The switches of the generate command and the setting each one makes.
const struct {
    const char *name;
    bool GenerateArguments::*flag;
    bool value;
} Switches[] = {
    {"plain", &GenerateArguments::realityMode, false},   {"no-groups", &GenerateArguments::diphthongs, false},
    {"match-case", &GenerateArguments::matchCase, true}, {"no-sort", &GenerateArguments::sort, false},
    {"keep-duplicates", &GenerateArguments::unique, false}, {"distinct", &GenerateArguments::distinct, true},
    {"possible", &GenerateArguments::possible, true}};

const QCommandLineOption CountOption(QStringList{u"n"_qs, u"count"_qs}, {}, u"N"_qs);
const QCommandLineOption SeedOption(QStringList{u"s"_qs, u"seed"_qs}, {}, u"S"_qs);
const QCommandLineOption OutputOption(QStringList{u"o"_qs, u"output"_qs}, {}, u"FILE"_qs);
const QCommandLineOption RejectOption(u"reject"_qs, {}, u"REGEX"_qs);
const QCommandLineOption FilterOption(u"filter"_qs, {}, u"FILTER"_qs);
const QCommandLineOption RandomOption(u"random"_qs);

QList<QCommandLineOption> generateOptions()
{
    QList<QCommandLineOption> options{CountOption, SeedOption, OutputOption, RejectOption, FilterOption, RandomOption,
                                      QCommandLineOption(QStringList{u"h"_qs, u"help"_qs}),
                                      QCommandLineOption(u"version"_qs)};
    for (const auto &s : Switches)
        options.append(QCommandLineOption(QLatin1String(s.name)));
    for (const WordSource &source : wordSources())
        options.append(QCommandLineOption(QLatin1String(source.option), {}, QLatin1String(source.valueName)));
    return options;
}

QString missingValue(const QString &argument)
{
    const bool count = argument == u"-n" || argument == u"--count";
    const bool seed = argument == u"-s" || argument == u"--seed";
    const QString what = count                    ? u"a number of words"_qs
                         : seed                   ? u"a seed"_qs
                         : argument == u"--reject" ? u"a regular expression"_qs
                         : argument == u"--filter" ? u"a filter such as cvcvvc"_qs
                                                   : u"a file name"_qs;
    return QStringLiteral("option %1 needs %2").arg(quoted(argument), what);
}

// A raw filter holds elements and literal characters; a letter other than
// v and c would only be copied, which is never what a filter means.
std::optional<QString> filterError(const QString &filter)
{
    qsizetype position = 0;
    for (const QChar c : filter) {
        ++position;
        if (c.isLetter() && c != u'v' && c != u'c')
            return QStringLiteral("invalid filter %1: '%2' at position %3 is not a filter element; use v (vowel), "
                                  "c (consonant), vv, cc (groups), ? (any letter) and characters other than letters, "
                                  "which are kept as they are")
                .arg(quoted(filter), c)
                .arg(position);
    }
    return std::nullopt;
}

// Applies one value option; returns the message when its value is refused.
std::optional<QString> applyValue(const GivenOption &given, GenerateArguments &a)
{
    if (given.is(CountOption) || given.is(SeedOption)) {
        const bool count = given.is(CountOption);
        const std::uint64_t maximum = count ? MaxWordCount : std::numeric_limits<std::uint64_t>::max();
        const auto number = strictNumber(given.value, maximum);
        if (!number)
            return QStringLiteral("invalid %1 %2 for %3: expected a whole number from 0 to %4")
                .arg(count ? u"count"_qs : u"seed"_qs, quoted(given.value), given.dashed())
                .arg(maximum);
        if (count)
            a.count = qint64(*number);
        else
            a.seed = *number;
        return std::nullopt;
    }
    if (given.value.isEmpty())
        return missingValue(given.dashed());
    if (given.is(OutputOption)) {
        a.outputPath = given.value;
        return std::nullopt;
    }
    if (given.is(RejectOption)) {
        const QRegularExpression expression(given.value);
        if (!expression.isValid())
            return QStringLiteral("invalid --reject expression %1: %2 at offset %3")
                .arg(quoted(given.value), expression.errorString())
                .arg(expression.patternErrorOffset());
        a.rejects << given.value;
        return std::nullopt;
    }
    if (given.is(FilterOption)) {
        if (const auto problem = filterError(given.value))
            return problem;
    }
    if (!a.sourceOption.isEmpty())
        return QStringLiteral("option %1 cannot be combined with --%2").arg(quoted(given.dashed()), a.sourceOption);
    a.sourceOption = given.name;
    a.sourceValue = given.value;
    return std::nullopt;
}

// Applies one option in the order given; help and version end the parse.
std::optional<QString> applyOption(const GivenOption &given, ParsedGenerate &parsed)
{
    if (given.is(RandomOption))
        return applyValue({given.name, u"random"_qs}, parsed.arguments); // a source without a value
    if (given.name == u"h" || given.name == u"help" || given.name == u"version") {
        parsed.action = given.name == u"version" ? ParsedGenerate::Action::Version : ParsedGenerate::Action::Help;
        return std::nullopt;
    }
    for (const auto &s : Switches) {
        if (given.name == QLatin1String(s.name)) {
            parsed.arguments.*s.flag = s.value;
            return std::nullopt;
        }
    }
    return applyValue(given, parsed.arguments);
}

std::optional<QString> sampleError(const QStringList &positional, const GenerateArguments &a)
{
    if (!a.sourceOption.isEmpty() && !positional.isEmpty())
        return QStringLiteral("unexpected argument %1: --%2 takes the place of SAMPLE")
            .arg(quoted(positional.first()), a.sourceOption);
    if (a.sourceOption.isEmpty() && positional.isEmpty())
        return u"missing SAMPLE (a sample word such as Marion)"_qs;
    if (!positional.isEmpty() && positional.first().isEmpty())
        return u"SAMPLE must not be empty"_qs;
    if (positional.size() > 1)
        return QStringLiteral("unexpected argument %1: only one SAMPLE is allowed").arg(quoted(positional[1]));
    return std::nullopt;
}

// Qt's parser tells only that it failed; the first prefix of the arguments
// that it refuses ends in the culprit. A prefix that ends in an option
// awaiting its value is refused as well, so that value is skipped.
ParsedLine::Fault faultIn(QCommandLineParser &parser, const QStringList &arguments)
{
    // The whole line is refused, so the loop returns by its last prefix at the latest.
    for (qsizetype n = 1;; ++n) {
        const qsizetype end = std::min(n, arguments.size());
        if (parser.parse(QStringList{QString()} + arguments.first(end)))
            continue;
        const QString &last = arguments[end - 1];
        if (!parser.unknownOptionNames().isEmpty() || last.contains(u'='))
            return {false, last};
        if (end == arguments.size())
            return {true, last};
        ++n;
    }
}

} // namespace

QString quoted(const QString &text)
{
    return u'\'' + text + u'\'';
}

std::optional<std::uint64_t> strictNumber(const QString &text, std::uint64_t maximum)
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

ParsedLine parseCommandLine(const QList<QCommandLineOption> &options, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions(options);
    ParsedLine line;
    if (!parser.parse(QStringList{QString()} + arguments)) {
        line.fault = faultIn(parser, arguments);
        return line;
    }
    // Qt keeps the values per option; hand them out in the order given.
    QList<qsizetype> taken(options.size());
    for (const QString &name : parser.optionNames()) {
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const QCommandLineOption &o) { return o.names().contains(name); });
        const QStringList values = option->valueName().isEmpty() ? QStringList() : parser.values(name);
        const qsizetype k = taken[option - options.begin()]++;
        line.options.append({name, values.value(k)});
    }
    line.positional = parser.positionalArguments();
    return line;
}

ParsedGenerate parseGenerateArguments(const QStringList &arguments)
{
    ParsedGenerate parsed;
    auto fail = [&](const QString &message) {
        parsed.action = ParsedGenerate::Action::Error;
        parsed.error = message;
        return parsed;
    };
    const ParsedLine line = parseCommandLine(generateOptions(), arguments);
    if (line.fault)
        return fail(line.fault->missingValue ? missingValue(line.fault->argument)
                                             : QStringLiteral("unknown option %1").arg(quoted(line.fault->argument)));
    for (const GivenOption &given : line.options) {
        if (const auto problem = applyOption(given, parsed))
            return fail(*problem);
        if (parsed.action != ParsedGenerate::Action::Run)
            return parsed;
    }
    if (const auto problem = sampleError(line.positional, parsed.arguments))
        return fail(*problem);
    if (!line.positional.isEmpty())
        parsed.arguments.sample = line.positional.first();
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
        "                      instead of standard output\n"
        "  --distinct          N different words (fewer when no more exist: all of\n"
        "                      them, and standard error says how many)\n"
        "  --possible          print how many different words can be made, exact\n"
        "                      or an upper bound, and write no words\n"
        "  --reject REGEX      drop every word REGEX matches and draw again; may be\n"
        "                      given more than once\n"
        "  --filter FILTER     a raw filter instead of SAMPLE: v vowel, c consonant,\n"
        "                      vv, cc groups, ? any letter, other non-letters kept\n"
        "  --random            a random sample instead of SAMPLE (named on standard\n"
        "                      error; repeatable with --seed)\n");
    for (const WordSource &source : wordSources()) {
        // Same columns as the fixed options (every source's name fits them).
        const QString name = QStringLiteral("--%1 %2").arg(QLatin1String(source.option),
                                                            QLatin1String(source.valueName));
        usage += QStringLiteral("  %1  %2\n").arg(name, -18).arg(QLatin1String(source.help));
    }
    usage += QStringLiteral("  -h, --help          show this help\n"
                            "  --version           show the version\n");
    usage += QStringLiteral("\nCommands (varnock-cli COMMAND --help for their options):\n");
    for (const Subcommand &command : subcommands())
        usage += QStringLiteral("  %1  %2\n").arg(QLatin1String(command.name), -16).arg(QLatin1String(command.summary));
    usage += QStringLiteral("\nExit status: 0 done, 1 the output could not be written, an input file was\n"
                            "refused or too many draws in a row were rejected, 2 bad arguments.\n");
    return usage;
}

void writeText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

bool flushedWithoutError(std::FILE *stream)
{
    std::fflush(stream);
    return !std::ferror(stream);
}

int finishOutput(std::FILE *out, std::FILE *err, const QString &command)
{
    if (flushedWithoutError(out))
        return ExitOk;
    writeText(err, QStringLiteral("%1: the output could not be written\n").arg(command));
    return ExitWriteFailed;
}

QString versionText()
{
    return QStringLiteral("varnock-cli %1.%2.%3\n")
        .arg(VARNOCK_VERSION_MAJOR)
        .arg(VARNOCK_VERSION_MINOR)
        .arg(VARNOCK_VERSION_PATCH);
}
