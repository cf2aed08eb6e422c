#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// Exit codes of varnock-cli.
enum CliExit : int {
    ExitOk = 0,
    ExitWriteFailed = 1,  // the output could not be written
    ExitBadArguments = 2, // the command line was not understood
    ExitInputRejected = 1, // an input file was refused by its reader
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
    // A word source chosen by its own option (see WordSources.h) instead of
    // the sample: the option's long name and its value.
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

// Strict whole numbers: decimal digits only, within the bounds; nothing
// else (no sign, blanks, exponent or hexadecimal) is accepted.
std::optional<qint64> parseCount(const QString &text, qint64 maximum);
std::optional<std::uint64_t> parseSeed(const QString &text);

// The usage text of the generate command, subcommands and source options
// included.
QString generateUsage();
QString versionText();
