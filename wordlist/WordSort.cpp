#include "wordlist/WordSort.h"

#include <utility>

void Shaker(WordArray &dataarrays)
{
    const qsizetype upper = dataarrays.size() - 1;
    if (upper >= 1)
        QuickSort(dataarrays, 1, qint32(upper));
}

void QuickSort(WordArray &vData, qint32 Low, qint32 Hi)
{
    // The two halves of a partition are independent, so recursing into the
    // smaller one and looping on the larger gives the same order with a
    // stack depth that stays logarithmic on any input.
    QString *data = vData.data();
    while (Low < Hi) {
        qint32 i = Low;
        qint32 j = Hi;
        const QString pivot = data[Low + (Hi - Low) / 2];
        while (i <= j) {
            while (data[i] < pivot && i < Hi)
                ++i;
            while (pivot < data[j] && j > Low)
                --j;
            if (i <= j) {
                data[i].swap(data[j]);
                ++i;
                --j;
            }
        }
        if (j - Low < Hi - i) {
            if (Low < j)
                QuickSort(vData, Low, j);
            Low = i;
        } else {
            if (i < Hi)
                QuickSort(vData, i, Hi);
            Hi = j;
        }
    }
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
