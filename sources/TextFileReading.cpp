#include "sources/TextFileReading.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <iterator>
#include <new>

namespace {

// Windows-1252 at 0x80..0x9F; the five bytes it leaves undefined keep their
// Latin-1 value. Every other byte is the Latin-1 character of its value.
constexpr char16_t windows1252High[] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
static_assert(std::size(windows1252High) == 0x20);

// Decodes into text, reusing its buffer, and returns the decoded characters.
QStringView fromWindows1252(QByteArrayView bytes, QString &text)
{
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = QChar(byte >= 0x80 && byte <= 0x9F ? windows1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

} // namespace

QString decodeTextFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text; // the decoder drops a leading byte-order mark itself
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    fromWindows1252(rest, text);
    return text;
}

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && QStringView(text).mid(i + 1, 1) == u"\n")
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

namespace {

// Any size reads the same lines; this one keeps a huge file from being held whole.
constexpr qint64 kBlock = 1 << 20;

// Whether the whole file is UTF-8, decoded block by block (the text is only
// made to check it); the decoder keeps a sequence cut by a block's end for
// the next block, and one left unfinished fails on the byte after it.
bool fileIsUtf8(QFile &file, bool &readError)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    while (!file.atEnd()) {
        const QByteArray block = file.read(kBlock);
        if (block.isEmpty())
            break;
        if (const QString text = utf8(block); utf8.hasError())
            return false;
    }
    readError = file.error() != QFileDevice::NoError;
    const QString text = utf8(QByteArrayView("\n"));
    return !utf8.hasError();
}

// Calls line with the bytes of every line, the file read from where it stands
// in blocks. CR LF, LF and CR end a line; a CR LF may straddle two blocks.
bool forEachLineBytes(QFile &file, const std::function<bool(QByteArrayView)> &line)
{
    QByteArray carry; // the unfinished line of the blocks before
    bool skipLf = false;
    while (!file.atEnd()) {
        const QByteArray block = file.read(kBlock);
        if (block.isEmpty())
            break;
        qsizetype start = skipLf && block[0] == '\n' ? 1 : 0;
        skipLf = false;
        for (qsizetype i = start; i < block.size(); ++i) {
            const char c = block[i];
            if (c != '\r' && c != '\n')
                continue;
            carry += QByteArrayView(block.constData() + start, i - start);
            if (!line(carry))
                return true;
            carry.clear();
            if (c == '\r' && i + 1 == block.size())
                skipLf = true;
            else if (c == '\r' && block[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        carry += QByteArrayView(block).sliced(start);
    }
    if (file.error() != QFileDevice::NoError)
        return false;
    if (!carry.isEmpty())
        line(carry);
    return true;
}

// A file that cannot be read twice (a pipe) is read whole.
bool readSequentialLines(QFile &file, const std::function<bool(QStringView)> &line)
{
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    for (const QString &text : splitTextLines(decodeTextFile(bytes)))
        if (!line(text))
            break;
    return true;
}

} // namespace

bool readTextFileLines(const QString &path, const std::function<bool(QStringView)> &line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) // also no name, or a folder
        return false;
    try {
        if (file.isSequential())
            return readSequentialLines(file, line);
        bool readError = false;
        const bool utf8 = fileIsUtf8(file, readError);
        if (readError)
            return false;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString text; // reused for every line
        bool first = true;
        return file.seek(0) && forEachLineBytes(file, [&](QByteArrayView bytes) {
            if (first && bytes.startsWith("\xEF\xBB\xBF"))
                bytes = bytes.sliced(3); // the byte-order mark, dropped in either encoding
            first = false;
            if (!utf8)
                return line(fromWindows1252(bytes, text));
            text.resize(decoder.requiredSpace(bytes.size()));
            const QChar *end = decoder.appendToBuffer(text.data(), bytes);
            return line(QStringView(text.constData(), end));
        });
    } catch (const std::bad_alloc &) {
        return false;
    }
}

bool readTextFileLines(const QString &path, QStringList &lines)
{
    QStringList read;
    try {
        if (readTextFileLines(path, [&read](QStringView text) {
                read << text.toString();
                return true;
            })) {
            lines = std::move(read);
            return true;
        }
    } catch (const std::bad_alloc &) {
    }
    lines.clear(); // nothing half-read
    return false;
}

LineFeed fileLines(const QString &path)
{
    return [path](const LineHandler &line) { return readTextFileLines(path, line); };
}

LineFeed memoryLines(const QStringList &lines)
{
    return [&lines](const LineHandler &line) {
        for (const QString &text : lines)
            if (!line(text))
                break;
        return true;
    };
}
