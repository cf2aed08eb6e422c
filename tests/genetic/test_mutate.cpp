#include "engine/LetterTables.h"
#include "genetic/Mutate.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>

namespace {
float P(int k, int m) { return ScriptedRandom::pick(k, m); }
using Draws = std::vector<float>;
} // namespace

class TestMutate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scripted()
    {
        const float top = 0.99999994f;
        const std::tuple<QString, int, Draws, QString> cases[] = {
            {u"Bob"_qs, 1, {P(2, 3), P(20, 21)}, u"Boz"_qs}, // consonant for consonant
            {u"Yo"_qs, 1, {P(0, 2), P(0, 21)}, u"bo"_qs},    // y is a consonant
            {u"abc"_qs, 2, {P(1, 3), P(2, 21), P(1, 3), P(3, 21)}, u"afc"_qs}, // same position twice
            {u"a-b"_qs, 1, {P(1, 3)}, u"a-b"_qs},               // other characters: one draw, no change
            {u"12-!"_qs, 3, {0.1f, 0.5f, top}, u"12-!"_qs},     // digits only, any number of rounds
            {u"é"_qs, 1, {0.3f}, u"é"_qs},                      // accented letters stay
            {u"ou"_qs, 1, {top, top}, u"ou"_qs},                // the largest draw stays inside the tables
            {u"Anna"_qs, 0, {}, u"Anna"_qs}, {u"Anna"_qs, -2, {}, u"Anna"_qs}, {QString(), 5, {}, QString()}};
        auto check = [](const QString &word, int mutations, const Draws &draws, const QString &result) {
            ScriptedRandom random(draws);
            QCOMPARE(Mutate(word, mutations, random), result);
            QCOMPARE(random.remaining(), std::size_t(0));
        };
        for (const auto &[word, mutations, draws, result] : cases)
            check(word, mutations, draws, result);
        // The capital of Anna is recognised and replaced by a small vowel.
        for (int k = 0; k < 5; ++k)
            check(u"Anna"_qs, 1, {P(0, 4), P(k, 5)}, QChar(u"aeiou"[k]) + u"nna"_qs);
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

    void canMutate()
    {
        const std::tuple<QString, int, bool> cases[] = {{u"Anna"_qs, 1, true},  {u"Anna"_qs, 0, false},
                                                        {u"123"_qs, 3, false},  {u"1-x"_qs, 1, true},
                                                        {QString(), 1, false}};
        for (const auto &[word, mutations, can] : cases)
            QCOMPARE(::canMutate(word, mutations), can);
    }
};

QTEST_GUILESS_MAIN(TestMutate)
#include "test_mutate.moc"
