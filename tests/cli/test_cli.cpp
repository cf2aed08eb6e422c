#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "engine/LetterTables.h"
#include "support/RunCli.h"
#include "wordlist/WordSort.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
// The same run in-process through the window's own path: GenerateNames,
// then Shaker and KillDupes as the options say.
QByteArray expectedLines(const QStringList &options, const QString &sample, qint64 count, quint64 seed)
{
    const bool sort = !options.contains(u"--no-sort"_qs);
    XoshiroRandom random(seed);
    WordArray words;
    GenerationHooks hooks;
    hooks.caseSample = [&] { return sample; };
    GenerateNames(filterFromSample(sample), count, words, options.contains(u"--match-case"_qs), random,
                  {.realityMode = !options.contains(u"--plain"_qs), .diphthongs = !options.contains(u"--no-groups"_qs)},
                  hooks);
    if (sort)
        Shaker(words);
    if (sort && !options.contains(u"--keep-duplicates"_qs))
        KillDupes(words);
    QByteArray text;
    for (qsizetype i = 1; i < words.size(); ++i)
        text += words[i].toUtf8() + '\n';
    return text;
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The CLI's fast paths give exactly the words of the window's path: the
    // sorts (short words, long words by index), repeats, match case, literals.
    void matchesGenerateNames()
    {
        const std::tuple<const char *, QString, int> runs[] = { // options split at blanks
            {"", u"Marion"_qs, 2000}, {"--no-sort", u"Marion"_qs, 3000}, {"--keep-duplicates", u"Ana"_qs, 3000},
            {"--plain --no-groups", u"Yvonne"_qs, 2000}, {"--match-case", u"MaRion"_qs, 2000},
            {"--match-case --no-sort", u"mARION"_qs, 500}, {"--match-case", u"İpeK"_qs, 300}, // grows in lower case
            {"", u"Zoë-Ann 2"_qs, 2000}, {"", u"Bartholomew Kingsley"_qs, 3000}, {"", u"Al"_qs, 5000},
            {"--keep-duplicates --plain", u"Abercrombie-Fitch"_qs, 500}, {"", u"?"_qs, 1000}};
        for (const auto &[optionText, sample, count] : runs) {
            const QStringList options = args(optionText);
            for (const quint64 seed : {quint64(7), quint64(18446744073709551615ull)}) {
                const CliRun run = runCli(options + QStringList{u"--seed"_qs, QString::number(seed), u"-n"_qs,
                                                                QString::number(count), u"--"_qs, sample});
                QCOMPARE(run.exitCode, 0);
                QCOMPARE(run.err, QByteArray());
                QCOMPARE(run.out, expectedLines(options, sample, count, seed));
            }
        }
    }

    void marionSortedUniqueProperCase()
    {
        const CliRun run = runCli(args("--seed 7 -n 2000 Marion"));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.endsWith('\n') && !run.out.contains('\r'));
        const QStringList words = run.lines();
        QVERIFY(words.size() > 1000 && words.size() <= 2000);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString &w = words[i];
            // Proper case; the group is two vowels or one (maybe y-) pair entry.
            const QString shape = Filterize(w);
            QVERIFY2(shape.size() == 6 && shape.startsWith(u"Cvc") && shape.endsWith(u'c')
                         && (shape.mid(3, 2) == u"vv" || LetterTables::WeightedVowelPairs.contains(w.mid(3, 2))),
                     qPrintable(w));
            if (i > 0)
                QVERIFY2(words[i - 1] < w, qPrintable(w)); // strictly: sorted and unique
        }
    }

    void seedMakesRunsRepeatable()
    {
        // The README's example, pinned: a seed's words must not change between builds.
        for (const char *line : {"--seed 42 -n 8 Marion", "-s42 -n 3 --count=8 Marion"}) // the last count holds
            QCOMPARE(runCli(args(line)).out,
                     QByteArray("Catiag\nGateet\nGemeig\nNetoud\nNigeet\nNiwoih\nPeyaes\nTedyos\n"));
        const CliRun a = runCli(args("-s 123 -n 300 Yvonne"));
        QCOMPARE(a.exitCode, 0);
        QCOMPARE(runCli(args("--seed=123 -n 300 Yvonne")).out, a.out);
        QVERIFY(runCli(args("-s124 -n 300 Yvonne")).out != a.out);
        // Without a seed every run differs.
        const CliRun clock = runCli(args("-n 300 Yvonne"));
        QVERIFY(clock.lines().size() > 100);
        QVERIFY(runCli(args("-n 300 Yvonne")).out != clock.out);
    }

    void countBoundariesAndDoubleDash()
    {
        const CliRun zero = runCli(args("-n 0 Marion"));
        QCOMPARE(zero.exitCode, 0);
        QCOMPARE(zero.out, QByteArray());
        QCOMPARE(runCli(args("--no-sort Marion")).out.count('\n'), 500); // the default count

        // The largest count: ten million one-letter words to a file.
        QTemporaryDir dir;
        const QString path = dir.filePath(u"many.txt"_qs);
        QCOMPARE(runCli(args("-n 10000000 --no-sort -s 1 a -o") << path).exitCode, 0);
        QCOMPARE(QFileInfo(path).size(), qint64(30000000));

        const CliRun dashed = runCli(args("-s 1 -n 20 -- -Ann"));
        QCOMPARE(dashed.exitCode, 0);
        QVERIFY(!dashed.lines().isEmpty());
        for (const QString &w : dashed.lines())
            QVERIFY2(w.size() == 4 && w.startsWith(u'-') && w[1].isLower(), qPrintable(w));
    }

    // Exit code 2, nothing on standard output, the culprit named on standard error.
    void badArguments()
    {
        const std::pair<const char *, const char *> cases[] = { // arguments split at blanks
            {"-n -5 Marion", "'-5'"}, {"--count 10000001 Marion", "'10000001'"}, {"-n many Marion", "'many'"},
            {"--count=1e3 Marion", "'1e3'"}, {"-n +5 Marion", "'+5'"}, {"-n 5.0 Marion", "'5.0'"},
            {"Marion -n", "'-n'"}, {"-s -1 Marion", "'-1'"}, {"-s -0 Marion", "'-0'"},
            {"--seed 18446744073709551616 Marion", "'18446744073709551616'"}, {"--seed 0x10 Marion", "'0x10'"},
            {"--colour Marion", "'--colour'"}, {"--plain=yes Marion", "'--plain=yes'"}, {"-n 5", "SAMPLE"},
            {"", "SAMPLE"} /* one empty argument */, {"Marion Yvonne", "'Yvonne'"}, {"Marion -o", "'-o'"}};
        for (const auto &[arguments, named] : cases) {
            const CliRun run = runCli(QString::fromLatin1(arguments).split(u' '));
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(run.out, QByteArray());
            QVERIFY2(run.err.contains(named), run.err.constData());
        }
    }

    void outputFileHasCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"words.txt"_qs);
        const CliRun toFile = runCli(args("-s 5 -n 800 Marion -o") << path);
        QCOMPARE(toFile.exitCode, 0);
        QCOMPARE(toFile.out, QByteArray());
        QByteArray lf = runCli(args("-s 5 -n 800 Marion")).out;
        QVERIFY(!lf.isEmpty());
        QCOMPARE(fileBytes(path), lf.replace("\n", "\r\n"));
        // Replaced whole by the next run, unsorted this time.
        QCOMPARE(runCli(args("--no-sort -s 5 -n 800 Marion --output") << path).exitCode, 0);
        QCOMPARE(fileBytes(path), runCli(args("--no-sort -s 5 -n 800 Marion")).out.replace("\n", "\r\n"));
    }

    void unwritableOutput()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"no/such/folder/words.txt"_qs);
        CliRun run = runCli(args("Marion -o") << missing);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(missing), run.err.constData());
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(runCli(args("Marion -o") << dir.path()).exitCode, 1);
        QVERIFY(QFileInfo(dir.path()).isDir());

        // A write that fails half-way (file size limit) leaves the earlier
        // file exactly as it was and no temporary file behind.
        const QString path = dir.filePath(u"keep.txt"_qs);
        QCOMPARE(runCli(args("-s 1 -n 3 Ana -o") << path).exitCode, 0);
        const QByteArray before = fileBytes(path);
        for (const char *order : {"--no-sort", "--keep-duplicates"}) {
            run = runCli(args("-n 1000000 Marion -o") << path << QString::fromLatin1(order), u"ulimit -f 64"_qs);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(QString::fromUtf8(run.err).contains(path), run.err.constData());
            QCOMPARE(fileBytes(path), before);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"keep.txt"_qs});
        }

        // Standard output on a full device: a device node of our own, never /dev.
        const QString full = dir.filePath(u"full"_qs);
        QCOMPARE(QProcess::execute(u"mknod"_qs, {full, u"c"_qs, u"1"_qs, u"7"_qs}), 0);
        run = runCli(args("-n 100 Marion"), u"exec >"_qs + full);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("standard output"), run.err.constData());
    }

    void helpAndVersion()
    {
        QCOMPARE(runCli(args("--version")).out,
                 QByteArray("varnock-cli " QT_STRINGIFY(VARNOCK_VERSION_MAJOR) "." QT_STRINGIFY(
                     VARNOCK_VERSION_MINOR) "." QT_STRINGIFY(VARNOCK_VERSION_PATCH) "\n"));
        for (const char *flag : {"-h", "--help"}) {
            const CliRun help = runCli(args(flag));
            QCOMPARE(help.exitCode, 0);
            QVERIFY(help.out.startsWith("Usage: varnock-cli") && help.out.contains("--keep-duplicates"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
