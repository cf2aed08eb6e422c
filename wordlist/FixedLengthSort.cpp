#include "wordlist/FixedLengthSort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

// Where the words stand in the buffer.
struct Layout {
    qsizetype length;
    QStringView lineEnd;
    qsizetype stride() const { return length + lineEnd.size(); }
    size_t count(const std::vector<QChar> &lines) const { return lines.size() / size_t(stride()); }
    const QChar *word(const std::vector<QChar> &lines, size_t i) const { return lines.data() + i * stride(); }
};

// The characters the words use, numbered in code-unit order.
struct Alphabet {
    std::vector<char16_t> letters;
    std::vector<std::uint16_t> rank = std::vector<std::uint16_t>(0x10000);
    int bits = 1; // per packed character

    std::uint64_t pack(const QChar *word, qsizetype units) const
    {
        std::uint64_t key = 0;
        for (qsizetype j = 0; j < units; ++j)
            key = (key << bits) | rank[word[j].unicode()];
        return key;
    }
};

Alphabet alphabetOf(const std::vector<QChar> &lines, const Layout &layout)
{
    std::vector<std::uint8_t> used(0x10000);
    for (size_t i = 0, n = layout.count(lines); i < n; ++i) {
        const QChar *word = layout.word(lines, i);
        for (qsizetype j = 0; j < layout.length; ++j)
            used[word[j].unicode()] = 1;
    }
    Alphabet alphabet;
    for (unsigned u = 0; u < 0x10000; ++u) {
        if (used[u]) {
            alphabet.rank[u] = std::uint16_t(alphabet.letters.size());
            alphabet.letters.push_back(char16_t(u));
        }
    }
    alphabet.bits = std::max(1, int(std::bit_width(alphabet.letters.size() - 1)));
    return alphabet;
}

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
// over the lines from them (line ends stay where they are).
void sortPacked(std::vector<QChar> &lines, const Layout &layout, const Alphabet &alphabet, bool unique)
{
    std::vector<std::uint64_t> keys(layout.count(lines));
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = alphabet.pack(layout.word(lines, i), layout.length);
    radixSort(keys, int(alphabet.bits * layout.length));
    if (unique)
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());

    const std::uint64_t mask = (std::uint64_t(1) << alphabet.bits) - 1;
    QChar *word = lines.data();
    for (std::uint64_t key : keys) {
        for (qsizetype j = layout.length - 1; j >= 0; --j, key >>= alphabet.bits)
            word[j] = QChar(alphabet.letters[key & mask]);
        word += layout.stride();
    }
    lines.resize(keys.size() * size_t(layout.stride()));
}

// Words too long for one key: the packed leading units decide most
// comparisons, the remaining units the rest.
void sortByHeadAndTail(std::vector<QChar> &lines, const Layout &layout, const Alphabet &alphabet, bool unique)
{
    const qsizetype head = 64 / alphabet.bits;
    struct Entry {
        std::uint64_t key;
        std::uint32_t index;
    };
    std::vector<Entry> order(layout.count(lines));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = {alphabet.pack(layout.word(lines, i), head), std::uint32_t(i)};
    auto tail = [&](const Entry &e) {
        return std::u16string_view(reinterpret_cast<const char16_t *>(layout.word(lines, e.index)) + head,
                                   size_t(layout.length - head));
    };
    std::sort(order.begin(), order.end(), [&](const Entry &a, const Entry &b) {
        return a.key != b.key ? a.key < b.key : tail(a) < tail(b);
    });
    if (unique) {
        auto same = [&](const Entry &a, const Entry &b) { return a.key == b.key && tail(a) == tail(b); };
        order.erase(std::unique(order.begin(), order.end(), same), order.end());
    }

    std::vector<QChar> sorted(order.size() * size_t(layout.stride()));
    QChar *out = sorted.data();
    for (const Entry &e : order)
        out = std::copy_n(layout.word(lines, e.index), layout.stride(), out);
    lines.swap(sorted);
}

} // namespace

void sortFixedLengthLines(std::vector<QChar> &lines, qsizetype length, QStringView lineEnd, bool unique)
{
    const Layout layout{length, lineEnd};
    if (lines.empty())
        return;
    if (length == 0) { // every line is the same empty word
        if (unique)
            lines.resize(size_t(layout.stride()));
        return;
    }
    const Alphabet alphabet = alphabetOf(lines, layout);
    if (alphabet.bits * length <= 64)
        sortPacked(lines, layout, alphabet, unique);
    else
        sortByHeadAndTail(lines, layout, alphabet, unique);
}
