#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// A whole number of any size, for counts of possible words (a filter of 30
// consonants already has more than 2^128 words).
class BigCount {
public:
    explicit BigCount(std::uint64_t value = 0);
    BigCount &operator*=(std::uint32_t factor);
    bool isZero() const { return limbs_.empty(); }
    // The value when it fits in 64 bits.
    std::optional<std::uint64_t> toUInt64() const;
    QString toString() const;

private:
    std::vector<std::uint32_t> limbs_;   // base 10^9, least significant first
};

// Every word a source can make: a row of positions, each filled with one of
// its pieces, then shaped (case). Used to count the words exactly and to
// list them all when random draws alone would take too long to find the last
// ones.
class WordSpace {
public:
    using Shape = std::function<QString(const QString &)>;

    // The space of a lower-case filter: each element takes the letters (or
    // groups) its tables hold, whatever their weights.
    static WordSpace ofFilter(QStringView filter, bool diphthongs);

    // Adds a position; repeated pieces count once.
    void addPosition(const QStringList &pieces);
    void setShape(Shape shape) { shape_ = std::move(shape); }

    // The number of ways to fill the positions: the number of distinct words
    // when joins are unambiguous(), else an upper bound.
    BigCount combinations() const;
    // True when every position's pieces have one length, so no two ways of
    // filling the positions give the same word.
    bool unambiguous() const;

    // The word made by combination k (0 <= k < combinations()), shaped.
    QString wordAt(std::uint64_t k) const;

private:
    std::vector<QStringList> positions_;
    Shape shape_;
};

// The count of distinct words a space holds that no reject pattern drops.
struct PossibleWords {
    BigCount count;
    bool exact = false;
};

// Counts exactly by listing the words where there are at most listLimit
// combinations (or the joins are unambiguous and nothing is rejected);
// otherwise gives the number of combinations as an upper bound.
PossibleWords countPossibleWords(const WordSpace &space, const std::function<bool(const QString &)> &rejected,
                                 std::uint64_t listLimit);
