#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <optional>

// Exit codes of varnock-cli.
enum CliExit : int {
    ExitOk = 0,
    ExitWriteFailed = 1,  // the output could not be written
    ExitBadArguments = 2, // the command line was not understood
    ExitInputRejected = 1, // an input file was refused by its reader
    ExitGaveUp = 1,        // too many draws in a row gave nothing usable
};

inline constexpr qint64 MaxWordCount = 10'000'000;

// What the generate command was asked to do.
struct GenerateArguments {
    QString sample;
    qint64 count = 500;
    std::optional<std::uint64_t> seed; // none: seed from the clock
    bool realityMode = true;
    bool diphthongs = true;
    bool matchCase = false;
    bool sort = true;
    bool unique = true; // only while sorting: unsorted output keeps repeats
    QString outputPath; // empty: standard output
    bool distinct = false; // count means that many different words
    bool possible = false; // print how many words there can be, write none
    QStringList rejects;   // regular expressions; a matching word is drawn again
    // A word source chosen by its own option instead of the sample: the
    // option's long name and its value ("filter", "random" or one of
    // WordSources.h).
    QString sourceOption;
    QString sourceValue;
};

struct ParsedGenerate {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    GenerateArguments arguments;
    QString error; // names the offending argument when action is Error
};

// Parses the generate command's arguments (program name excluded).
ParsedGenerate parseGenerateArguments(const QStringList &arguments);

// One option as given: its name without dashes, its value (empty for a switch).
struct GivenOption {
    QString name;
    QString value;
    QString dashed() const { return QLatin1String(name.size() == 1 ? "-" : "--") + name; }
    bool is(const QCommandLineOption &option) const { return option.names().contains(name); }
};

// A subcommand's arguments as Qt's parser reads them: values attached
// ("-n5", "--count=5") or next, "--" ends the options. Either a fault names
// the refused argument (an unknown option or a switch given a value, or an
// option left without its value), or the options stand in the order given.
struct ParsedLine {
    struct Fault {
        bool missingValue;
        QString argument;
    };
    std::optional<Fault> fault;
    QList<GivenOption> options;
    QStringList positional;
};
ParsedLine parseCommandLine(const QList<QCommandLineOption> &options, const QStringList &arguments);

// The one check of every number: decimal digits only, from 0 to maximum; no
// sign, blank, exponent or hexadecimal.
std::optional<std::uint64_t> strictNumber(const QString &text, std::uint64_t maximum);

// The text quoted as messages name arguments: 'text'.
QString quoted(const QString &text);

// The usage text of the generate command, subcommands and source options
// included.
QString generateUsage();
QString versionText();

// Text in the system's encoding; the caller checks the stream.
void writeText(std::FILE *stream, const QString &text);
// Flushes the stream; false if anything written to it was lost. A failed
// flush sets the stream's error mark too, so the mark alone tells.
bool flushedWithoutError(std::FILE *stream);
// Flushes out after a command's last write: ExitOk, or, when anything written
// was lost, a message on err after the command's name and ExitWriteFailed.
int finishOutput(std::FILE *out, std::FILE *err, const QString &command);
