#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// Reads a whole text file as lines. False when it cannot be read: missing,
// a folder, no permission, a read error, or too big to hold in memory.
bool readTextFileLines(const QString &path, QStringList &lines);
