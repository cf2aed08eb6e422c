#include "genetic/SiblingLoop.h"
#include "shell/SettingsStore.h"
#include "support/ScriptedRandom.h"

#include <QTemporaryDir>
#include "support/WordDifferences.h"

#include <QtTest/QtTest>

namespace {
using Outcome = SiblingRunResult::Outcome;

SiblingRunResult breed(const QString &parent, double wanted, int mutations, RandomSource &random, QStringList &out)
{
    return breedSiblings(parent, [=] { return wanted; }, [=] { return mutations; }, random,
                         [&](const QString &s) { out << s; });
}

} // namespace

class TestSiblingLoop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scriptedRunDiscardsUnchangedCopies()
    {
        // Attempt 1: the 'a' of Marion becomes 'a' again -> discarded.
        // Attempt 2: the 'm' becomes 'g'. Attempt 3: the 'n' becomes 'z'.
        const auto P = ScriptedRandom::pick;
        ScriptedRandom random{P(1, 6), P(0, 5), P(0, 6), P(4, 21), P(5, 6), P(20, 21)};
        QStringList siblings;
        const SiblingRunResult result = breed(u"Marion"_qs, 2, 1, random, siblings);
        QCOMPARE(result.outcome, Outcome::Complete);
        QCOMPARE(siblings, (QStringList{u"Garion"_qs, u"Marioz"_qs}));
        QCOMPARE(result.bred, 2);
        QCOMPARE(random.remaining(), std::size_t(0));
    }

    void capitalParentNeverYieldsItsProperCase()
    {
        // Every mutation of MARION that hits a letter with its own replacement
        // comes back as Marion; all of those must be discarded.
        XoshiroRandom random(7);
        QStringList siblings;
        QCOMPARE(breed(u"MARION"_qs, 200, 1, random, siblings).outcome, Outcome::Complete);
        QCOMPARE(siblings.size(), 200);
        QVERIFY(!siblings.contains(u"Marion"_qs));
        for (const QString &s : siblings)
            QCOMPARE(differences(s, u"marion"_qs), 1);
    }

    void impossibleRunsAreRefusedWithoutDrawing()
    {
        const QString noLetter = u"no vowel or consonant"_qs;
        const std::tuple<QString, int, QString> cases[] = {
            {u"1234"_qs, 1, noLetter}, {u"-- ?!"_qs, 5, noLetter}, {u"éèü"_qs, 3, noLetter}, {u""_qs, 1, noLetter},
            {u"Marion"_qs, 0, u"0 or less"_qs}, {u"Marion"_qs, -4, u"0 or less"_qs}};
        for (const auto &[parent, mutations, messagePart] : cases) {
            ScriptedRandom random; // any draw would fail the test
            QStringList siblings;
            const SiblingRunResult result = breed(parent, 10, mutations, random, siblings);
            QCOMPARE(result.outcome, Outcome::Refused);
            QVERIFY2(result.message.contains(messagePart), qPrintable(result.message));
            QVERIFY(siblings.isEmpty());
        }
    }

    void givesUpOnAHopelesslyLongParent()
    {
        // 5000 digits and one letter at the end: every scripted position hits a
        // digit, so after the failure budget (10000 attempts here) the run stops.
        ScriptedRandom random(std::vector<float>(10000, 0.0f));
        QStringList siblings;
        const SiblingRunResult result = breed(QString(5000, u'7') + u'a', 3, 1, random, siblings);
        QCOMPARE(result.outcome, Outcome::GaveUp);
        QVERIFY(result.message.contains(u"10000 attempts"_qs));
        QCOMPARE(random.remaining(), std::size_t(0));
        QVERIFY(siblings.isEmpty());
    }

    void wantedCountIsAskedBeforeEveryAttempt()
    {
        // The count drops from 5 to 2 once two siblings exist; the run stops there.
        XoshiroRandom random(3);
        QStringList siblings;
        const SiblingRunResult result = breedSiblings(
            u"Marion"_qs, [&] { return siblings.size() >= 2 ? 2.0 : 5.0; }, [] { return 1; }, random,
            [&](const QString &s) { siblings << s; });
        QCOMPARE(result.outcome, Outcome::Complete);
        QCOMPARE(siblings.size(), 2);
    }

    void countsComeFromTheSettingsStore()
    {
        struct Case {
            QString howMany, mutations; // null: not stored
            int siblings, maxDifferences;
            QString refusal; // part of the message; null: the run completes
        };
        // 2.5 mutations round half to even; 99999 is beyond 16 bits; a count
        // past 32 bits breeds the default 10.
        const Case cases[] = {{{}, {}, 10, 1, {}}, {u"3"_qs, u"3"_qs, 3, 3, {}}, {u"4"_qs, u"2.5"_qs, 4, 2, {}},
                              {u"4"_qs, u"abc"_qs, 0, 0, u"0 or less"_qs}, {u"4"_qs, u"99999"_qs, 0, 0, u"out of range"_qs},
                              {u"0"_qs, u"1"_qs, 0, 0, {}}, {u"1e999"_qs, u"1"_qs, 10, 1, {}} /* the default */};
        QTemporaryDir dir;
        for (const Case &c : cases) {
            SettingsStore settings(u"Varnock"_qs, dir.filePath(c.howMany + c.mutations + u".ini"_qs));
            if (!c.howMany.isNull())
                settings.save(u"Options"_qs, u"HowManyGenetic"_qs, c.howMany);
            if (!c.mutations.isNull())
                settings.save(u"Options"_qs, u"Mutations"_qs, c.mutations);
            XoshiroRandom random(11);
            QStringList siblings;
            const SiblingRunResult result =
                breedSiblings(u"Christopher"_qs, settings, random, [&](const QString &s) { siblings << s; });
            QCOMPARE(result.outcome, c.refusal.isNull() ? Outcome::Complete : Outcome::Refused);
            QVERIFY2(result.message.contains(c.refusal), qPrintable(result.message));
            QCOMPARE(siblings.size(), c.siblings);
            for (const QString &s : siblings) {
                const int d = differences(s, u"christopher"_qs);
                QVERIFY(d >= 1 && d <= c.maxDifferences);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSiblingLoop)
#include "test_sibling_loop.moc"
