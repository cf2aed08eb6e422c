#include "wordlist/ProposedPath.h"

#include <QDir>
#include <QStandardPaths>

QString proposedWordFilePath(const QString &word)
{
    const QString name = word + QStringLiteral(".txt");
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\") + name;
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
#endif
}
