#include "shell/Placement.h"

#include "engine/NumberText.h"
#include "shell/VarnockSettings.h"

#include <QDir>
#include <QStandardPaths>
#include <cmath>

namespace Placement {

double storedNumber(const QString &text, double fallback)
{
    bool ok; // toDouble always sets it
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

namespace {

bool reachable(const QRectF &window, const QRectF &screen)
{
    // The title strip must show enough to grab the window with the mouse:
    // 30 pixels of it, 60 wide (in twips).
    const double strip = std::min(window.height(), 450.0);
    const QRectF title(window.left(), window.top(), window.width(), strip);
    const QRectF seen = title.intersected(screen);
    return !seen.isEmpty() && seen.width() >= std::min(window.width(), 900.0);
}

} // namespace

QRectF keepOnScreen(const QRectF &window, const QList<QRectF> &screens)
{
    if (screens.isEmpty())
        return window;
    for (const QRectF &screen : screens)
        if (reachable(window, screen))
            return window;
    const QRectF &screen = screens.first();
    QRectF moved = window;
    moved.moveLeft(std::clamp(window.left(), screen.left(), std::max(screen.left(), screen.right() - window.width())));
    moved.moveTop(std::clamp(window.top(), screen.top(), std::max(screen.top(), screen.bottom() - window.height())));
    return moved;
}

QString defaultDirectSavePath()
{
#ifdef Q_OS_WIN
    return VarnockSettings::DirectSaveFile.defaultText();
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("fdkdsfk.txt"));
#endif
}

} // namespace Placement

WordCountAnswer readWordCountAnswer(const QString &answer)
{
    return readCountAnswer(answer, maxWordCount);
}
