#include "engine/CaseShaping.h"
#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "engine/RandomFilter.h"
#include "support/ScriptedRandom.h"

#include <QtTest/QtTest>

class TestEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filterizeExamples_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("filter");
        QTest::newRow("Marion") << "Marion" << "Cvcvvc";
        QTest::newRow("Yvonne") << "Yvonne" << "Ccvccv";
        QTest::newRow("Anna-Lisa 2") << "Anna-Lisa 2" << "Vccv-Cvcv 2";
        QTest::newRow("Why?") << "Why?" << "Ccc?";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("no letters") << "123-?" << "123-?";
        QTest::newRow("Away") << "Away" << "Vcvc";
        QTest::newRow("aA") << "aA" << "vV";
        QTest::newRow("bB") << "bB" << "cC";
        QTest::newRow("accented") << QString::fromUtf8("Müé") << QString::fromUtf8("Cüé");
    }
    void filterizeExamples()
    {
        QFETCH(QString, sample);
        QFETCH(QString, filter);
        QCOMPARE(Filterize(sample), filter);
    }

    void generateMarionPlain()
    {
        // c, vv (coin >= 0.5 -> pair), c, ... in plain mode with groups on.
        ScriptedRandom random{ScriptedRandom::pick(0, 21), ScriptedRandom::pick(0, 5),
                              ScriptedRandom::pick(7, 21), 0.75f, ScriptedRandom::pick(0, 21),
                              ScriptedRandom::pick(10, 21)};
        WordArray words;
        const QString first = GenerateNames(u"cvcvvc"_qs, 1, words, false, random,
                                            {.realityMode = false, .diphthongs = true});
        QCOMPARE(first, QStringLiteral("Bakain"));
        QCOMPARE(words.size(), 2);
        QVERIFY(words[0].isEmpty());
        QCOMPARE(random.remaining(), std::size_t(0));
    }

    void randomFilterTrimsAndRetries()
    {
        // Length 7 drawn as aaaacca loses its first two letters.
        ScriptedRandom random{0.35f, 0.1f, 0.1f, 0.1f, 0.1f, 0.9f, 0.9f, 0.1f};
        QCOMPARE(RandomFilter(random), QStringLiteral("aacca"));
        QCOMPARE(random.reseeds(), 1);
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
