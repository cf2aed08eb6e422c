#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// What a file reader tells its caller: valid, or the one sentence that the
// window shows for an unusable file. Readers never throw past their caller.
struct FileReadResult {
    bool valid = true;
    QString message; // empty when valid

    static FileReadResult ok() { return {}; }
    static FileReadResult invalid(const QString &sentence) { return {false, sentence}; }
};

// Decodes the bytes of a pattern or rules file: UTF-8 when they are valid
// UTF-8 (a leading byte-order mark dropped), otherwise Windows-1252, the code
// page legacy 8-bit files were written in, so they open unchanged.
QString decodeTextFile(const QByteArray &bytes);

// Splits text at CR LF, LF or CR. A line end at the very end of the text
// does not start another line; empty text has no lines.
QStringList splitTextLines(const QString &text);

// Calls line for every line of a text file, decoded as decodeTextFile does,
// without holding the file or its text: the file is read in blocks, once to
// tell UTF-8 from 8-bit text and once for the lines (a pipe is read whole).
// line returns false to stop reading. False when the file cannot be read:
// missing, a folder, no permission, a read error, or out of memory.
bool readTextFileLines(const QString &path, const std::function<bool(QStringView)> &line);

// The same, collecting the lines.
bool readTextFileLines(const QString &path, QStringList &lines);

// Where a reader takes its lines from: a file, or lines already in memory
// (which must outlive the feed).
using LineHandler = std::function<bool(QStringView)>;
using LineFeed = std::function<bool(const LineHandler &)>;
LineFeed fileLines(const QString &path);
LineFeed memoryLines(const QStringList &lines);
