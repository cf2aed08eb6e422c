// varnock-cli --pattern and --rules, run as a real process.
#include "support/RunCli.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {
QString data(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }
} // namespace

class TestCliFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordsFromFiles()
    {
        QStringList elvish;
        for (const char *a : {"Ae", "El", "Gil"})
            for (const char *b : {"an", "ar", "ith"})
                for (const char *c : {"dor", "wen"})
                    elvish << QLatin1String(a) + QLatin1String(b) + QLatin1String(c);
        const std::tuple<const char *, QString, QStringList> cases[] = {
            {"--pattern", data("elvish.vnk"), elvish},
            {"--rules", data("example.nam"), {"Karador", "Karawen", "Elrador", "Elrawen"}},
            {"--rules", data("single_end.nam"), {"Karador"}},
            {"--rules", data("blank_ending.nam"), {"Kara Ith"}}};
        for (const auto &[option, file, possible] : cases) {
            const QStringList options{option, file, "-n", "300", "--no-sort", "--seed"};
            const CliRun run = runCli(options + QStringList{"11"});
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.err.isEmpty(), run.err.constData());
            const QStringList words = run.lines();
            QCOMPARE(words.size(), 300);
            // 300 draws over at most 18 words: every one appears, nothing else does.
            QCOMPARE(QSet<QString>(words.begin(), words.end()), QSet<QString>(possible.begin(), possible.end()));
            QCOMPARE(runCli(options + QStringList{"11"}).out, run.out);
            QVERIFY(runCli(options + QStringList{"12"}).out != run.out || possible.size() == 1);
        }
    }

    void sortingAndOutputFile()
    {
        const QStringList example{"--rules", data("example.nam"), "-n", "200", "--seed", "3"};
        const CliRun sorted = runCli(example);
        QCOMPARE(sorted.exitCode, 0);
        QCOMPARE(sorted.lines(), (QStringList{"Elrador", "Elrawen", "Karador", "Karawen"}));
        const QStringList kept = runCli(example + QStringList{"--keep-duplicates"}).lines();
        QCOMPARE(kept.size(), 200);
        QVERIFY(std::is_sorted(kept.begin(), kept.end()));

        QTemporaryDir dir;
        const QString path = dir.filePath("words.txt");
        const QStringList args{"--pattern", data("elvish.vnk"), "-n", "5", "--seed", "9", "--no-sort"};
        const CliRun written = runCli(args + QStringList{"-o", path});
        QCOMPARE(written.exitCode, 0);
        QVERIFY(written.out.isEmpty());
        QByteArray lf = runCli(args).out;
        QCOMPARE(lf.count('\n'), 5);
        QCOMPARE(fileBytes(path), lf.replace("\n", "\r\n"));

        // No words from a file whose end section is empty; not an error.
        const CliRun none = runCli({"--rules", data("empty_end.nam"), "-n", "5"});
        QCOMPARE(none.exitCode, 0);
        QVERIFY(none.out.isEmpty());
    }

    // Exit code 1 with the reader's sentence, and no output file.
    void rejectedFiles()
    {
        const QByteArray pattern = "This file is not a valid Varnock file.";
        const QByteArray rules = "This file is not a valid rules file.";
        const std::tuple<const char *, QString, QByteArray> cases[] = {
            {"--pattern", data("no_next.vnk"), pattern}, {"--pattern", data("no-such-file.vnk"), pattern},
            {"--pattern", QStringLiteral(VARNOCK_TEST_DATA), pattern}, {"--pattern", data("garbage.bin"), pattern},
            {"--rules", data("no_start.nam"), rules}, {"--rules", data("ends_in_end.nam"), rules},
            {"--rules", data("no-such-file.nam"), rules}};
        QTemporaryDir dir;
        const QString path = dir.filePath("out.txt");
        for (const auto &[option, file, sentence] : cases) {
            for (const QStringList &extra : {QStringList{}, QStringList{"-o", path}}) {
                const CliRun run = runCli(QStringList{option, file, "-n", "5"} + extra);
                QCOMPARE(run.exitCode, 1);
                QVERIFY(run.out.isEmpty());
                QVERIFY2(run.err.contains(sentence), run.err.constData());
                QVERIFY(!QFile::exists(path));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "test_cli_files.moc"
