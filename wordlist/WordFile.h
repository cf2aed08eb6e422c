#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Writes a word file: every line ended by CR LF, text in the system's 8-bit
// compatible encoding. A regular file is replaced atomically, keeping its
// permission bits, so that a failed write leaves any earlier file as it was;
// a symbolic link is followed and its target replaced; a device, pipe or
// socket is written in place, never renamed over; a writable file in a
// folder that takes no temporary file is written in place. Failures throw
// VarnockError with the number that fits (path not found, permission
// denied, disk full, ...).
class WordFileWriter {
public:
    explicit WordFileWriter(const QString &path);
    ~WordFileWriter();
    WordFileWriter(const WordFileWriter &) = delete;
    WordFileWriter &operator=(const WordFileWriter &) = delete;

    void writeLine(QStringView word);
    // Many lines at once, for long runs: text whose every line already ends
    // in CR LF.
    void writeLines(QStringView text);
    // Flushes and renames over the target; nothing reaches a replaced
    // target before.
    void commit();

private:
    void flushBuffer();
    struct Impl;
    Impl *impl_;
};

// Writes words[first..last] (inclusive) as a word file.
void writeWordFile(const QString &path, const QStringList &words, qsizetype first, qsizetype last);

// The error for a file that could not be opened or written, chosen from what
// the system says about the path.
class VarnockError;
VarnockError fileWriteError(const QString &path, bool diskFull = false);
