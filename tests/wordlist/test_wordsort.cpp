#include "engine/GenerateNames.h"
#include "wordlist/WordSort.h"

#include <QThread>
#include <QtTest/QtTest>
#include <algorithm>

namespace {
// Words that all differ and sort like their numbers.
QString numbered(int k) { return QStringLiteral("w%1").arg(k, 6, 10, QChar(u'0')); }

// An order that makes every partition's middle element the smallest of its
// range, so each partition splits off a single word: the worst case of a
// middle-pivot quicksort, which recursing naively would answer with one stack
// frame per word.
WordArray middleMinimumKiller(int n)
{
    std::vector<int> slot(n + 1), rank(n + 1);
    for (int k = 1; k <= n; ++k)
        slot[k] = k;
    for (int low = 1; low < n; ++low) {
        const int m = (low + n) / 2;
        rank[slot[m]] = low;
        std::swap(slot[low], slot[m]);
    }
    rank[slot[n]] = n;
    WordArray words(n + 1);
    for (int k = 1; k <= n; ++k)
        words[k] = numbered(rank[k]);
    return words;
}

// Runs Shaker on a thread with a small stack: deep recursion crashes there
// instead of passing unnoticed on the main thread's large stack.
void shakeOnSmallStack(WordArray &words)
{
    QThread *thread = QThread::create([&words] { Shaker(words); });
    thread->setStackSize(256 * 1024);
    thread->start();
    QVERIFY(thread->wait(QDeadlineTimer(120000)));
    delete thread;
}

WordArray sortedCopy(WordArray words)
{
    std::sort(words.begin() + 1, words.end());
    return words;
}
} // namespace

