#pragma once

#include <QString>

// The file name offered for saving words: "C:\<word>.txt" where there are
// drive letters, elsewhere <word>.txt in the user's Documents folder when it
// exists, else in the home folder.
QString proposedWordFilePath(const QString &word);
