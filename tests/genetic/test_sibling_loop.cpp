#include "engine/LetterTables.h"
#include "genetic/SiblingLoop.h"
#include "shell/SettingsStore.h"
#include "support/ScriptedRandom.h"

#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
using Outcome = SiblingRunResult::Outcome;

SiblingRunResult breed(const QString &parent, double wanted, int mutations, RandomSource &random,
                       QStringList &out)
{
    return breedSiblings(
        parent, [=] { return wanted; }, [=] { return mutations; }, random,
        [&](const QString &s) { out << s; });
}

// Positions where the two words differ (same length assumed).
QList<int> differences(const QString &a, const QString &b)
{
    QList<int> at;
    for (int i = 0; i < a.size(); ++i)
        if (a[i].toLower() != b[i].toLower())
            at << i;
    return at;
}
} // namespace

class TestSiblingLoop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scriptedRunDiscardsUnchangedCopies()
    {
        // Attempt 1: the 'a' of Marion becomes 'a' again -> discarded.
        // Attempt 2: the 'm' becomes 'g'. Attempt 3: the 'n' becomes 'z'.
        ScriptedRandom random{ScriptedRandom::pick(1, 6), ScriptedRandom::pick(0, 5),
                              ScriptedRandom::pick(0, 6), ScriptedRandom::pick(4, 21),
                              ScriptedRandom::pick(5, 6), ScriptedRandom::pick(20, 21)};
        QStringList siblings;
        const SiblingRunResult result = breed(QStringLiteral("Marion"), 2, 1, random, siblings);
        QCOMPARE(result.outcome, Outcome::Complete);
        QCOMPARE(siblings, QStringList({QStringLiteral("Garion"), QStringLiteral("Marioz")}));
        QCOMPARE(result.bred, 2);
        QCOMPARE(random.remaining(), std::size_t(0));
    }

    void marionTenSiblingsOneMutation()
    {
        XoshiroRandom random(20261206);
        QStringList siblings;
        QCOMPARE(breed(QStringLiteral("Marion"), 10, 1, random, siblings).outcome, Outcome::Complete);
        QCOMPARE(siblings.size(), 10);
        for (const QString &s : siblings) {
            QCOMPARE(s.size(), 6);
            QCOMPARE(s, s.left(1).toUpper() + s.mid(1).toLower());
            const QList<int> at = differences(s, QStringLiteral("marion"));
            QCOMPARE(at.size(), 1);
            const char16_t was = u"marion"[at[0]];
            const char16_t now = s[at[0]].toLower().unicode();
            QCOMPARE(LetterTables::isVowel(now), LetterTables::isVowel(was));
            QVERIFY(LetterTables::isConsonant(now) || LetterTables::isVowel(now));
        }
    }

    void capitalParentNeverYieldsItsProperCase()
    {
        // Every mutation of MARION that hits a letter with its own replacement
        // comes back as Marion; all of those must be discarded.
        XoshiroRandom random(7);
        QStringList siblings;
        QCOMPARE(breed(QStringLiteral("MARION"), 200, 1, random, siblings).outcome, Outcome::Complete);
        QCOMPARE(siblings.size(), 200);
        QVERIFY(!siblings.contains(QStringLiteral("Marion")));
        for (const QString &s : siblings)
            QCOMPARE(differences(s, QStringLiteral("marion")).size(), 1);
    }

    void impossibleRunsAreRefusedWithoutDrawing_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<int>("mutations");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("digits") << "1234" << 1 << "no vowel or consonant";
        QTest::newRow("punctuation and blanks") << "-- ?!" << 5 << "no vowel or consonant";
        QTest::newRow("accented only") << QString::fromUtf8("éèü") << 3 << "no vowel or consonant";
        QTest::newRow("empty") << "" << 1 << "no vowel or consonant";
        QTest::newRow("zero mutations") << "Marion" << 0 << "0 or less";
        QTest::newRow("negative mutations") << "Marion" << -4 << "0 or less";
    }
    void impossibleRunsAreRefusedWithoutDrawing()
    {
        QFETCH(QString, parent);
        QFETCH(int, mutations);
        QFETCH(QString, messagePart);
        ScriptedRandom random; // any draw would fail the test
        QStringList siblings;
        const SiblingRunResult result = breed(parent, 10, mutations, random, siblings);
        QCOMPARE(result.outcome, Outcome::Refused);
        QVERIFY2(result.message.contains(messagePart), qPrintable(result.message));
        QVERIFY(siblings.isEmpty());
        QCOMPARE(random.draws(), std::size_t(0));
    }

    void givesUpOnAHopelesslyLongParent()
    {
        // 5000 digits and one letter at the end: every scripted position hits a
        // digit, so after the failure budget (10000 attempts here) the run stops.
        const QString parent = QString(5000, u'7') + u'a';
        ScriptedRandom random;
        for (int i = 0; i < 10000; ++i)
            random.push(0.0f);
        QStringList siblings;
        const SiblingRunResult result = breed(parent, 3, 1, random, siblings);
        QCOMPARE(result.outcome, Outcome::GaveUp);
        QVERIFY(result.message.contains(QStringLiteral("10000 attempts")));
        QCOMPARE(random.remaining(), std::size_t(0));
        QVERIFY(siblings.isEmpty());
    }

    void wantedCountIsAskedBeforeEveryAttempt()
    {
        // The count drops from 5 to 2 once two siblings exist; the run stops there.
        XoshiroRandom random(3);
        int asked = 0;
        QStringList siblings;
        const SiblingRunResult result = breedSiblings(
            QStringLiteral("Marion"),
            [&] {
                ++asked;
                return siblings.size() >= 2 ? 2.0 : 5.0;
            },
            [] { return 1; }, random, [&](const QString &s) { siblings << s; });
        QCOMPARE(result.outcome, Outcome::Complete);
        QCOMPARE(siblings.size(), 2);
        QVERIFY(asked >= 3); // at least once per attempt plus the final check
    }

    void countsComeFromTheSettingsStore_data()
    {
        QTest::addColumn<QString>("howMany");
        QTest::addColumn<QString>("mutations");
        QTest::addColumn<int>("expectedSiblings");
        QTest::addColumn<int>("maxDifferences");
        QTest::addColumn<bool>("refused");
        QTest::newRow("defaults") << QString() << QString() << 10 << 1 << false;
        QTest::newRow("3 siblings, 3 mutations") << "3" << "3" << 3 << 3 << false;
        QTest::newRow("2.5 mutations round to 2") << "4" << "2.5" << 4 << 2 << false;
        QTest::newRow("text mutations read as 0") << "4" << "abc" << 0 << 0 << true;
        QTest::newRow("mutations beyond 16 bits") << "4" << "99999" << 0 << 0 << true;
        QTest::newRow("no siblings wanted") << "0" << "1" << 0 << 0 << false;
    }
    void countsComeFromTheSettingsStore()
    {
        QFETCH(QString, howMany);
        QFETCH(QString, mutations);
        QFETCH(int, expectedSiblings);
        QFETCH(int, maxDifferences);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        SettingsStore settings(QStringLiteral("Varnock"), dir.filePath(QStringLiteral("v.ini")));
        if (!howMany.isNull())
            settings.save(QStringLiteral("Options"), QStringLiteral("HowManyGenetic"), howMany);
        if (!mutations.isNull())
            settings.save(QStringLiteral("Options"), QStringLiteral("Mutations"), mutations);
        XoshiroRandom random(11);
        QStringList siblings;
        const SiblingRunResult result = breedSiblings(QStringLiteral("Christopher"), settings, random,
                                                      [&](const QString &s) { siblings << s; });
        QCOMPARE(result.outcome, refused ? Outcome::Refused : Outcome::Complete);
        QCOMPARE(siblings.size(), expectedSiblings);
        if (mutations == u"99999")
            QVERIFY(result.message.contains(QStringLiteral("out of range")));
        for (const QString &s : siblings) {
            const int d = int(differences(s, QStringLiteral("christopher")).size());
            QVERIFY(d >= 1 && d <= maxDifferences);
        }
    }
};

QTEST_GUILESS_MAIN(TestSiblingLoop)
#include "test_sibling_loop.moc"
