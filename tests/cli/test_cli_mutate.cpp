#include "cli/MutateCommand.h"
#include "genetic/SiblingLoop.h"

#include <QProcess>
#include <QtTest/QtTest>
#include <cstdio>

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString readAll(std::FILE *file)
{
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, qsizetype(n));
    std::fclose(file);
    return QString::fromLocal8Bit(bytes);
}

Run mutate(const QStringList &arguments)
{
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    Run run;
    run.exitCode = mutateMain(arguments, out, err);
    run.out = readAll(out);
    run.err = readAll(err);
    return run;
}

int differences(const QString &a, const QString &b)
{
    int n = 0;
    for (int i = 0; i < a.size(); ++i)
        n += a[i].toLower() != b[i].toLower();
    return n;
}
} // namespace

class TestCliMutate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsTheSiblingLoopsSiblings()
    {
        const Run run = mutate({QStringLiteral("--seed"), QStringLiteral("77"), QStringLiteral("Marion")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        const QStringList lines = run.out.split(u'\n');
        QCOMPARE(lines.size(), 11); // ten siblings, each ending its line
        QCOMPARE(lines.last(), QString());

        // The same seed through the window's loop gives the same siblings.
        XoshiroRandom random(77);
        QStringList expected;
        breedSiblings(
            QStringLiteral("Marion"), [] { return 10.0; }, [] { return 1; }, random,
            [&](const QString &s) { expected << s; });
        QCOMPARE(lines.mid(0, 10), expected);
        for (const QString &s : expected)
            QCOMPARE(differences(s, QStringLiteral("marion")), 1);

        QCOMPARE(mutate({QStringLiteral("Marion"), QStringLiteral("-s"), QStringLiteral("77")}).out, run.out);
    }

    void countAndMutationsOptions()
    {
        const Run run = mutate({QStringLiteral("-n"), QStringLiteral("25"), QStringLiteral("--mutations=3"),
                                QStringLiteral("--seed=4"), QStringLiteral("Christopher")});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 25);
        int most = 0;
        for (const QString &s : lines) {
            const int d = differences(s, QStringLiteral("christopher"));
            QVERIFY(d >= 1 && d <= 3);
            most = std::max(most, d);
        }
        QVERIFY(most > 1); // three rounds per sibling do change more than one letter now and then
        QCOMPARE(mutate({QStringLiteral("-n"), QStringLiteral("0"), QStringLiteral("Marion")}).out, QString());
    }

    void impossibleRunsExitWithOne_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("digits") << QStringList{"2026"} << "no vowel or consonant";
        QTest::newRow("empty word") << QStringList{""} << "no vowel or consonant";
        QTest::newRow("zero mutations") << QStringList{"-m", "0", "Marion"} << "0 or less";
    }
    void impossibleRunsExitWithOne()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, messagePart);
        const Run run = mutate(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(messagePart), qPrintable(run.err));
    }

    void badArgumentsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("no word") << QStringList{} << "no WORD";
        QTest::newRow("two words") << QStringList{"Marion", "Anna"} << "extra";
        QTest::newRow("count not a number") << QStringList{"-n", "ten", "Marion"} << "not a count";
        QTest::newRow("negative count") << QStringList{"-n", "-1", "Marion"} << "not a count";
        QTest::newRow("count too large") << QStringList{"-n", "32768", "Marion"} << "not a count";
        QTest::newRow("negative mutations") << QStringList{"--mutations", "-2", "Marion"} << "mutations";
        QTest::newRow("missing value") << QStringList{"Marion", "--seed"} << "needs a value";
        QTest::newRow("bad seed") << QStringList{"--seed", "x1", "Marion"} << "seed";
        QTest::newRow("unknown option") << QStringList{"--frob", "Marion"} << "unknown option";
    }
    void badArgumentsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, messagePart);
        const Run run = mutate(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(messagePart), qPrintable(run.err));
    }

    void wordAfterDoubleDashAndHelp()
    {
        const Run run = mutate({QStringLiteral("-s"), QStringLiteral("1"), QStringLiteral("--"), QStringLiteral("-ab")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts).size(), 10);
        for (const QString &s : run.out.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY(s.startsWith(u'-') && s.size() == 3);
        const Run help = mutate({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(QStringLiteral("Usage: varnock-cli mutate")));
    }

    void programDispatchesTheCommand()
    {
        QProcess process;
        process.start(QStringLiteral(VARNOCK_CLI_PATH),
                      {QStringLiteral("mutate"), QStringLiteral("--seed"), QStringLiteral("9"), QStringLiteral("-n"),
                       QStringLiteral("3"), QStringLiteral("Marion")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()),
                 mutate({QStringLiteral("--seed"), QStringLiteral("9"), QStringLiteral("-n"), QStringLiteral("3"),
                         QStringLiteral("Marion")})
                     .out);
        process.start(QStringLiteral(VARNOCK_CLI_PATH), {QStringLiteral("mutate"), QStringLiteral("123")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCliMutate)
#include "test_cli_mutate.moc"
