// varnock-cli --pattern and --rules, and the targets -o writes to, run as a
// real process.
#include "support/RunCli.h"

#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <sys/stat.h>

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
            {"--rules", data("blank_ending.nam"), {"Kara Ith"}},
            {"--rules", data("ends_in_end.nam"), {"Karador", "Karawen"}} /* reported, as in the window */};
        for (const auto &[option, file, possible] : cases) {
            const QStringList options{option, file, "-n", "300", "--no-sort", "--seed"};
            const CliRun run = runCli(options + QStringList{"11"});
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.err.contains("This file is not a valid rules file."), file.endsWith("ends_in_end.nam"));
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
            {"--rules", data("no_start.nam"), rules}, {"--rules", data("ends_in_middle.nam"), rules},
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

    // Every kind of target gets the words without being destroyed: a link
    // stays a link, a device stays a device, a pipe delivers every line, a
    // file keeps its mode. Permission cases run as an unprivileged user.
    void outputTargets()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)); // reachable by the other user
        const QString words = dir.filePath("words.txt"), link = dir.filePath("link.txt");
        const QString device = dir.filePath("dev"), fifo = dir.filePath("fifo");
        const QStringList run{"-s", "4", "-n", "50", "Marion", "-o"};
        const QByteArray expected = runCli(run.mid(0, 5)).out.replace("\n", "\r\n");
        QCOMPARE(expected.count("\r\n"), 50);
        auto mode = [](const QString &path) {
            struct stat st {};
            return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode) : -1;
        };

        QFile(words).open(QIODevice::WriteOnly);
        QVERIFY(QFile::setPermissions(words, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::link(words, link));
        QCOMPARE(runCli(run + QStringList{link}).exitCode, 0);
        QCOMPARE(fileBytes(words), expected);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(mode(words), S_IFREG | 0600);

        QCOMPARE(QProcess::execute("mknod", {device, "c", "1", "3"}), 0); // the null device, in our folder
        QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
        QCOMPARE(runCli(run + QStringList{device}).exitCode, 0);
        QCOMPARE(mode(device) & S_IFMT, S_IFCHR);
        QProcess reader;
        reader.start("cat", {fifo});
        QVERIFY(reader.waitForStarted());
        QCOMPARE(runCli(run + QStringList{fifo}).exitCode, 0);
        QVERIFY(reader.waitForFinished());
        QCOMPARE(reader.readAllStandardOutput(), expected);
        QCOMPARE(mode(fifo) & S_IFMT, S_IFIFO);
        // A full device of our own: the write fails as a full disk.
        const QString full = dir.filePath("full");
        QCOMPARE(QProcess::execute("mknod", {full, "c", "1", "7"}), 0);
        const CliRun noSpace = runCli(QStringList{"-n", "100000", "Marion", "-o", full});
        QCOMPARE(noSpace.exitCode, 1);
        QVERIFY2(noSpace.err.contains("Disk full"), noSpace.err.constData());
        // A socket takes no open(): refused, and still a socket.
        const QString socket = dir.filePath("socket");
        QCOMPARE(QProcess::execute("python3", {"-c", "import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])",
                                               socket}), 0);
        QCOMPARE(runCli(run + QStringList{socket}).exitCode, 1);
        QCOMPARE(mode(socket) & S_IFMT, S_IFSOCK);

        // As nobody: the root-owned mode-600 file is refused and kept; in a
        // folder that takes no new file, a writable file is written in place
        // and a new one is refused.
        const QString asNobody = u"exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$0\" \"$@\""_qs;
        CliRun refused = runCli(run + QStringList{words}, asNobody);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("Permission denied"), refused.err.constData());
        QCOMPARE(fileBytes(words), expected);
        const QString open = dir.filePath("open.txt");
        QFile(open).open(QIODevice::WriteOnly);
        QFile::setPermissions(open, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555));
        QCOMPARE(runCli(run + QStringList{open}, asNobody).exitCode, 0);
        QCOMPARE(fileBytes(open), expected);
        refused = runCli(run + QStringList{dir.filePath("new.txt")}, asNobody);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("Permission denied"), refused.err.constData());
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "test_cli_files.moc"
