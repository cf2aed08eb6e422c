#pragma once

#include "engine/CaseShaping.h"
#include "engine/LetterTables.h"
#include "engine/RandomSource.h"
#include "engine/WordArray.h"

#include <QString>
#include <functional>
#include <vector>

// The option flags a run reads once, at its start, from the window's check
// marks (or from the command line).
struct GenerationOptions {
    bool realityMode = true;
    bool diphthongs = true;
    bool fastMode = true;
};

// The window's three ties to a run; any of them may be left empty.
struct GenerationHooks {
    std::function<QString()> caseSample;   // read afresh for every word under match case
    std::function<void()> yield;           // once per word unless fast mode
    std::function<void(float fraction, const QString &caption)> progress;
};

// Compiles a lower-case filter into its elements once, then builds raw words
// (before case shaping) of exactly the filter's length, drawing in the order
// the filter alphabet prescribes.
class WordBuilder {
public:
    WordBuilder(QStringView filter, const GenerationOptions &options);

    qsizetype length() const { return length_; }

    template <typename Random>
    void build(Random &random, QChar *out) const;

private:
    enum class Kind : unsigned char { VowelGroup, ConsonantGroup, Vowel, Consonant, AnyLetter, Literal };
    struct Element {
        Kind kind;
        char16_t literal{}; // the character of a Literal
    };

    // One draw used as a coin (r >= 0.5) or as a pick among m items
    // (floor(r * m)). The seeded source answers in integer arithmetic with
    // the very same results; any other source goes through its float.
    template <typename Random>
    struct Draws {
        Random &random;
        bool coin() { return random.next() >= 0.5f; }
        int pick(int m) { return pickIndex(random.next(), m); }
    };

    std::vector<Element> elements_;
    qsizetype length_;
    bool diphthongs_;
    QStringView vowels_, consonants_, vowelPairs_, consonantPairs_;
};

template <>
struct WordBuilder::Draws<XoshiroRandom> {
    XoshiroRandom &random;
    bool coin() { return (random.nextBits() >> 23) != 0; } // the top one of 24 bits
    int pick(int m) { return int((std::uint64_t(random.nextBits()) * unsigned(m)) >> 24); }
};

template <typename Random>
void WordBuilder::build(Random &random, QChar *out) const
{
    Draws<Random> draw{random};
    const char16_t *vowels = vowels_.utf16();
    const char16_t *consonants = consonants_.utf16();
    const int vowelCount = int(vowels_.size());
    const int consonantCount = int(consonants_.size());
    for (const Element &e : elements_) {
        switch (e.kind) {
        case Kind::VowelGroup:
        case Kind::ConsonantGroup: {
            const bool vowel = e.kind == Kind::VowelGroup;
            // The coin is drawn even when groups are off, so draws line up.
            if (draw.coin() && diphthongs_) {
                const QStringView pairs = vowel ? vowelPairs_ : consonantPairs_;
                const char16_t *entry = pairs.utf16() + 2 * draw.pick(int(pairs.size() / 2));
                *out++ = QChar(entry[0]);
                *out++ = QChar(entry[1]);
            } else {
                const char16_t *table = vowel ? vowels : consonants;
                const int size = vowel ? vowelCount : consonantCount;
                *out++ = QChar(table[draw.pick(size)]);
                *out++ = QChar(table[draw.pick(size)]);
            }
            break;
        }
        case Kind::Vowel:
            *out++ = QChar(vowels[draw.pick(vowelCount)]);
            break;
        case Kind::Consonant:
            *out++ = QChar(consonants[draw.pick(consonantCount)]);
            break;
        case Kind::AnyLetter:
            if (draw.coin())
                *out++ = QChar(vowels[draw.pick(vowelCount)]);
            else
                *out++ = QChar(consonants[draw.pick(consonantCount)]);
            break;
        case Kind::Literal:
            *out++ = QChar(e.literal);
            break;
        }
    }
}

// Fills GeneratedNames with NoOfNames words of the filter's form at indices
// 1..NoOfNames (index 0 empty) and returns the word at index 1. A count of 0
// leaves the array alone and returns "". A negative count throws
// VarnockError SubscriptOutOfRange; exhausted memory throws OutOfMemory.
QString GenerateNames(const QString &Filter, qint64 NoOfNames, WordArray &GeneratedNames,
                      bool CaseMatters, RandomSource &random, const GenerationOptions &options,
                      const GenerationHooks &hooks = {});

// Progress as the long runs report it: the whole percentage after item i of
// n, in 64-bit arithmetic so counts in the millions cannot overflow.
inline int wholePercent(qint64 i, qint64 n) { return n > 0 ? int((i * 100) / n) : 0; }

// Calls report(p / 100) each time the whole percentage after item i of n
// differs from the last one drawn; 0 % is never drawn.
class ProgressTracker {
public:
    explicit ProgressTracker(qint64 total) : total_(total) {}
    template <typename Report>
    void step(qint64 i, Report &&report)
    {
        const int p = wholePercent(i, total_);
        if (p != last_) {
            last_ = p;
            report(float(p) / 100.0f);
        }
    }

private:
    qint64 total_;
    int last_ = 0;
};

// The generation loop of every filter run, for the word array and for callers
// that keep their words elsewhere: word i of 1..count is built where slot(i)
// points (builder.length() free units), given its case (the sample read
// afresh for every word under match case) and reported to the hooks.
template <typename Random, typename Slot>
void generateWords(const WordBuilder &builder, qint64 count, bool CaseMatters, Random &random,
                   const GenerationOptions &options, const GenerationHooks &hooks, Slot &&slot)
{
    const qsizetype length = builder.length();
    const QString caption = QStringLiteral("Generating...");
    ProgressTracker progress(count);
    for (qint64 i = 1; i <= count; ++i) {
        QChar *word = slot(i);
        builder.build(random, word);
        shapeCaseInPlace(word, length, CaseMatters,
                         CaseMatters && hooks.caseSample ? hooks.caseSample() : QString());
        if (!options.fastMode && hooks.yield)
            hooks.yield();
        if (hooks.progress)
            progress.step(i, [&](float fraction) { hooks.progress(fraction, caption); });
    }
}
