#include "engine/WordSpace.h"

#include "engine/LetterTables.h"

#include <QSet>
#include <algorithm>

namespace {
constexpr std::uint32_t kLimbBase = 1000000000u;
}

BigCount::BigCount(std::uint64_t value)
{
    for (; value != 0; value /= kLimbBase)
        limbs_.push_back(std::uint32_t(value % kLimbBase));
}

BigCount &BigCount::operator*=(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (std::uint32_t &limb : limbs_) {
        const std::uint64_t product = std::uint64_t(limb) * factor + carry;
        limb = std::uint32_t(product % kLimbBase);
        carry = product / kLimbBase;
    }
    for (; carry != 0; carry /= kLimbBase)
        limbs_.push_back(std::uint32_t(carry % kLimbBase));
    if (factor == 0)
        limbs_.clear();
    return *this;
}

std::optional<std::uint64_t> BigCount::toUInt64() const
{
    unsigned __int128 value = 0;
    for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
        value = value * kLimbBase + *limb;
        if (value > UINT64_MAX)
            return std::nullopt;
    }
    return std::uint64_t(value);
}

QString BigCount::toString() const
{
    if (limbs_.empty())
        return QStringLiteral("0");
    QString text = QString::number(limbs_.back());
    for (auto limb = limbs_.rbegin() + 1; limb != limbs_.rend(); ++limb)
        text += QStringLiteral("%1").arg(*limb, 9, 10, QLatin1Char('0'));
    return text;
}

namespace {

QStringList letters(QStringView table)
{
    QStringList pieces;
    for (QChar c : table)
        pieces << QString(c);
    return pieces;
}

QStringList twoLetters(QStringView table, QStringView pairTable, bool withPairs)
{
    QStringList pieces;
    for (QChar first : table)
        for (QChar second : table)
            pieces << QString(first) + second;
    if (withPairs)
        for (qsizetype i = 0; i + 1 < pairTable.size(); i += 2)
            pieces << pairTable.mid(i, 2).toString();
    return pieces;
}

} // namespace

WordSpace WordSpace::ofFilter(QStringView filter, bool diphthongs)
{
    using namespace LetterTables;
    WordSpace space;
    for (qsizetype pos = 0; pos < filter.size();) {
        const QStringView two = filter.mid(pos, 2);
        if (two == u"vv" || two == u"cc") {
            const bool vowel = two == u"vv";
            space.addPosition(twoLetters(vowel ? Vowels : Consonants, vowel ? VowelPairs : ConsonantPairs, diphthongs));
            pos += 2;
            continue;
        }
        const QChar c = filter[pos];
        if (c == u'v')
            space.addPosition(letters(Vowels));
        else if (c == u'c')
            space.addPosition(letters(Consonants));
        else if (c == u'?')
            space.addPosition(letters(Vowels) + letters(Consonants));
        else
            space.addPosition({QString(c)});
        ++pos;
    }
    return space;
}

void WordSpace::addPosition(const QStringList &pieces)
{
    QStringList distinct = pieces;
    distinct.removeDuplicates();
    positions_.push_back(distinct);
}

BigCount WordSpace::combinations() const
{
    BigCount count(1);
    for (const QStringList &pieces : positions_)
        count *= std::uint32_t(pieces.size());
    return count;
}

bool WordSpace::unambiguous() const
{
    return std::all_of(positions_.begin(), positions_.end(), [](const QStringList &pieces) {
        return std::all_of(pieces.begin(), pieces.end(),
                           [&](const QString &piece) { return piece.size() == pieces.front().size(); });
    });
}

QString WordSpace::wordAt(std::uint64_t k) const
{
    std::vector<qsizetype> choice(positions_.size());
    for (std::size_t i = positions_.size(); i-- > 0;) {
        const auto size = std::uint64_t(positions_[i].size());
        choice[i] = qsizetype(k % size);
        k /= size;
    }
    QString word;
    for (std::size_t i = 0; i < positions_.size(); ++i)
        word += positions_[i][choice[i]];
    return shape_ ? shape_(word) : word;
}

PossibleWords countPossibleWords(const WordSpace &space, const std::function<bool(const QString &)> &rejected,
                                 std::uint64_t listLimit)
{
    const BigCount combinations = space.combinations();
    if (!rejected && space.unambiguous())
        return {combinations, true};
    const std::optional<std::uint64_t> total = combinations.toUInt64();
    if (!total || *total > listLimit)
        return {combinations, false};
    std::uint64_t kept = 0;
    QSet<QString> seen;
    for (std::uint64_t k = 0; k < *total; ++k) {
        const QString word = space.wordAt(k);
        if (rejected && rejected(word))
            continue;
        // Joins of pieces of one length per position never repeat a word.
        if (space.unambiguous())
            ++kept;
        else
            seen.insert(word);
    }
    return {BigCount(space.unambiguous() ? kept : std::uint64_t(seen.size())), true};
}
