#include "wordlist/ProposedPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString proposedWordFilePath(const QString &word)
{
    const QString name = word + QStringLiteral(".txt");
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\") + name;
#else
    // A fresh home may name a Documents folder that was never made; saving
    // there would fail with "Path not found".
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
#endif
}
