#include "substitute/Substitute.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>
#include <algorithm>

Q_DECLARE_METATYPE(std::vector<float>)

class TestSubstitute : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void substitute_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        const QString alphabet = u"abcdefghijklmnopqrstuvwxyz"_qs;
        QString reversed = alphabet;
        std::reverse(reversed.begin(), reversed.end());
        QTest::newRow("reversed alphabet") << "Hello" << alphabet << reversed << "svool";
        QTest::newRow("outside the charset") << "a-b c!" << "abc" << "xyz" << "x-y z!";
        QTest::newRow("first occurrence decides") << "ab" << "aba" << "xyz" << "xy";
        QTest::newRow("longer new charset") << "ba" << "ab" << "ABCD" << "BA";
        QTest::newRow("shorter new charset drops") << "cab" << "abc" << "x" << "x";
        QTest::newRow("empty charset") << "Text 1" << "" << "" << "Text 1";
        QTest::newRow("empty text") << "" << "abc" << "xyz" << "";
        QTest::newRow("upper-case charset finds lower text") << "abc" << "ABC" << "123" << "123";
        QTest::newRow("digits") << "a1" << "1" << "q" << "aq";
    }
    void substitute()
    {
        QFETCH(QString, word);
        QFETCH(QString, original);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QCOMPARE(fnSubstitute(word, original, replacement), result);
    }

    void randomizeScripted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::vector<float>>("draws");
        QTest::addColumn<QString>("result");
        const float P0 = ScriptedRandom::pick(0, 3), P2 = ScriptedRandom::pick(2, 3);
        // i=1 swaps with 3 (cba), i=2 with 1 (bca), i=3 with itself.
        QTest::newRow("abc") << "abc" << std::vector<float>{P2, P0, P2} << "bca";
        QTest::newRow("all stay") << "abc" << std::vector<float>{0.0f, ScriptedRandom::pick(1, 3), P2} << "abc";
        QTest::newRow("one character") << "x" << std::vector<float>{0.99999994f} << "x";
        QTest::newRow("empty") << "" << std::vector<float>{} << "";
    }
    void randomizeScripted()
    {
        QFETCH(QString, text);
        QFETCH(std::vector<float>, draws);
        QFETCH(QString, result);
        ScriptedRandom random;
        for (float r : draws)
            random.push(r);
        QCOMPARE(fnRandomize(text, random), result);
        QCOMPARE(random.remaining(), std::size_t(0));
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
