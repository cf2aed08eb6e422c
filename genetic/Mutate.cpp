#include "genetic/Mutate.h"

#include "engine/LetterTables.h"

QString Mutate(const QString &word, int Mutations, RandomSource &random)
{
    QString copy = word;
    if (copy.isEmpty())
        return copy; // no position to draw
    using namespace LetterTables;
    for (int round = 0; round < Mutations; ++round) {
        const int p = pickIndex(random.next(), int(copy.size()));
        const char16_t c = copy[p].toLower().unicode();
        if (isVowel(c))
            copy[p] = Vowels[pickIndex(random.next(), int(Vowels.size()))];
        else if (isConsonant(c))
            copy[p] = Consonants[pickIndex(random.next(), int(Consonants.size()))];
    }
    return copy;
}

bool canMutate(const QString &word)
{
    for (const QChar c : word) {
        if (LetterTables::isVowel(c.unicode()) || LetterTables::isConsonant(c.unicode()))
            return true;
    }
    return false;
}
