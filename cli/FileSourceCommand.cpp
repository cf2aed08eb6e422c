#include "cli/FileSourceCommand.h"

#include "sources/FileCheck.h"
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Why the file cannot be read, in the system's words. A pipe or device is
// not opened here: that would take its data or wait for a writer.
std::optional<QString> unreadable(const QString &path, bool &regular)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return systemReason(errno);
    if (S_ISDIR(st.st_mode))
        return systemReason(EISDIR);
    regular = S_ISREG(st.st_mode);
    if (regular) {
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return systemReason(errno);
        ::close(fd);
    }
    return std::nullopt;
}

// The file's lines for the reader and the second look: streamed from a
// regular file (read twice), held once from anything else.
struct FileLines {
    QStringList held;
    LineFeed feed;
};

std::optional<OpenedSource> openFile(const QString &path, FileLines &lines)
{
    bool regular = false;
    if (const auto reason = unreadable(path, regular)) {
        OpenedSource refused;
        refused.stream.givesWords = false;
        refused.refusal = QStringLiteral("cannot open %1: %2").arg(path, *reason);
        return refused;
    }
    if (regular) {
        lines.feed = fileLines(path);
    } else {
        readTextFileLines(path, lines.held);
        lines.feed = memoryLines(lines.held);
    }
    return std::nullopt;
}

void nameFile(const QString &path, QStringList &problems)
{
    for (QString &problem : problems)
        problem.prepend(path + u": "_qs);
}

} // namespace

OpenedSource openPatternFile(const QString &path)
{
    FileLines lines;
    if (auto refused = openFile(path, lines))
        return *refused;
    auto rule = std::make_shared<QStringList>();
    auto sections = std::make_shared<PatternSections>();
    const FileReadResult read = parsePatternFeed(lines.feed, *rule, *sections);
    OpenedSource opened;
    opened.problems = patternFileProblems(lines.feed, *rule, *sections);
    nameFile(path, opened.problems);
    if (!read.valid) {
        opened.refusal = path + u": "_qs + read.message;
        opened.stream.givesWords = false;
        return opened;
    }
    // A file whose sections are all empty makes no words, without complaint.
    opened.stream.givesWords = sections->maxCount() > 0;
    opened.stream.space = patternWordSpace(*rule, *sections);
    opened.stream.generate = [rule, sections](qint64 count, WordArray &words, RandomSource &random) {
        GenerateFromPattern(count, words, *rule, *sections, random);
    };
    return opened;
}

OpenedSource openRulesFile(const QString &path)
{
    FileLines lines;
    if (auto refused = openFile(path, lines))
        return *refused;
    auto lists = std::make_shared<RuleLists>();
    const FileReadResult read = parseRulesFeed(lines.feed, *lists);
    OpenedSource opened;
    opened.problems = rulesFileProblems(lines.feed);
    nameFile(path, opened.problems);
    if (!read.valid)
        opened.refusal = path + u": "_qs + read.message;
    // As in the window: a file cut short inside its end section is reported
    // and still gives words from the endings it had.
    opened.stream.givesWords = rulesGiveWords(*lists);
    opened.stream.space = rulesWordSpace(*lists);
    opened.stream.generate = [lists](qint64 count, WordArray &words, RandomSource &random) {
        GenerateFromRules(count, words, *lists, random);
    };
    return opened;
}
