#include "engine/GenerateNames.h"
#include "wordlist/FixedLengthSort.h"
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

WordArray sortedCopy(WordArray words)
{
    std::sort(words.begin() + 1, words.end());
    return words;
}

// "0 Al Al" -> {"0", "Al", "Al"}; two blanks in a row give an empty word.
WordArray words(const char *spaced) { return QString::fromLatin1(spaced).split(u' '); }

// words[first..] sorted as fixed-length lines, each ended by end.
QString sortedLines(const QStringList &words, qsizetype first, const QString &end, bool unique)
{
    const QString joined = words.mid(first).join(end) + (words.size() > first ? end : QString());
    std::vector<QChar> lines(joined.begin(), joined.end());
    sortFixedLengthLines(lines, words.size() > first ? words[first].size() : 0, end, unique);
    return QString(lines.data(), qsizetype(lines.size()));
}
} // namespace

class TestWordSort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shakerAndQuickSortCases()
    {
        WordArray list = words("zero Bo Ab ab B");
        Shaker(list);
        QCOMPARE(list, words("zero Ab B Bo ab"));

        // Upper bound 0 or 1: nothing to sort, index 1 untouched.
        for (WordArray small : {WordArray{}, words("x"), words("z b")}) {
            const WordArray before = small;
            Shaker(small);
            QCOMPARE(small, before);
        }

        // QuickSort sorts only its range, cut to the array.
        list = words("- e d c b a");
        QuickSort(list, 2, 4);
        QCOMPARE(list, words("- e b c d a"));
        QuickSort(list, 3, 3);
        QuickSort(list, 4, 2);
        QCOMPARE(list, words("- e b c d a"));
        list = words("c b a");
        QuickSort(list, -3, 99);
        QCOMPARE(list, words("a b c"));
    }

    // Words that agree in their first units, are shorter than four units,
    // hold NUL characters or high code units: the order is still exactly
    // the code-unit order.
    void shakerTiesAndOddUnits()
    {
        const QChar nul(u'\0');
        WordArray list{u"zero"_qs};
        const QStringList pieces{u"ab"_qs, u"ab"_qs + nul, u"ab"_qs + nul + nul + u'x', u"abab"_qs,
                                 u"ababa"_qs, u"ababb"_qs, u"abab"_qs, u"a"_qs, QString(), u"\uffff"_qs,
                                 QString(QChar(0xD83D)) + QChar(0xDE00), u"\u00e9t\u00e9"_qs, u"Abab"_qs};
        XoshiroRandom random(4);
        for (int k = 0; k < 3000; ++k)
            list.append(pieces[pickIndex(random.next(), int(pieces.size()))]
                        + pieces[pickIndex(random.next(), int(pieces.size()))]);
        const WordArray expected = sortedCopy(list);
        Shaker(list);
        QVERIFY(list == expected);
        QVERIFY(list.indexOf(u"\uffff"_qs) > list.indexOf(QString(QChar(0xD83D)) + QChar(0xDE00)));
    }

    void thirtyThousandWords_data()
    {
        QTest::addColumn<WordArray>("words");
        const int n = 30000;
        XoshiroRandom random(11);
        WordArray generated;
        GenerateNames(u"cvcvvc"_qs, n, generated, false, random, {});
        QTest::newRow("one run of generated words") << generated;
        GenerateNames(u"cvc"_qs, n, generated, false, random, {.realityMode = true, .diphthongs = true});
        QTest::newRow("three letters, repeating a lot") << generated;
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
    // Sorted on a thread with a small stack, where deep recursion crashes
    // instead of passing unnoticed on the main thread's large stack; then
    // stripped of repeats.
    void thirtyThousandWords()
    {
        QFETCH(WordArray, words);
        words[0] = u"index zero"_qs;
        const WordArray input = words;
        WordArray expected = sortedCopy(words);
        QThread *thread = QThread::create([&words] { Shaker(words); });
        thread->setStackSize(256 * 1024);
        thread->start();
        QVERIFY(thread->wait(QDeadlineTimer(120000)));
        delete thread;
        QCOMPARE(words[0], u"index zero"_qs);
        QVERIFY(words == expected);
        // Words of one length sorted as the command line sorts them.
        QVERIFY(sortedLines(input, 1, u"\n"_qs, false) == expected.mid(1).join(u'\n') + u'\n');
        KillDupes(words);
        QVERIFY(words == WordArray(expected.begin(), std::unique(expected.begin() + 1, expected.end())));
        QVERIFY(sortedLines(input, 1, u"\r\n"_qs, true) == words.mid(1).join(u"\r\n"_qs) + u"\r\n"_qs);
    }

    // Lines of one length: words packed whole into keys (few characters),
    // or a key of the leading units and the rest (here 36 characters, so
    // 10 units in the key); ties, repeats, NUL and high units, empty words.
    void fixedLengthLines_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("unique");
        QTest::addColumn<QStringList>("sorted");
        const QStringList letters{u"Bo"_qs, u"ab"_qs, u"Ab"_qs, u"BB"_qs, u"ab"_qs, u"Bo"_qs};
        QTest::newRow("packed") << letters << false << QStringList{u"Ab"_qs, u"BB"_qs, u"Bo"_qs, u"Bo"_qs, u"ab"_qs, u"ab"_qs};
        QTest::newRow("packed, unique") << letters << true << QStringList{u"Ab"_qs, u"BB"_qs, u"Bo"_qs, u"ab"_qs};
        const QStringList odd{u"\uffffa"_qs, QString(QChar(0)) + u'b', u"a"_qs + QChar(0), u"\u00e9t"_qs, u"a"_qs + QChar(0)};
        QTest::newRow("odd units") << odd << true
                                   << QStringList{QString(QChar(0)) + u'b', u"a"_qs + QChar(0), u"\u00e9t"_qs, u"\uffffa"_qs};
        const QStringList longer{u"mnopqrstuvwx"_qs, u"abcdefghijkl"_qs, u"yzABCDEFGHIJ"_qs, u"abcdefghijka"_qs,
                                 u"abcdefghijkl"_qs, u"abcdefghijzz"_qs};
        const QStringList longerSorted{u"abcdefghijka"_qs, u"abcdefghijkl"_qs, u"abcdefghijkl"_qs,
                                       u"abcdefghijzz"_qs, u"mnopqrstuvwx"_qs, u"yzABCDEFGHIJ"_qs};
        QTest::newRow("key and tail") << longer << false << longerSorted;
        QTest::newRow("key and tail, unique") << longer << true
                                              << QStringList{u"abcdefghijka"_qs, u"abcdefghijkl"_qs, u"abcdefghijzz"_qs,
                                                             u"mnopqrstuvwx"_qs, u"yzABCDEFGHIJ"_qs};
        QTest::newRow("one word") << QStringList{u"Zz"_qs} << true << QStringList{u"Zz"_qs};
        QTest::newRow("none") << QStringList() << true << QStringList();
        QTest::newRow("empty words") << QStringList{u""_qs, u""_qs, u""_qs} << false << QStringList{u""_qs, u""_qs, u""_qs};
        QTest::newRow("empty words, unique") << QStringList{u""_qs, u""_qs, u""_qs} << true << QStringList{u""_qs};
    }
    void fixedLengthLines()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, unique);
        QFETCH(QStringList, sorted);
        const QString expected = sorted.join(u"\r\n"_qs) + (sorted.isEmpty() ? u""_qs : u"\r\n"_qs);
        QCOMPARE(sortedLines(words, 0, u"\r\n"_qs, unique), expected);
    }

    void killDupes()
    {
        const QList<std::pair<WordArray, WordArray>> cases{
            {words("0 Al Al Bo Cy Cy Cy"), words("0 Al Bo Cy")},
            {words("0 Al Bo Cy"), words("0 Al Bo Cy")},
            {words("0 Al Al Al Al Al Al"), words("0 Al")},
            {words("0 Al al"), words("0 Al al")},
            {words("0 Al Bo Al"), words("0 Al Bo Al")}, // unsorted: neighbours only
            {words("0 A B C C"), words("0 A B C")},
            {words("0   a"), words("0  a")}, // empty words
            {words("0 A"), words("0 A")},
            {words("0"), words("0")},
            {WordArray{}, WordArray{}},
        };
        for (auto [list, result] : cases) {
            KillDupes(list);
            QCOMPARE(list, result);
        }
    }
};

QTEST_GUILESS_MAIN(TestWordSort)
#include "test_wordsort.moc"
