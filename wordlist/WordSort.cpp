#include "wordlist/WordSort.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>
#include <utility>

namespace {

// The first four UTF-16 units of a word packed high to low (missing units
// count as 0): when two prefixes differ, their numeric order is the words'
// ordinal order, so most comparisons never touch the strings' scattered
// buffers. Equal prefixes fall back to the full comparison.
inline std::uint64_t prefixKey(QStringView word)
{
    std::uint64_t key = 0;
    const qsizetype n = std::min<qsizetype>(word.size(), 4);
    const char16_t *p = word.utf16();
    for (qsizetype k = 0; k < 4; ++k)
        key = (key << 16) | (k < n ? p[k] : 0);
    return key;
}

struct Keyed {
    QString *data;
    std::uint64_t *keys; // keys[k] belongs to data[k] and moves with it

    // Equal keys fall back to QString's order: ordinal, by UTF-16 unit.
    bool less(qint32 a, std::uint64_t bKey, QStringView b) const
    {
        return keys[a] < bKey || (keys[a] == bKey && QStringView(data[a]) < b);
    }
    bool greater(qint32 a, std::uint64_t bKey, QStringView b) const
    {
        return keys[a] > bKey || (keys[a] == bKey && b < QStringView(data[a]));
    }
};

void quickSortKeyed(const Keyed &v, qint32 Low, qint32 Hi)
{
    // The two halves of a partition are independent, so recursing into the
    // smaller one and looping on the larger gives the same order with a
    // stack depth that stays logarithmic on any input.
    while (Low < Hi) {
        qint32 i = Low;
        qint32 j = Hi;
        // Swaps exchange the strings' buffers without changing them, so a
        // view of the middle word's buffer keeps the pivot's value as a
        // copy would, without the reference counting.
        const qint32 m = Low + (Hi - Low) / 2;
        const QStringView pivot = v.data[m];
        const std::uint64_t pivotKey = v.keys[m];
        while (i <= j) {
            while (v.less(i, pivotKey, pivot) && i < Hi)
                ++i;
            while (v.greater(j, pivotKey, pivot) && j > Low)
                --j;
            if (i <= j) {
                v.data[i].swap(v.data[j]);
                std::swap(v.keys[i], v.keys[j]);
                ++i;
                --j;
            }
        }
        if (j - Low < Hi - i) {
            if (Low < j)
                quickSortKeyed(v, Low, j);
            Low = i;
        } else {
            if (i < Hi)
                quickSortKeyed(v, i, Hi);
            Hi = j;
        }
    }
}

} // namespace

void Shaker(WordArray &dataarrays)
{
    QuickSort(dataarrays, 1, std::numeric_limits<qint32>::max()); // cut to the array's end
}

void QuickSort(WordArray &vData, qint32 Low, qint32 Hi)
{
    // A range reaching outside the array is cut to the array.
    Low = std::max<qint32>(Low, 0);
    Hi = qint32(std::min<qsizetype>(Hi, vData.size() - 1));
    if (Low >= Hi)
        return;
    QString *data = vData.data();
    std::vector<std::uint64_t> keys(size_t(Hi) + 1);
    for (qint32 k = Low; k <= Hi; ++k)
        keys[size_t(k)] = prefixKey(data[k]);
    quickSortKeyed({data, keys.data()}, Low, Hi);
}

void KillDupes(WordArray &WordList)
{
    const qsizetype upper = WordList.size() - 1;
    qsizetype w = 0;
    QString *data = WordList.data();
    for (qsizetype b = 1; b <= upper - 1; ++b) {
        if (data[b + 1] == data[b]) {
            data[b].clear();
            if (w == 0)
                w = b;
        } else if (w != 0) {
            data[w] = std::move(data[b]);
            data[b].clear();
            ++w;
        }
    }
    if (w != 0) {
        data[w] = std::move(data[upper]);
        WordList.resize(w + 1);
    }
}
