#include "wordlist/WordFile.h"

#include "engine/VarnockError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>
#include <algorithm>
#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {

// Words are encoded straight into one buffer of this size, which is written
// whole: no allocation per line or per block.
constexpr qsizetype BufferBytes = 1 << 20;

// Where the words go: a symbolic link is followed to its final target, so
// the link itself stays a link.
QString resolvedTarget(const QString &path)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info = QFileInfo(info.symLinkTarget());
    if (info.isSymLink())
        throw VarnockError(ErrorNumber::PathFileAccessError); // a loop of links
    return info.filePath();
}

// A device, pipe or socket: written in place, since renaming a new file over
// it would destroy it.
bool isSpecialFile([[maybe_unused]] const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
#else
    return false;
#endif
}

} // namespace

struct WordFileWriter::Impl {
    QString path;
    std::unique_ptr<QFileDevice> file;
    QSaveFile *saveFile = nullptr; // the same object when the target is replaced atomically
    QStringEncoder encoder{QStringConverter::System};
    std::unique_ptr<char[]> buffer{new char[BufferBytes]};
    qsizetype used = 0;
    qint64 written = 0;
    explicit Impl(const QString &p) : path(p) {}

    bool open()
    {
        const QString target = resolvedTarget(path);
        if (isSpecialFile(target)) {
            file = std::make_unique<QFile>(target);
        } else {
            auto save = std::make_unique<QSaveFile>(target);
            // A writable file in a folder that takes no temporary file is
            // written in place rather than refused.
            save->setDirectWriteFallback(true);
            saveFile = save.get();
            file = std::move(save);
        }
        return file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    // Starts writing a replaced file's new blocks to disk at once, so that
    // the flush before the rename finds little left to do.
    void startWriteBack([[maybe_unused]] qint64 from, [[maybe_unused]] qint64 length)
    {
#if defined(Q_OS_LINUX)
        if (saveFile)
            ::sync_file_range(file->handle(), from, length, SYNC_FILE_RANGE_WRITE);
#endif
    }
    bool finish()
    {
        if (saveFile)
            return saveFile->commit();
        // Unbuffered: a failed write has thrown already, and the destructor
        // closes the file.
        return file->error() == QFileDevice::NoError;
    }
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
    if ((!info.exists() && !folder.isWritable()) || (info.exists() && !info.isWritable()))
        return VarnockError(ErrorNumber::PermissionDenied);
    return VarnockError(ErrorNumber::PathFileAccessError);
}

WordFileWriter::WordFileWriter(const QString &path) : impl_(new Impl(path))
{
    try {
        if (path.trimmed().isEmpty() || QFileInfo(path).isDir() || !impl_->open())
            throw fileWriteError(QFileInfo(path).isSymLink() ? resolvedTarget(path) : path);
    } catch (...) {
        delete impl_;
        throw;
    }
}

WordFileWriter::~WordFileWriter()
{
    // An uncommitted QSaveFile discards its temporary file when destroyed,
    // so the target stays; a file written in place is closed.
    delete impl_;
}

void WordFileWriter::flushBuffer()
{
    if (impl_->used == 0)
        return;
    if (impl_->file->write(impl_->buffer.get(), impl_->used) != impl_->used) {
        const bool full = impl_->file->error() == QFileDevice::ResourceError;
        throw fileWriteError(impl_->path, full);
    }
    impl_->startWriteBack(impl_->written, impl_->used);
    impl_->written += impl_->used;
    impl_->used = 0;
}

void WordFileWriter::writeLine(QStringView word)
{
    writeLines(word);
    writeLines(u"\r\n");
}

void WordFileWriter::writeLines(QStringView text)
{
    // In slices whose encoding surely fits the buffer; the encoder keeps a
    // surrogate pair cut between slices whole.
    constexpr qsizetype Slice = BufferBytes / 4;
    while (!text.isEmpty()) {
        const QStringView part = text.first(std::min(Slice, text.size()));
        if (impl_->used + impl_->encoder.requiredSpace(part.size()) > BufferBytes)
            flushBuffer();
        impl_->used = impl_->encoder.appendToBuffer(impl_->buffer.get() + impl_->used, part) - impl_->buffer.get();
        text = text.sliced(part.size());
    }
}

void WordFileWriter::commit()
{
    flushBuffer();
    // A full disk fails the writes above; what fails here is the close or rename.
    if (!impl_->finish())
        throw fileWriteError(impl_->path);
}

void writeWordFile(const QString &path, const QStringList &words, qsizetype first, qsizetype last)
{
    WordFileWriter writer(path);
    for (qsizetype i = first; i <= last; ++i)
        writer.writeLine(words[i]);
    writer.commit();
}
