#include "wordlist/WordFile.h"

#include "engine/VarnockError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

struct WordFileWriter::Impl {
    QString path;
    QSaveFile file;
    QStringEncoder encoder{QStringConverter::System};
    QByteArray buffer;
    explicit Impl(const QString &p) : path(p), file(p) {}
};

VarnockError fileWriteError(const QString &path, bool diskFull)
{
    if (diskFull)
        return VarnockError(ErrorNumber::DiskFull);
    if (path.trimmed().isEmpty())
        return VarnockError(ErrorNumber::BadFileNameOrNumber);
    const QFileInfo info(path);
    if (info.isDir())
        return VarnockError(ErrorNumber::PathFileAccessError);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists() || !folder.isDir())
        return VarnockError(ErrorNumber::PathNotFound);
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return VarnockError(ErrorNumber::PermissionDenied);
    return VarnockError(ErrorNumber::PathFileAccessError);
}

WordFileWriter::WordFileWriter(const QString &path) : impl_(new Impl(path))
{
    if (path.trimmed().isEmpty() || QFileInfo(path).isDir() || !impl_->file.open(QIODevice::WriteOnly)) {
        const VarnockError error = fileWriteError(path);
        delete impl_;
        throw error;
    }
    impl_->buffer.reserve(1 << 16);
}

WordFileWriter::~WordFileWriter()
{
    // Without a commit the temporary file is discarded and the target stays.
    if (impl_->file.isOpen())
        impl_->file.cancelWriting();
    delete impl_;
}

void WordFileWriter::flushBuffer()
{
    if (impl_->buffer.isEmpty())
        return;
    if (impl_->file.write(impl_->buffer) != impl_->buffer.size()) {
        const bool full = impl_->file.error() == QFileDevice::ResourceError;
        impl_->file.cancelWriting();
        throw fileWriteError(impl_->path, full);
    }
    impl_->buffer.clear();
}

void WordFileWriter::writeLine(QStringView word)
{
    impl_->buffer += impl_->encoder.encode(word);
    impl_->buffer += "\r\n";
    if (impl_->buffer.size() >= (1 << 16))
        flushBuffer();
}

void WordFileWriter::writeLines(QStringView text)
{
    impl_->buffer += impl_->encoder.encode(text);
    if (impl_->buffer.size() >= (1 << 16))
        flushBuffer();
}

void WordFileWriter::commit()
{
    flushBuffer();
    if (!impl_->file.commit()) {
        const bool full = impl_->file.error() == QFileDevice::ResourceError
                          || impl_->file.error() == QFileDevice::WriteError;
        throw fileWriteError(impl_->path, full);
    }
}

void writeWordFile(const QString &path, const QStringList &words, qsizetype first, qsizetype last)
{
    WordFileWriter writer(path);
    for (qsizetype i = first; i <= last; ++i)
        writer.writeLine(words[i]);
    writer.commit();
}
