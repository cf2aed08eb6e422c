#include "engine/LetterTables.h"
#include "genetic/Mutate.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>

namespace {
float P(int k, int m) { return ScriptedRandom::pick(k, m); }
}

Q_DECLARE_METATYPE(std::vector<float>)

class TestMutate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scripted_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("mutations");
        QTest::addColumn<std::vector<float>>("draws");
        QTest::addColumn<QString>("result");
        // A capital is recognised and replaced by a small letter.
        const char *vowels[] = {"anna", "enna", "inna", "onna", "unna"};
        for (int k = 0; k < 5; ++k)
            QTest::addRow("Anna, vowel %d", k) << "Anna" << 1 << std::vector<float>{P(0, 4), P(k, 5)} << vowels[k];
        QTest::newRow("consonant for consonant") << "Bob" << 1 << std::vector<float>{P(2, 3), P(20, 21)} << "Boz";
        QTest::newRow("y is a consonant") << "Yo" << 1 << std::vector<float>{P(0, 2), P(0, 21)} << "bo";
        QTest::newRow("same position twice") << "abc" << 2
                                             << std::vector<float>{P(1, 3), P(2, 21), P(1, 3), P(3, 21)} << "afc";
        QTest::newRow("other characters: one draw, no change")
            << "a-b" << 1 << std::vector<float>{P(1, 3)} << "a-b";
        QTest::newRow("digits only, any number of rounds")
            << "12-!" << 3 << std::vector<float>{0.1f, 0.5f, 0.99999994f} << "12-!";
        QTest::newRow("accented letters stay") << QString::fromUtf8("é") << 1 << std::vector<float>{0.3f}
                                               << QString::fromUtf8("é");
        QTest::newRow("largest draw stays inside") << "ou" << 1 << std::vector<float>{0.99999994f, 0.99999994f}
                                                   << "ou";
        QTest::newRow("no mutations") << "Anna" << 0 << std::vector<float>{} << "Anna";
        QTest::newRow("negative mutations") << "Anna" << -2 << std::vector<float>{} << "Anna";
        QTest::newRow("empty word") << "" << 5 << std::vector<float>{} << "";
    }
    void scripted()
    {
        QFETCH(QString, word);
        QFETCH(int, mutations);
        QFETCH(std::vector<float>, draws);
        QFETCH(QString, result);
        ScriptedRandom random;
        for (float r : draws)
            random.push(r);
        QCOMPARE(Mutate(word, mutations, random), result);
        QCOMPARE(random.remaining(), std::size_t(0));
    }

    void keepsShapeAndBound()
    {
        XoshiroRandom random(99);
        const QString parent = u"Marion-Lu 7"_qs;
        for (int mutations : {1, 3}) {
            int changedSomething = 0;
            for (int k = 0; k < 2000; ++k) {
                const QString child = Mutate(parent, mutations, random);
                QCOMPARE(child.size(), parent.size());
                int differences = 0;
                for (qsizetype i = 0; i < parent.size(); ++i) {
                    const char16_t a = parent[i].unicode(), b = child[i].unicode();
                    if (a == b)
                        continue;
                    ++differences;
                    QCOMPARE(LetterTables::isVowel(a), LetterTables::isVowel(b));
                    QCOMPARE(LetterTables::isConsonant(a), LetterTables::isConsonant(b));
                    QVERIFY(QChar(b).isLower());
                }
                QVERIFY(differences <= mutations);
                changedSomething += differences > 0;
            }
            QVERIFY(changedSomething > 1000);
        }
    }

    void canMutate_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("mutations");
        QTest::addColumn<bool>("can");
        QTest::newRow("letters") << "Anna" << 1 << true;
        QTest::newRow("no mutations") << "Anna" << 0 << false;
        QTest::newRow("digits") << "123" << 3 << false;
        QTest::newRow("one letter among others") << "1-x" << 1 << true;
        QTest::newRow("empty") << "" << 1 << false;
    }
    void canMutate()
    {
        QFETCH(QString, word);
        QFETCH(int, mutations);
        QFETCH(bool, can);
        QCOMPARE(::canMutate(word, mutations), can);
    }
};

QTEST_GUILESS_MAIN(TestMutate)
#include "test_mutate.moc"
