#include "wordlist/FixedLengthSort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

// The characters the words use, numbered in code-unit order.
struct Alphabet {
    std::vector<char16_t> letters;
    std::vector<std::uint16_t> rank = std::vector<std::uint16_t>(0x10000);
    int bits = 0; // per packed character

    Alphabet(const std::vector<QChar> &lines, qsizetype length, qsizetype stride)
    {
        for (size_t at = 0; at < lines.size(); at += size_t(stride))
            for (qsizetype j = 0; j < length; ++j)
                rank[lines[at + j].unicode()] = 1;
        for (std::uint16_t &r : rank) {
            if (r) {
                letters.push_back(char16_t(&r - rank.data()));
                r = std::uint16_t(letters.size() - 1);
            }
        }
        bits = int(std::bit_width(letters.size() - 1)); // 0 for one letter: all words alike
    }
    std::uint64_t pack(const QChar *word, qsizetype units) const
    {
        std::uint64_t key = 0;
        for (qsizetype j = 0; j < units; ++j)
            key = (key << bits) | rank[word[j].unicode()];
        return key;
    }
};

// LSD radix sort of keys that use only their low totalBits bits.
void radixSort(std::vector<std::uint64_t> &keys, int totalBits)
{
    if (totalBits <= 0 || keys.size() < 2)
        return;
    const int passes = (totalBits + 11) / 12;
    const int digitBits = (totalBits + passes - 1) / passes;
    const std::uint64_t mask = (std::uint64_t(1) << digitBits) - 1;
    std::vector<std::uint64_t> scratch(keys.size());
    std::vector<size_t> counts(size_t(mask) + 1);
    for (int pass = 0; pass < passes; ++pass) {
        const int shift = pass * digitBits;
        std::fill(counts.begin(), counts.end(), 0);
        for (const std::uint64_t key : keys)
            ++counts[(key >> shift) & mask];
        size_t sum = 0;
        for (size_t &c : counts)
            sum += std::exchange(c, sum);
        for (const std::uint64_t key : keys)
            scratch[counts[(key >> shift) & mask]++] = key;
        keys.swap(scratch);
    }
}

// Words that pack whole: the keys are sorted, then the words written back
// over the lines from them (the line ends stay where they are).
void sortPacked(std::vector<QChar> &lines, qsizetype length, qsizetype stride, const Alphabet &alphabet,
                bool unique)
{
    std::vector<std::uint64_t> keys(lines.size() / size_t(stride));
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = alphabet.pack(lines.data() + i * stride, length);
    radixSort(keys, int(alphabet.bits * length));
    if (unique)
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    const std::uint64_t mask = (std::uint64_t(1) << alphabet.bits) - 1;
    for (size_t i = 0; i < keys.size(); ++i) {
        std::uint64_t key = keys[i];
        for (qsizetype j = length - 1; j >= 0; --j, key >>= alphabet.bits)
            lines[i * stride + j] = QChar(alphabet.letters[key & mask]);
    }
    lines.resize(keys.size() * size_t(stride));
}

// Words too long for one key: the packed leading units decide most
// comparisons, the remaining units the rest.
void sortByHeadAndTail(std::vector<QChar> &lines, qsizetype length, qsizetype stride, const Alphabet &alphabet,
                       bool unique)
{
    const qsizetype head = 64 / alphabet.bits;
    struct Entry {
        std::uint64_t key;
        std::uint32_t index;
    };
    std::vector<Entry> order(lines.size() / size_t(stride));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = {alphabet.pack(lines.data() + i * stride, head), std::uint32_t(i)};
    auto tail = [&](const Entry &e) {
        return std::u16string_view(reinterpret_cast<const char16_t *>(lines.data()) + e.index * stride + head,
                                   size_t(length - head));
    };
    std::sort(order.begin(), order.end(),
              [&](const Entry &a, const Entry &b) { return a.key < b.key || (a.key == b.key && tail(a) < tail(b)); });
    if (unique) {
        auto same = [&](const Entry &a, const Entry &b) { return a.key == b.key && tail(a) == tail(b); };
        order.erase(std::unique(order.begin(), order.end(), same), order.end());
    }
    std::vector<QChar> sorted(order.size() * size_t(stride));
    for (size_t i = 0; i < order.size(); ++i)
        std::copy_n(lines.data() + order[i].index * stride, stride, sorted.data() + i * stride);
    lines.swap(sorted);
}

} // namespace

void sortFixedLengthLines(std::vector<QChar> &lines, qsizetype length, QStringView lineEnd, bool unique)
{
    const qsizetype stride = length + lineEnd.size();
    if (lines.empty() || length == 0) { // no words, or every line the same empty word
        if (unique)
            lines.resize(std::min(lines.size(), size_t(stride)));
        return;
    }
    const Alphabet alphabet(lines, length, stride);
    if (alphabet.bits * length <= 64)
        sortPacked(lines, length, stride, alphabet, unique);
    else
        sortByHeadAndTail(lines, length, stride, alphabet, unique);
}
