#pragma once

#include "engine/WordSpace.h"

#include <QStringList>
#include <functional>

class RandomSource;

// Collects a number of different words: it draws words as the source always
// does, and once the draws stop finding new ones it lists the words of the
// source it has not met and picks among them, so a nearly exhausted source
// ends at once instead of waiting on luck.
struct DistinctWords {
    enum class End {
        Complete,    // as many words as wanted
        Exhausted,   // every word the source can make, fewer than wanted
        GaveUp,      // too many draws in a row found nothing new
    };
    QStringList words;   // in the order found, so a seeded run repeats
    End end = End::Complete;
};

struct DistinctLimits {
    // Draws in a row without a new word before the source's words are
    // listed (where there are few enough to list) or the search gives up.
    qint64 fruitlessDraws = 1000;
    qint64 giveUpDraws = 1000000;
    // Sources of up to this many combinations (or twice the wanted count,
    // whichever is more) may be listed.
    std::uint64_t listLimit = 2000000;
};

using WordTest = std::function<bool(const QString &)>;

DistinctWords collectDistinctWords(qint64 wanted, const std::function<QString()> &draw, const WordSpace &space,
                                   const WordTest &rejected, RandomSource &random, const DistinctLimits &limits = {});

// Words at 1..wanted that pass the test, repeats allowed; gaveUp is set when
// giveUpDraws draws in a row were rejected, and the words found so far stay.
QStringList collectAcceptedWords(qint64 wanted, const std::function<QString()> &draw, const WordTest &rejected,
                                 qint64 giveUpDraws, bool &gaveUp);
