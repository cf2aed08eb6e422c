#include "substitute/Substitute.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>
#include <algorithm>

class TestSubstitute : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each character found in the original charset (first occurrence, case
    // ignored) becomes the one at the same place in the new charset.
    void substitute()
    {
        QString reversed = u"abcdefghijklmnopqrstuvwxyz"_qs;
        std::reverse(reversed.begin(), reversed.end());
        const std::tuple<QString, QString, QString, QString> cases[] = {
            {u"Hello"_qs, u"abcdefghijklmnopqrstuvwxyz"_qs, reversed, u"svool"_qs},
            {u"a-b c!"_qs, u"abc"_qs, u"xyz"_qs, u"x-y z!"_qs}, // outside the charset: kept
            {u"ab"_qs, u"aba"_qs, u"xyz"_qs, u"xy"_qs},         // the first occurrence decides
            {u"ba"_qs, u"ab"_qs, u"ABCD"_qs, u"BA"_qs},         // a longer new charset
            {u"cab"_qs, u"abc"_qs, u"x"_qs, u"x"_qs},           // a shorter one drops characters
            {u"Text 1"_qs, u""_qs, u""_qs, u"Text 1"_qs}, {u""_qs, u"abc"_qs, u"xyz"_qs, u""_qs},
            {u"abc"_qs, u"ABC"_qs, u"123"_qs, u"123"_qs}, {u"a1"_qs, u"1"_qs, u"q"_qs, u"aq"_qs}};
        for (const auto &[word, original, replacement, result] : cases)
            QCOMPARE(fnSubstitute(word, original, replacement), result);
    }

    void randomizeScripted()
    {
        const auto P = ScriptedRandom::pick;
        // abc: i=1 swaps with 3 (cba), i=2 with 1 (bca), i=3 with itself.
        const std::tuple<QString, std::vector<float>, QString> cases[] = {
            {u"abc"_qs, {P(2, 3), P(0, 3), P(2, 3)}, u"bca"_qs},
            {u"abc"_qs, {0.0f, P(1, 3), P(2, 3)}, u"abc"_qs},
            {u"x"_qs, {0.99999994f}, u"x"_qs},
            {QString(), {}, QString()}};
        for (const auto &[text, draws, result] : cases) {
            ScriptedRandom random(draws);
            QCOMPARE(fnRandomize(text, random), result);
            QCOMPARE(random.remaining(), std::size_t(0));
        }
    }

    // The swap scheme draws from the whole text each time, so its n^n paths
    // do not spread evenly over the n! arrangements: for three letters the
    // six arrangements come out 4, 5, 5, 5, 4, 4 times in 27.
    void randomizeDistribution()
    {
        XoshiroRandom random(5);
        QHash<QString, int> seen;
        const int runs = 270000;
        for (int k = 0; k < runs; ++k)
            ++seen[fnRandomize(u"abc"_qs, random)];
        QCOMPARE(seen.size(), 6);
        const QHash<QString, int> paths{{u"abc"_qs, 4}, {u"acb"_qs, 5}, {u"bac"_qs, 5},
                                        {u"bca"_qs, 5}, {u"cab"_qs, 4}, {u"cba"_qs, 4}};
        double chi = 0;
        for (auto it = paths.cbegin(); it != paths.cend(); ++it) {
            const double expected = runs * it.value() / 27.0;
            chi += (seen.value(it.key()) - expected) * (seen.value(it.key()) - expected) / expected;
        }
        QVERIFY2(chi < 20.52, qPrintable(QString::number(chi))); // df 5, p = 0.001
    }
};

QTEST_GUILESS_MAIN(TestSubstitute)
#include "test_substitute.moc"
