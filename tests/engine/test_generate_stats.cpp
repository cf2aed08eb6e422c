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
using namespace LetterTables;

// The p = 0.001 upper quantile of chi-square (Wilson-Hilferty; within 2 %
// of the exact value from 4 degrees of freedom on).
double chiSquareBound(qsizetype df)
{
    const double a = 2.0 / (9.0 * double(df));
    return double(df) * std::pow(1 - a + 3.0902 * std::sqrt(a), 3);
}

template <typename Key>
void checkChiSquare(const QHash<Key, qint64> &observed, const QHash<Key, double> &expectedShare, qint64 total)
{
    double chi = 0;
    for (auto it = expectedShare.cbegin(); it != expectedShare.cend(); ++it) {
        const double expected = it.value() * double(total);
        const double diff = double(observed.value(it.key())) - expected;
        chi += diff * diff / expected;
    }
    for (auto it = observed.cbegin(); it != observed.cend(); ++it)
        QVERIFY2(expectedShare.contains(it.key()), "a result outside the tables");
    const qsizetype df = expectedShare.size() - 1;
    QVERIFY2(chi < chiSquareBound(df), qPrintable(QStringLiteral("chi-square %1, df %2").arg(chi).arg(df)));
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
    // Plain tables are even, reality tables weighted by repeated entries.
    void singleLetterFrequencies()
    {
        const std::tuple<QString, bool, QStringView> cases[] = {
            {u"v"_qs, false, Vowels}, {u"v"_qs, true, WeightedVowels}, {u"c"_qs, false, Consonants},
            {u"c"_qs, true, WeightedConsonants}};
        for (const auto &[filter, reality, pool] : cases) {
            const int count = 200000;
            const WordArray words = run(filter, count, {.realityMode = reality, .diphthongs = true}, 20261206);
            QHash<QChar, qint64> observed;
            for (int i = 1; i <= count; ++i)
                ++observed[words[i][0].toLower()];
            QHash<QChar, double> expected;
            for (QChar c : pool)
                expected[c] += 1.0 / pool.size();
            checkChiSquare(observed, expected, count);
        }
    }

    // With groups on, half of the "vv" words are one pair entry and half are
    // two single vowels; y appears only through the pair entries.
    void vowelGroupMixture()
    {
        for (const auto &[reality, groups] : {std::pair{false, true}, {false, false}, {true, true}}) {
            const QStringView singles = reality ? WeightedVowels : Vowels;
            const QStringView pairs = reality ? WeightedVowelPairs : VowelPairs;
            const double pairShare = groups ? 0.5 : 0.0;
            QHash<QString, double> expected;
            double yInPairs = 0;
            for (qsizetype k = 0; groups && k < pairs.size(); k += 2) {
                expected[pairs.mid(k, 2).toString()] += pairShare * 2.0 / pairs.size();
                yInPairs += pairs.mid(k, 2).contains(u'y') ? 2.0 / pairs.size() : 0;
            }
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
            checkChiSquare(observed, expected, count);
            // The share of pair entries, estimated from the y words alone.
            if (groups)
                QVERIFY2(std::abs(double(withY) / count / yInPairs - 0.5) < 0.03, qPrintable(QString::number(withY)));
            else
                QCOMPARE(withY, qint64(0));
        }
    }
};

QTEST_GUILESS_MAIN(TestGenerateStats)
#include "test_generate_stats.moc"