class TestWordSort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shakerOrdinalOrder()
    {
        WordArray words{u"zero"_qs, u"Bo"_qs, u"Ab"_qs, u"ab"_qs, u"B"_qs};
        Shaker(words);
        QCOMPARE(words, (WordArray{u"zero"_qs, u"Ab"_qs, u"B"_qs, u"Bo"_qs, u"ab"_qs}));

        WordArray mixed{QString(), u"abo"_qs, u"Zia"_qs, u"\u00e9"_qs, u"e"_qs, QString(), u"Ana"_qs, u"ana"_qs};
        Shaker(mixed);
        QCOMPARE(mixed, (WordArray{QString(), QString(), u"Ana"_qs, u"Zia"_qs, u"abo"_qs, u"ana"_qs, u"e"_qs,
                                   u"\u00e9"_qs}));
    }

    // Words that agree in their first units, are shorter than four units,
    // hold NUL characters or high code units: the order is still exactly
    // the code-unit order.
    void shakerTiesAndOddUnits()
    {
        const QChar nul(u'\0');
        WordArray words{u"zero"_qs};
        const QStringList pieces{u"ab"_qs, u"ab"_qs + nul, u"ab"_qs + nul + nul + u'x', u"abab"_qs,
                                 u"ababa"_qs, u"ababb"_qs, u"abab"_qs, u"a"_qs, QString(), u"\uffff"_qs,
                                 QString(QChar(0xD83D)) + QChar(0xDE00), u"\u00e9t\u00e9"_qs, u"Abab"_qs};
        XoshiroRandom random(4);
        for (int k = 0; k < 3000; ++k) {
            QString w = pieces[pickIndex(random.next(), int(pieces.size()))];
            w += pieces[pickIndex(random.next(), int(pieces.size()))];
            words.append(w);
        }
        const WordArray expected = sortedCopy(words);
        Shaker(words);
        QVERIFY(words == expected);
        QVERIFY(words.indexOf(u"\uffff"_qs) > words.indexOf(QString(QChar(0xD83D)) + QChar(0xDE00)));
    }

    void quickSortRangeCutToArray()
    {
        WordArray words{u"c"_qs, u"b"_qs, u"a"_qs};
        QuickSort(words, -3, 99);
        QCOMPARE(words, (WordArray{u"a"_qs, u"b"_qs, u"c"_qs}));
    }

    void shakerSmallArraysUntouched()
    {
        WordArray none;
        Shaker(none);
        QVERIFY(none.isEmpty());
        WordArray zero{u"x"_qs};
        Shaker(zero);
        QCOMPARE(zero, WordArray{u"x"_qs});
        WordArray one{u"z"_qs, u"b"_qs};
        Shaker(one);
        QCOMPARE(one, (WordArray{u"z"_qs, u"b"_qs}));
    }

    void quickSortRangeOnly()
    {
        WordArray words{u"-"_qs, u"e"_qs, u"d"_qs, u"c"_qs, u"b"_qs, u"a"_qs};
        QuickSort(words, 2, 4);
        QCOMPARE(words, (WordArray{u"-"_qs, u"e"_qs, u"b"_qs, u"c"_qs, u"d"_qs, u"a"_qs}));
        QuickSort(words, 3, 3);
        QuickSort(words, 4, 2);
        QCOMPARE(words, (WordArray{u"-"_qs, u"e"_qs, u"b"_qs, u"c"_qs, u"d"_qs, u"a"_qs}));
    }

    void thirtyThousandWords_data()
    {
        QTest::addColumn<WordArray>("words");
        const int n = 30000;
        XoshiroRandom random(11);
        WordArray generated;
        GenerateNames(u"cvcvvc"_qs, n, generated, false, random, {});
        QTest::newRow("one run of generated words") << generated;
        WordArray ascending(n + 1), descending(n + 1), equal(n + 1), organ(n + 1);
        for (int k = 1; k <= n; ++k) {
            ascending[k] = numbered(k);
            descending[k] = numbered(n - k);
            equal[k] = u"Same"_qs;
            organ[k] = numbered(k <= n / 2 ? k : n - k);
        }
        QTest::newRow("ascending") << ascending;
        QTest::newRow("descending") << descending;
        QTest::newRow("all equal") << equal;
        QTest::newRow("organ pipe") << organ;
        QTest::newRow("middle always smallest") << middleMinimumKiller(n);
    }
    void thirtyThousandWords()
    {
        QFETCH(WordArray, words);
        words[0] = u"index zero"_qs;
        const WordArray expected = sortedCopy(words);
        shakeOnSmallStack(words);
        QCOMPARE(words[0], u"index zero"_qs);
        QVERIFY(words == expected);
    }

    void killDupes_data()
    {
        QTest::addColumn<WordArray>("words");
        QTest::addColumn<WordArray>("result");
        QTest::newRow("runs") << WordArray{u"0"_qs, u"Al"_qs, u"Al"_qs, u"Bo"_qs, u"Cy"_qs, u"Cy"_qs, u"Cy"_qs}
                              << WordArray{u"0"_qs, u"Al"_qs, u"Bo"_qs, u"Cy"_qs};
        QTest::newRow("no repeats") << WordArray{u"0"_qs, u"Al"_qs, u"Bo"_qs, u"Cy"_qs}
                                    << WordArray{u"0"_qs, u"Al"_qs, u"Bo"_qs, u"Cy"_qs};
        QTest::newRow("six copies") << WordArray{u"0"_qs, u"Al"_qs, u"Al"_qs, u"Al"_qs, u"Al"_qs, u"Al"_qs, u"Al"_qs}
                                    << WordArray{u"0"_qs, u"Al"_qs};
        QTest::newRow("case differs") << WordArray{u"0"_qs, u"Al"_qs, u"al"_qs} << WordArray{u"0"_qs, u"Al"_qs, u"al"_qs};
        QTest::newRow("unsorted: neighbours only") << WordArray{u"0"_qs, u"Al"_qs, u"Bo"_qs, u"Al"_qs}
                                                   << WordArray{u"0"_qs, u"Al"_qs, u"Bo"_qs, u"Al"_qs};
        QTest::newRow("repeat at the end") << WordArray{u"0"_qs, u"A"_qs, u"B"_qs, u"C"_qs, u"C"_qs}
                                           << WordArray{u"0"_qs, u"A"_qs, u"B"_qs, u"C"_qs};
        QTest::newRow("repeat at the start") << WordArray{u"0"_qs, u"A"_qs, u"A"_qs, u"B"_qs, u"C"_qs}
                                             << WordArray{u"0"_qs, u"A"_qs, u"B"_qs, u"C"_qs};
        QTest::newRow("empty words") << WordArray{u"0"_qs, QString(), QString(), u"a"_qs}
                                     << WordArray{u"0"_qs, QString(), u"a"_qs};
        QTest::newRow("one word") << WordArray{u"0"_qs, u"A"_qs} << WordArray{u"0"_qs, u"A"_qs};
        QTest::newRow("no words") << WordArray{u"0"_qs} << WordArray{u"0"_qs};
        QTest::newRow("empty array") << WordArray{} << WordArray{};
    }
    void killDupes()
    {
        QFETCH(WordArray, words);
        QFETCH(WordArray, result);
        KillDupes(words);
        QCOMPARE(words, result);
    }

    void shakerThenKillDupesMatchesSortUnique()
    {
        XoshiroRandom random(42);
        WordArray words;
        GenerateNames(u"cvc"_qs, 30000, words, false, random, {.realityMode = true, .diphthongs = true});
        WordArray expected = sortedCopy(words);
        expected.erase(std::unique(expected.begin() + 1, expected.end()), expected.end());
        Shaker(words);
        KillDupes(words);
        QVERIFY(words.size() < 20000); // a three-letter run repeats a lot
        QVERIFY(words == expected);
    }
};

QTEST_GUILESS_MAIN(TestWordSort)
#include "test_wordsort.moc"
