#include "engine/GenerateNames.h"
#include "engine/LetterTables.h"

#include <QHash>
#include <QtTest/QtTest>
#include <cmath>

// Letter frequencies of long seeded runs against the table weights. Each
// bound is the chi-square value at p = 0.001 for the test's degrees of
// freedom, so a correct generator passes for practically every seed, while a
// wrong table or an off-by-one pick shifts the statistic far past it.
namespace {

// Expected share of every character when one pick is made from a pool.
QHash<QChar, double> poolShares(QStringView pool)
{
    QHash<QChar, double> shares;
    for (QChar c : pool)
        shares[c] += 1.0 / pool.size();
    return shares;
}

template <typename Key>
double chiSquare(const QHash<Key, qint64> &observed, const QHash<Key, double> &expectedShare, qint64 total)
{
    double chi = 0;
    for (auto it = expectedShare.cbegin(); it != expectedShare.cend(); ++it) {
        const double expected = it.value() * double(total);
        const double diff = double(observed.value(it.key())) - expected;
        chi += diff * diff / expected;
    }
    return chi;
}

WordArray run(const QString &filter, int count, const GenerationOptions &options, quint64 seed)
{
    XoshiroRandom random(seed);
    WordArray words;
    GenerateNames(filter, count, words, false, random, options);
    return words;
}

} // namespace

class TestGenerateStats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void singleLetterFrequencies_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("reality");
        QTest::addColumn<QString>("pool");
        QTest::addColumn<double>("bound");
        using namespace LetterTables;
        QTest::newRow("plain vowels even") << "v" << false << Vowels.toString() << 18.47;
        QTest::newRow("reality vowels weighted") << "v" << true << WeightedVowels.toString() << 18.47;
        QTest::newRow("plain consonants even") << "c" << false << Consonants.toString() << 45.31;
        QTest::newRow("reality consonants weighted") << "c" << true << WeightedConsonants.toString() << 45.31;
    }
    void singleLetterFrequencies()
    {
        QFETCH(QString, filter);
        QFETCH(bool, reality);
        QFETCH(QString, pool);
        QFETCH(double, bound);
        const int count = 200000;
        const WordArray words = run(filter, count, {.realityMode = reality, .diphthongs = true}, 20261206);
        QHash<QChar, qint64> observed;
        for (int i = 1; i <= count; ++i)
            ++observed[words[i][0].toLower()];
        const QHash<QChar, double> expected = poolShares(pool);
        QCOMPARE(observed.size(), expected.size()); // no letter outside the table
        const double chi = chiSquare(observed, expected, count);
        QVERIFY2(chi < bound, qPrintable(QStringLiteral("chi-square %1").arg(chi)));
    }

    // With groups on, half of the "vv" words are one pair entry and half are
    // two single vowels; y appears only through the pair entries.
    void vowelGroupMixture_data()
    {
        QTest::addColumn<bool>("reality");
        QTest::addColumn<bool>("groups");
        QTest::newRow("plain, groups on") << false << true;
        QTest::newRow("plain, groups off") << false << false;
        QTest::newRow("reality, groups on") << true << true;
    }
    void vowelGroupMixture()
    {
        QFETCH(bool, reality);
        QFETCH(bool, groups);
        using namespace LetterTables;
        const QStringView singles = reality ? WeightedVowels : Vowels;
        const QStringView pairs = reality ? WeightedVowelPairs : VowelPairs;

        QHash<QString, double> expected;
        const double pairShare = groups ? 0.5 : 0.0;
        for (qsizetype k = 0; groups && k < pairs.size(); k += 2)
            expected[pairs.mid(k, 2).toString()] += pairShare * 2.0 / pairs.size();
        for (QChar a : singles)
            for (QChar b : singles)
                expected[QString(a) + b] += (1 - pairShare) / (double(singles.size()) * singles.size());

        const int count = 200000;
        const WordArray words = run(u"vv"_qs, count, {.realityMode = reality, .diphthongs = groups}, 77);
        QHash<QString, qint64> observed;
        qint64 withY = 0;
        for (int i = 1; i <= count; ++i) {
            const QString w = words[i].toLower();
            ++observed[w];
            withY += w.contains(u'y');
        }
        for (auto it = observed.cbegin(); it != observed.cend(); ++it)
            QVERIFY2(expected.contains(it.key()), qPrintable(it.key()));

        // df = categories - 1; the bounds are the p = 0.001 quantiles.
        const double bounds[] = {0, 0, 0, 0, 18.47, 20.52, 22.46, 24.32, 26.12, 27.88, 29.59, 31.26,
                                 32.91, 34.53, 36.12, 37.70, 39.25, 40.79, 42.31, 43.82, 45.31, 46.80,
                                 48.27, 49.73, 51.18, 52.62, 54.05, 55.48, 56.89, 58.30};
        const int df = int(expected.size()) - 1;
        QVERIFY(df < int(std::size(bounds)));
        const double chi = chiSquare(observed, expected, count);
        QVERIFY2(chi < bounds[df], qPrintable(QStringLiteral("chi-square %1, df %2").arg(chi).arg(df)));

        // The share of pair entries, estimated from the y words alone.
        double yInPairs = 0;
        for (qsizetype k = 0; k < pairs.size(); k += 2)
            yInPairs += pairs.mid(k, 2).contains(u'y') ? 2.0 / pairs.size() : 0;
        const double pairEstimate = double(withY) / count / yInPairs;
        if (groups)
            QVERIFY2(std::abs(pairEstimate - 0.5) < 0.03, qPrintable(QString::number(pairEstimate)));
        else
            QCOMPARE(withY, qint64(0));
    }

    void anyLetterEvenOdds()
    {
        const int count = 100000;
        const WordArray words = run(u"?"_qs, count, {.realityMode = false, .diphthongs = true}, 9);
        qint64 vowels = 0;
        for (int i = 1; i <= count; ++i)
            vowels += LetterTables::isVowel(words[i][0].unicode());
        // Four standard deviations of a fair coin over 100000 throws.
        QVERIFY2(std::abs(double(vowels) / count - 0.5) < 4 * std::sqrt(0.25 / count),
                 qPrintable(QString::number(vowels)));
    }
};

QTEST_GUILESS_MAIN(TestGenerateStats)
#include "test_generate_stats.moc"
