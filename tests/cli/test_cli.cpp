#include "cli/CliArguments.h"
#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "engine/LetterTables.h"
#include "wordlist/WordSort.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &arguments, const QString &shellPrefix = QString())
{
    QProcess process;
    if (shellPrefix.isEmpty()) {
        process.start(QStringLiteral(VARNOCK_CLI_PATH), arguments);
    } else {
        // Limits and signal settings for the child, then the program itself.
        process.start(u"/bin/sh"_qs, QStringList{u"-c"_qs, shellPrefix + u"; exec \"$0\" \"$@\""_qs,
                                                QStringLiteral(VARNOCK_CLI_PATH)}
                                         + arguments);
    }
    if (!process.waitForFinished(120000))
        return {};
    Run run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The same run in-process through the window's own path: GenerateNames,
// then Shaker and KillDupes as the options say.
QByteArray expectedLines(const QString &sample, qint64 count, quint64 seed, bool reality, bool groups,
                         bool matchCase, bool sort, bool unique)
{
    XoshiroRandom random(seed);
    WordArray words;
    GenerationHooks hooks;
    hooks.caseSample = [&] { return sample; };
    GenerateNames(filterFromSample(sample), count, words, matchCase, random,
                  {.realityMode = reality, .diphthongs = groups}, hooks);
    if (sort) {
        Shaker(words);
        if (unique)
            KillDupes(words);
    }
    QByteArray text;
    for (qsizetype i = 1; i < words.size(); ++i)
        text += words[i].toUtf8() + '\n';
    return text;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The CLI's fast paths give exactly the words of the window's path.
    void matchesGenerateNames_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("reality");
        QTest::addColumn<bool>("groups");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("sort");
        QTest::addColumn<bool>("unique");
        QTest::newRow("defaults") << QStringList{} << "Marion" << 2000 << true << true << false << true << true;
        QTest::newRow("no sort keeps order and repeats")
            << QStringList{u"--no-sort"_qs} << "Marion" << 3000 << true << true << false << false << false;
        QTest::newRow("keep duplicates")
            << QStringList{u"--keep-duplicates"_qs} << "Ana" << 3000 << true << true << false << true << false;
        QTest::newRow("plain, no groups")
            << QStringList{u"--plain"_qs, u"--no-groups"_qs} << "Yvonne" << 2000 << false << false << false
            << true << true;
        QTest::newRow("match case")
            << QStringList{u"--match-case"_qs} << "MaRion" << 2000 << true << true << true << true << true;
        QTest::newRow("match case unsorted")
            << QStringList{u"--match-case"_qs, u"--no-sort"_qs} << "mARION" << 500 << true << true << true
            << false << false;
        QTest::newRow("match case, sample that grows in lower case")
            << QStringList{u"--match-case"_qs} << QString::fromUtf8("İpeK") << 300 << true << true << true
            << true << true;
        QTest::newRow("literals and non-Latin letters")
            << QStringList{} << QString::fromUtf8("Zoë-Ann 2") << 2000 << true << true << false << true << true;
        QTest::newRow("long words take the index sort")
            << QStringList{} << "Bartholomew Kingsley" << 3000 << true << true << false << true << true;
        QTest::newRow("long words, repeats kept")
            << QStringList{u"--keep-duplicates"_qs, u"--plain"_qs} << "Abercrombie-Fitch" << 500 << false
            << true << false << true << false;
        QTest::newRow("short words repeat a lot")
            << QStringList{} << "Al" << 5000 << true << true << false << true << true;
        QTest::newRow("letters only from one class")
            << QStringList{} << "?" << 1000 << true << true << false << true << true;
        QTest::newRow("no letters at all") << QStringList{} << "12" << 50 << true << true << false << true << true;
        QTest::newRow("no letters, repeats kept")
            << QStringList{u"--keep-duplicates"_qs} << "-" << 5 << true << true << false << true << false;
    }
    void matchesGenerateNames()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, sample);
        QFETCH(int, count);
        QFETCH(bool, reality);
        QFETCH(bool, groups);
        QFETCH(bool, matchCase);
        QFETCH(bool, sort);
        QFETCH(bool, unique);
        for (const quint64 seed : {quint64(7), quint64(18446744073709551615ull)}) {
            const Run run = runCli(options + QStringList{u"--seed"_qs, QString::number(seed), u"-n"_qs,
                                                         QString::number(count), u"--"_qs, sample});
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.err, QByteArray());
            QCOMPARE(run.out, expectedLines(sample, count, seed, reality, groups, matchCase, sort, unique));
        }
    }

    void marionSortedUniqueProperCase()
    {
        const Run run = runCli({u"--seed"_qs, u"7"_qs, u"-n"_qs, u"2000"_qs, u"Marion"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.endsWith('\n') && !run.out.contains('\r'));
        const QStringList words = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(words.size() > 1000 && words.size() <= 2000);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString &w = words[i];
            QVERIFY2(w.size() == 6 && w[0].isUpper() && w.mid(1) == w.mid(1).toLower(), qPrintable(w));
            const QString lower = w.toLower();
            for (int p : {0, 2, 5})
                QVERIFY2(LetterTables::isConsonant(lower[p].unicode()), qPrintable(w));
            QVERIFY2(LetterTables::isVowel(lower[1].unicode()), qPrintable(w));
            const QString group = lower.mid(3, 2);
            QVERIFY2((LetterTables::isVowel(group[0].unicode()) && LetterTables::isVowel(group[1].unicode()))
                         || LetterTables::WeightedVowelPairs.contains(group),
                     qPrintable(w));
            if (i > 0)
                QVERIFY2(words[i - 1] < w, qPrintable(w)); // strictly: sorted and unique
        }
    }

    // The example of the README, pinned: a seed's words must not change
    // between builds.
    void seededExampleIsStable()
    {
        const Run run = runCli({u"--seed"_qs, u"42"_qs, u"-n"_qs, u"8"_qs, u"Marion"_qs});
        QCOMPARE(run.out, QByteArray("Catiag\nGateet\nGemeig\nNetoud\nNigeet\nNiwoih\nPeyaes\nTedyos\n"));
    }

    void repeatableWithSeedOnly()
    {
        const QStringList args{u"-n"_qs, u"300"_qs, u"Yvonne"_qs};
        const Run a = runCli(QStringList{u"-s"_qs, u"123"_qs} + args);
        const Run b = runCli(QStringList{u"--seed=123"_qs} + args);
        const Run c = runCli(QStringList{u"-s124"_qs} + args);
        const Run clock1 = runCli(args);
        const Run clock2 = runCli(args);
        QCOMPARE(a.exitCode, 0);
        QCOMPARE(a.out, b.out);
        QVERIFY(a.out != c.out);
        QCOMPARE(clock1.exitCode, 0);
        QVERIFY(clock1.out != clock2.out);
        QCOMPARE(QString::fromUtf8(clock1.out).split(u'\n', Qt::SkipEmptyParts).size() > 100, true);
    }

    void countBoundaries()
    {
        const Run zero = runCli({u"-n"_qs, u"0"_qs, u"Marion"_qs});
        QCOMPARE(zero.exitCode, 0);
        QCOMPARE(zero.out, QByteArray());

        const Run byDefault = runCli({u"--no-sort"_qs, u"Marion"_qs});
        QCOMPARE(byDefault.out.count('\n'), 500);

        // The largest count: ten million one-letter words to a file.
        QTemporaryDir dir;
        const QString path = dir.filePath(u"many.txt"_qs);
        const Run most = runCli({u"-n"_qs, u"10000000"_qs, u"--no-sort"_qs, u"-s"_qs, u"1"_qs, u"-o"_qs, path, u"a"_qs});
        QCOMPARE(most.exitCode, 0);
        QCOMPARE(QFileInfo(path).size(), qint64(30000000));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("negative count") << QStringList{u"-n"_qs, u"-5"_qs, u"Marion"_qs} << "'-5'";
        QTest::newRow("count too large") << QStringList{u"--count"_qs, u"10000001"_qs, u"Marion"_qs} << "'10000001'";
        QTest::newRow("count not a number") << QStringList{u"-n"_qs, u"many"_qs, u"Marion"_qs} << "'many'";
        QTest::newRow("count with exponent") << QStringList{u"--count=1e3"_qs, u"Marion"_qs} << "'1e3'";
        QTest::newRow("count missing") << QStringList{u"Marion"_qs, u"-n"_qs} << "'-n'";
        QTest::newRow("negative seed") << QStringList{u"-s"_qs, u"-1"_qs, u"Marion"_qs} << "'-1'";
        QTest::newRow("seed beyond 64 bits")
            << QStringList{u"--seed"_qs, u"18446744073709551616"_qs, u"Marion"_qs} << "'18446744073709551616'";
        QTest::newRow("seed not a number") << QStringList{u"--seed"_qs, u"0x10"_qs, u"Marion"_qs} << "'0x10'";
        QTest::newRow("unknown option") << QStringList{u"--colour"_qs, u"Marion"_qs} << "'--colour'";
        QTest::newRow("flag with a value") << QStringList{u"--plain=yes"_qs, u"Marion"_qs} << "'--plain=yes'";
        QTest::newRow("missing sample") << QStringList{u"-n"_qs, u"5"_qs} << "SAMPLE";
        QTest::newRow("empty sample") << QStringList{u""_qs} << "SAMPLE";
        QTest::newRow("two samples") << QStringList{u"Marion"_qs, u"Yvonne"_qs} << "'Yvonne'";
        QTest::newRow("output missing") << QStringList{u"Marion"_qs, u"-o"_qs} << "'-o'";
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const Run run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(QString::fromUtf8(run.err).contains(named), run.err.constData());
    }

    void parseCountAndSeed()
    {
        QCOMPARE(parseCount(u"0"_qs, MaxWordCount), std::optional<qint64>(0));
        QCOMPARE(parseCount(u"10000000"_qs, MaxWordCount), std::optional<qint64>(10000000));
        QCOMPARE(parseCount(u"007"_qs, MaxWordCount), std::optional<qint64>(7));
        for (const QString &bad : {u"10000001"_qs, u""_qs, u"+5"_qs, u" 5"_qs, u"5 "_qs, u"5.0"_qs,
                                   u"99999999999999999999999"_qs})
            QVERIFY2(!parseCount(bad, MaxWordCount), qPrintable(bad));
        QCOMPARE(parseSeed(u"18446744073709551615"_qs), std::optional<std::uint64_t>(18446744073709551615ull));
        QVERIFY(!parseSeed(u"18446744073709551616"_qs));
        QVERIFY(!parseSeed(u"-0"_qs));
    }

    void sampleAfterDoubleDash()
    {
        const Run run = runCli({u"-s"_qs, u"1"_qs, u"-n"_qs, u"20"_qs, u"--"_qs, u"-Ann"_qs});
        QCOMPARE(run.exitCode, 0);
        for (const QString &w : QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(w.size() == 4 && w.startsWith(u'-') && w[1].isLower(), qPrintable(w));
    }

    void outputFileHasCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"words.txt"_qs);
        const QStringList args{u"-s"_qs, u"5"_qs, u"-n"_qs, u"800"_qs, u"Marion"_qs};
        const Run toFile = runCli(args + QStringList{u"-o"_qs, path});
        QCOMPARE(toFile.exitCode, 0);
        QCOMPARE(toFile.out, QByteArray());
        QByteArray lf = runCli(args).out;
        QVERIFY(!lf.isEmpty());
        QCOMPARE(readAll(path), lf.replace("\n", "\r\n"));

        // Replaced whole by the next run, unsorted this time.
        const Run again = runCli(QStringList{u"--no-sort"_qs, u"--output"_qs, path} + args);
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(readAll(path), runCli(QStringList{u"--no-sort"_qs} + args).out.replace("\n", "\r\n"));
    }

    void unwritableOutput()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"no/such/folder/words.txt"_qs);
        Run run = runCli({u"-o"_qs, missing, u"Marion"_qs});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(missing), run.err.constData());
        QCOMPARE(run.out, QByteArray());

        run = runCli({u"-o"_qs, dir.path(), u"Marion"_qs});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(QFileInfo(dir.path()).isDir());

        // A write that fails half-way (file size limit) leaves the earlier
        // file exactly as it was and no temporary file behind.
        const QString path = dir.filePath(u"keep.txt"_qs);
        QVERIFY(runCli({u"-s"_qs, u"1"_qs, u"-n"_qs, u"3"_qs, u"-o"_qs, path, u"Ana"_qs}).exitCode == 0);
        const QByteArray before = readAll(path);
        QCOMPARE(before.count("\r\n"), before.count('\n'));
        for (const QString &order : {u"--no-sort"_qs, u"--keep-duplicates"_qs}) {
            run = runCli({order, u"-n"_qs, u"1000000"_qs, u"-o"_qs, path, u"Marion"_qs},
                         u"ulimit -f 64"_qs);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(QString::fromUtf8(run.err).contains(path), run.err.constData());
            QCOMPARE(readAll(path), before);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"keep.txt"_qs});
        }
    }

    void fullStandardOutput()
    {
        if (!QFileInfo::exists(u"/dev/full"_qs))
            QSKIP("no /dev/full here");
        const Run run = runCli({u"-n"_qs, u"100"_qs, u"Marion"_qs}, u"exec >/dev/full"_qs);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("standard output"), run.err.constData());
    }

    void helpAndVersion()
    {
        const Run version = runCli({u"--version"_qs});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("varnock-cli %1.%2.%3\n")
                                  .arg(VARNOCK_VERSION_MAJOR)
                                  .arg(VARNOCK_VERSION_MINOR)
                                  .arg(VARNOCK_VERSION_PATCH)
                                  .toUtf8());
        for (const QString &flag : {u"-h"_qs, u"--help"_qs}) {
            const Run help = runCli({flag});
            QCOMPARE(help.exitCode, 0);
            for (const char *option : {"--count", "--seed", "--plain", "--no-groups", "--match-case",
                                       "--no-sort", "--keep-duplicates", "--output", "--version"})
                QVERIFY2(help.out.contains(option), option);
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
