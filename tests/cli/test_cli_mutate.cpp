// varnock-cli mutate, run as a real process.
#include "genetic/SiblingLoop.h"
#include "support/RunCli.h"

#include "support/WordDifferences.h"

#include <QtTest/QtTest>

namespace {
CliRun mutate(const QStringList &arguments) { return runCli(QStringList{u"mutate"_qs} + arguments); }

} // namespace

class TestCliMutate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsTheSiblingLoopsSiblings()
    {
        const CliRun run = mutate(args("--seed 77 Marion"));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QVERIFY(run.out.endsWith('\n'));
        // The same seed through the window's loop gives the same siblings.
        XoshiroRandom random(77);
        QStringList expected;
        breedSiblings(u"Marion"_qs, [] { return 10.0; }, [] { return 1; }, random,
                      [&](const QString &s) { expected << s; });
        QCOMPARE(run.lines(), expected);
        QCOMPARE(expected.size(), 10);
        QCOMPARE(mutate(args("Marion -s 77")).out, run.out);
    }

    void countMutationsAndDoubleDash()
    {
        const CliRun run = mutate(args("-n 25 --mutations=3 --seed=4 Christopher"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines().size(), 25);
        int most = 0;
        for (const QString &s : run.lines()) {
            const int d = differences(s, u"christopher"_qs);
            QVERIFY(d >= 1 && d <= 3);
            most = std::max(most, d);
        }
        QVERIFY(most > 1); // three rounds per sibling do change more than one letter now and then
        QCOMPARE(mutate(args("-n 0 Marion")).out, QByteArray());

        const CliRun dashed = mutate(args("-s 1 -- -ab"));
        QCOMPARE(dashed.lines().size(), 10);
        for (const QString &s : dashed.lines())
            QVERIFY(s.startsWith(u'-') && s.size() == 3);
        QVERIFY(mutate(args("--help")).out.startsWith("Usage: varnock-cli mutate"));
    }

    // 1: a run that can never give a sibling; 2: bad arguments. Nothing is printed.
    void refusedRuns()
    {
        const std::tuple<const char *, int, const char *> cases[] = { // arguments split at blanks
            {"2026", 1, "no vowel or consonant"}, {"", 1, "no vowel or consonant"} /* one empty argument */,
            {"-m 0 Marion", 1, "0 or less"}, {"-n 5", 2, "no WORD"}, {"Marion Anna", 2, "extra"},
            {"-n ten Marion", 2, "not a count"}, {"-n -1 Marion", 2, "not a count"},
            {"-n 32768 Marion", 2, "not a count"}, {"--mutations -2 Marion", 2, "mutations"},
            {"Marion --seed", 2, "needs a value"}, {"--seed x1 Marion", 2, "seed"},
            {"--frob Marion", 2, "unknown option"}};
        for (const auto &[arguments, exitCode, messagePart] : cases) {
            const CliRun run = mutate(QString::fromLatin1(arguments).split(u' '));
            QCOMPARE(run.exitCode, exitCode);
            QVERIFY(run.out.isEmpty());
            QVERIFY2(run.err.contains(messagePart), run.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCliMutate)
#include "test_cli_mutate.moc"
