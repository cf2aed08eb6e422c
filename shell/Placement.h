#pragma once

#include "engine/NumberText.h"

#include <QList>
#include <QRectF>
#include <QString>

// Window placement and paths as stored in the settings, free of widgets.
namespace Placement {

// A stored number: the text as a decimal number, or fallback when it is not
// one (hand-edited or damaged settings).
double storedNumber(const QString &text, double fallback);

// Moves a window rectangle (in twips) that would lie (almost) off every screen onto the
// first screen, so a placement saved with another monitor layout stays
// reachable. A rectangle whose title strip is reachable is left alone.
QRectF keepOnScreen(const QRectF &window, const QList<QRectF> &screens);

// The direct-save path used until the user picks one: a fixed name in the
// user's Documents folder (home when there is none) where there are no drive
// letters.
QString defaultDirectSavePath();

} // namespace Placement

// The answer of the number-of-words box, read as its leading number rounded
// half to even.
using WordCountAnswer = CountAnswer;
inline constexpr qint32 maxWordCount = 30000;
WordCountAnswer readWordCountAnswer(const QString &answer);
