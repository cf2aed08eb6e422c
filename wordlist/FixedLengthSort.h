#pragma once

#include <QStringView>
#include <vector>

// A run of words of one length as the command line holds it: each word
// followed by the same line end, back to back in one buffer, ready to write.
// Sorts the lines by their words in code-unit order, the order Shaker gives,
// and with unique drops repeats as KillDupes does; the buffer then holds the
// lines kept. Every word of one filter has the same length, which is what
// makes this fast: when the characters in use are few enough, a word packs
// into a 64-bit key whose numeric order is the words' order, and a radix sort
// orders the keys; longer words sort by such a key of their leading units,
// then by the rest.
void sortFixedLengthLines(std::vector<QChar> &lines, qsizetype length, QStringView lineEnd, bool unique);
