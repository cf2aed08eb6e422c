// varnock-cli --pattern and --rules, run as a real process.
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

QString data(const char *name) { return QStringLiteral(VARNOCK_TEST_DATA "/sources/") + QLatin1String(name); }

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VARNOCK_CLI), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QStringList lines(const QByteArray &out)
{
    QStringList result = QString::fromUtf8(out).split(u'\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    for (QString &line : result)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return result;
}

} // namespace

class TestCliFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wordsFromFiles_data();
    void wordsFromFiles();
    void sortingAndOutputFile();
    void rejectedFiles_data();
    void rejectedFiles();
};

void TestCliFiles::wordsFromFiles_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("possible");
    QStringList elvish;
    for (const char *a : {"Ae", "El", "Gil"})
        for (const char *b : {"an", "ar", "ith"})
            for (const char *c : {"dor", "wen"})
                elvish << QLatin1String(a) + QLatin1String(b) + QLatin1String(c);
    QTest::newRow("pattern") << "--pattern" << data("elvish.vnk") << elvish;
    QTest::newRow("rules") << "--rules" << data("example.nam")
                           << QStringList{"Karador", "Karawen", "Elrador", "Elrawen"};
    QTest::newRow("rules, single ending") << "--rules" << data("single_end.nam") << QStringList{"Karador"};
    QTest::newRow("rules, blank ending") << "--rules" << data("blank_ending.nam") << QStringList{"Kara Ith"};
}

void TestCliFiles::wordsFromFiles()
{
    QFETCH(QString, option);
    QFETCH(QString, file);
    QFETCH(QStringList, possible);
    const Run run = cli({option, file, "-n", "300", "--seed", "11", "--no-sort"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const QStringList words = lines(run.out);
    QCOMPARE(words.size(), 300);
    const QSet<QString> allowed(possible.begin(), possible.end());
    const QSet<QString> seen(words.begin(), words.end());
    // 300 draws over at most 18 words: every one appears.
    QCOMPARE(seen, allowed);

    // The seed fixes the words.
    QCOMPARE(cli({option, file, "-n", "300", "--seed", "11", "--no-sort"}).out, run.out);
    QVERIFY(cli({option, file, "-n", "300", "--seed", "12", "--no-sort"}).out != run.out || possible.size() == 1);
}

void TestCliFiles::sortingAndOutputFile()
{
    const Run sorted = cli({"--rules", data("example.nam"), "-n", "200", "--seed", "3"});
    QCOMPARE(sorted.exitCode, 0);
    QCOMPARE(lines(sorted.out), (QStringList{"Elrador", "Elrawen", "Karador", "Karawen"}));

    const Run kept = cli({"--rules", data("example.nam"), "-n", "200", "--seed", "3", "--keep-duplicates"});
    QStringList words = lines(kept.out);
    QCOMPARE(words.size(), 200);
    QStringList again = words;
    std::sort(again.begin(), again.end());
    QCOMPARE(words, again);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("words.txt");
    const Run written = cli({"--pattern", data("elvish.vnk"), "-n", "5", "--seed", "9", "--no-sort", "-o", path});
    QCOMPARE(written.exitCode, 0);
    QVERIFY(written.out.isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.count("\r\n"), 5);
    QCOMPARE(bytes.count('\n'), 5);
    QCOMPARE(lines(bytes), lines(cli({"--pattern", data("elvish.vnk"), "-n", "5", "--seed", "9", "--no-sort"}).out));

    // No words from a file whose end section is empty; not an error.
    const Run none = cli({"--rules", data("empty_end.nam"), "-n", "5"});
    QCOMPARE(none.exitCode, 0);
    QVERIFY(none.out.isEmpty());
}

void TestCliFiles::rejectedFiles_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("sentence");
    const QByteArray pattern = "This file is not a valid Varnock file.";
    const QByteArray rules = "This file is not a valid rules file.";
    QTest::newRow("pattern without next") << "--pattern" << data("no_next.vnk") << pattern;
    QTest::newRow("pattern missing") << "--pattern" << data("no-such-file.vnk") << pattern;
    QTest::newRow("pattern folder") << "--pattern" << QStringLiteral(VARNOCK_TEST_DATA) << pattern;
    QTest::newRow("pattern garbage") << "--pattern" << data("garbage.bin") << pattern;
    QTest::newRow("rules without start") << "--rules" << data("no_start.nam") << rules;
    QTest::newRow("rules cut short in end section") << "--rules" << data("ends_in_end.nam") << rules;
    QTest::newRow("rules missing") << "--rules" << data("no-such-file.nam") << rules;
}

void TestCliFiles::rejectedFiles()
{
    QFETCH(QString, option);
    QFETCH(QString, file);
    QFETCH(QByteArray, sentence);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    for (const QStringList &extra : {QStringList{}, QStringList{"-o", path}}) {
        const Run run = cli(QStringList{option, file, "-n", "5"} + extra);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(sentence), run.err.constData());
        QVERIFY(!QFile::exists(path));
    }
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "test_cli_files.moc"
