#include "engine/DistinctWords.h"

#include "engine/RandomSource.h"

#include <QSet>
#include <utility>

namespace {

// A uniform index below n from two 24-bit draws, so lists of more than 2^24
// words are covered evenly too.
qsizetype pickBelow(qsizetype n, RandomSource &random)
{
    const double r = double(random.next()) + double(random.next()) * 0x1.0p-24;
    const auto k = qsizetype(double(n) * r);
    return k >= n ? n - 1 : k;
}

// The words of the space that are neither rejected nor already found.
QStringList unseenWords(const WordSpace &space, std::uint64_t combinations, const QSet<QString> &found,
                        const WordTest &rejected)
{
    QStringList unseen;
    QSet<QString> listed;
    const bool repeats = !space.unambiguous();
    for (std::uint64_t k = 0; k < combinations; ++k) {
        QString word = space.wordAt(k);
        if (found.contains(word) || (rejected && rejected(word)))
            continue;
        if (repeats) {
            if (listed.contains(word))
                continue;
            listed.insert(word);
        }
        unseen << std::move(word);
    }
    return unseen;
}

void takeAtRandom(QStringList &from, qsizetype count, QStringList &into, RandomSource &random)
{
    for (qsizetype i = 0; i < count && i < from.size(); ++i) {
        from.swapItemsAt(i, i + pickBelow(from.size() - i, random));
        into << from[i];
    }
}

} // namespace

DistinctWords collectDistinctWords(qint64 wanted, const std::function<QString()> &draw, const WordSpace &space,
                                   const WordTest &rejected, RandomSource &random, const DistinctLimits &limits)
{
    const std::optional<std::uint64_t> combinations = space.combinations().toUInt64();
    const bool listable = combinations && *combinations <= std::max<std::uint64_t>(limits.listLimit, 2 * wanted);
    QSet<QString> found;
    DistinctWords result;
    // A source with no more combinations than wanted is listed whole.
    bool list = listable && *combinations <= std::uint64_t(wanted);
    for (qint64 fruitless = 0; !list && found.size() < wanted;) {
        const QString word = draw();
        if ((rejected && rejected(word)) || found.contains(word)) {
            if (++fruitless >= limits.fruitlessDraws && listable)
                list = true;
            else if (fruitless >= limits.giveUpDraws)
                result.end = DistinctWords::End::GaveUp;
            if (result.end == DistinctWords::End::GaveUp)
                break;
            continue;
        }
        found.insert(word);
        result.words << word;
        fruitless = 0;
    }
    if (list) {
        QStringList unseen = unseenWords(space, *combinations, found, rejected);
        const qsizetype missing = wanted - found.size();
        if (unseen.size() < missing)
            result.end = DistinctWords::End::Exhausted;
        takeAtRandom(unseen, missing, result.words, random);
    }
    return result;
}

QStringList collectAcceptedWords(qint64 wanted, const std::function<QString()> &draw, const WordTest &rejected,
                                 qint64 giveUpDraws, bool &gaveUp)
{
    QStringList words(1);
    for (qint64 fruitless = 0; words.size() <= wanted;) {
        QString word = draw();
        if (!rejected(word)) {
            words.push_back(std::move(word));
            fruitless = 0;
        } else if (++fruitless >= giveUpDraws) {
            gaveUp = true;
            break;
        }
    }
    return words;
}
