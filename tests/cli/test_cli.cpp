// varnock-cli run as a real process.
#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "genetic/SiblingLoop.h"
#include "support/RunCli.h"
#include "wordlist/WordSort.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QtTest>
#include <sys/stat.h>

namespace {
const QString Data = QStringLiteral(VARNOCK_TEST_DATA "/sources/");

// The same run in-process through the window's own path: GenerateNames, then Shaker and KillDupes as the options say.
QByteArray expectedLines(const QStringList &options, const QString &sample, qint64 count, quint64 seed)
{
    const bool sort = !options.contains(u"--no-sort"_qs);
    XoshiroRandom random(seed);
    WordArray words;
    GenerationHooks hooks;
    hooks.caseSample = [&] { return sample; };
    GenerateNames(filterFromSample(sample), count, words, options.contains(u"--match-case"_qs), random,
                  {.realityMode = !options.contains(u"--plain"_qs), .diphthongs = !options.contains(u"--no-groups"_qs)}, hooks);
    if (sort)
        Shaker(words);
    if (sort && !options.contains(u"--keep-duplicates"_qs))
        KillDupes(words);
    QByteArray text;
    for (qsizetype i = 1; i < words.size(); ++i)
        text += words[i].toUtf8() + '\n';
    return text;
}

void row(const char *line, int exitCode, const char *out, const char *err = "", const char *shape = "")
{
    QTest::newRow(line) << QString::fromUtf8(line) << exitCode << QString::fromUtf8(out) << QString::fromUtf8(err) << QString::fromUtf8(shape);
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
            {"", u"Marion"_qs, 2000}, {"--no-sort", u"Marion"_qs, 10000}, {"--keep-duplicates", u"Ana"_qs, 3000},
            {"--plain --no-groups", u"Yvonne"_qs, 2000}, {"--match-case", u"MaRion"_qs, 2000},
            {"--match-case --no-sort", u"mARION"_qs, 500}, {"--match-case", u"İpeK"_qs, 300}, // grows in lower case
            {"", u"Zoë-Ann 2"_qs, 2000}, {"", u"Bartholomew Kingsley"_qs, 3000}, {"", u"Al"_qs, 5000},
            {"--keep-duplicates --plain", u"Abercrombie-Fitch"_qs, 500}, {"", u"?"_qs, 1000}};
        for (const auto &[optionText, sample, count] : runs) {
            const QStringList options = args(optionText);
            for (const quint64 seed : {quint64(7), quint64(18446744073709551615ull)}) {
                const CliRun run = runCli(options + QStringList{u"--seed"_qs, QString::number(seed), u"-n"_qs,
                                                                QString::number(count), u"--"_qs, sample});
                QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.err.constData());
                QCOMPARE(run.out, expectedLines(options, sample, count, seed));
            }
        }
    }

    // One command line each (split at blanks, '' an empty argument, @ the data folder, %out a file that must not appear
    // on failure): the exit code, standard output exactly ("#N": N lines, "*": anything), a part of standard error
    // (none at all when empty), and a shape every line has. Every word passes the line's --reject patterns; a seeded
    // line repeats.
    void commandLines_data()
    {
        QTest::addColumn<QString>("line"), QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"), QTest::addColumn<QString>("err"), QTest::addColumn<QString>("shape");
        // The README's example, pinned: a seed's words must not change between builds.
        row("--seed 42 -n 8 Marion", 0, "Catiag\nGateet\nGemeig\nNetoud\nNigeet\nNiwoih\nPeyaes\nTedyos\n");
        row("-s42 -n 3 --count=8 --reject 0 Marion", 0, "Catiag\nGateet\nGemeig\nNetoud\nNigeet\nNiwoih\nPeyaes\nTedyos\n");
        row("-n 0 Marion", 0, "");
        row("--no-sort Marion", 0, "#500");
        row("-s 1 -n 20 -- -Ann", 0, "*", "", "^-[a-z]{3}$");
        // How many words: 21 consonants, 5 vowels, 25 vowel pairs and the 4 groups with y.
        row("--possible Marion", 0, "1342845 (exact)\n");
        row("--possible --no-groups -n 3 Marion", 0, "1157625 (exact)\n");
        row("--possible --reject o Aimin", 0, "40572 (exact)\n"); // 23 pairs (20 of letters, Ay, Ey, Ye) x 21 x 4 x 21
        row("--possible Babababababababababababababababa", 0, "218287458838193562060699462890625 (exact)\n");
        row("--possible --pattern @elvish.vnk", 0, "18 (exact)\n");
        row("--possible --reject ^K --rules @example.nam", 0, "2 (exact)\n");
        row("--possible --rules @empty_end.nam", 0, "0 (exact)\n");
        row("--possible --pattern @empty_named.vnk", 0, "1 (exact)\n"); // an empty section adds nothing
        row("--possible --pattern @ambiguous_small.vnk", 0, "14 (exact)\n"); // aba and bab made twice each
        row("--possible --pattern @ambiguous.vnk", 0, "1048576 (upper bound)\n");
        // Distinct words: all there are when fewer exist.
        row("-n 20 --distinct --pattern @ambiguous_small.vnk", 0, "Aa\nAab\nAb\nAba\nAbab\nAbb\nAbba\nBa\nBaa\nBaab\nBab\nBaba\nBb\nBba\n",
            "only 14 different words exist, fewer than the 20 asked for");
        row("-n 5 --distinct --pattern @off_by_one.vnk", 0, "Rador\n", "only 1 different words exist");
        row("-s 2 -n 100 --distinct Ab", 0, "#100", "", "^[AEIOU][b-df-hj-np-tv-z]$");
        row("-s 2 -n 200 --distinct --no-sort Ab-", 0, "#105", "only 105 different words exist", "^[AEIOU][b-df-hj-np-tv-z]-$");
        row("-n 9 --distinct --reject ^[^K] --rules @example.nam", 0, "Karador\nKarawen\n", "only 2 different words pass the --reject patterns");
        row("-s 5 -n 300 --no-sort --reject a --reject [ei] Marion", 0, "#300");
        row("-n 5 --reject . Marion -o %out", 1, "", "gave up after 1000000 draws in a row");
        row("-s 6 -n 20 --no-sort --reject ^(?!Tarient) Marionma", 1, "#1", "all matched; 1 of 20 words written", "^Tarient[a-z]$");
        row("-n 5 --distinct --reject [ak] --rules @example.nam", 0, "", "only 0 different words");
        row("--reject ( Marion", 2, "", "invalid --reject expression '(': missing closing parenthesis at offset 1");
        row("Marion --reject", 2, "", "'--reject' needs a regular expression");
        // Other sources of the filter.
        row("-s 1 -n 50 --filter cv-9", 0, "*", "", "^[B-DF-HJ-NP-TV-Z][aeiou]-9$");
        row("--filter cvxc", 2, "", "'x' at position 3 is not a filter element");
        row("--filter Cv", 2, "", "'C' at position 1");
        row("-s 4 -n 20 --random", 0, "*", "random sample: ", "^[A-Z][a-z]{3,12}$");
        row("--random --pattern @elvish.vnk", 2, "", "cannot be combined");
        // Files: warnings, refusals in the system's or the reader's words.
        row("-n 2 --pattern @off_by_one.vnk", 0, "Rador\n", "warning: @off_by_one.vnk: line 2: the rule names section 3, which the file does not have");
        row("check @off_by_one.vnk", 0, "@off_by_one.vnk: line 2: the rule names section 3, which the file does not have (sections count from 0; this file "
            "has sections 0 to 2)\n@off_by_one.vnk: line 3: section 0 is never named by the rule, so its entries are never used (sections count from 0)\n"
            "@off_by_one.vnk: possible words: 1 (exact)\n");
        row("check @leading_blanks.vnk", 0, "@leading_blanks.vnk: line 2: the rule names section 5, which the file does not have (sections "
            "count from 0; this file has only section 0)\n@leading_blanks.vnk: possible words: 1 (exact)\n"); // a comment may start with blanks
        row("check @unnamed_section.vnk", 0, "@unnamed_section.vnk: line 1: the rule names section 1, which the file does not have (sections count from 0; "
            "this file has only section 0)\n@unnamed_section.vnk: line 2: section 0 is never named by the rule, so its entries are never used (sections "
            "count from 0)\n@unnamed_section.vnk: possible words: 1 (exact)\n");
        row("check @elvish.vnk @example.nam", 0, "@elvish.vnk: possible words: 18 (exact)\n@example.nam: possible words: 4 (exact)\n");
        row("check @tag_rules.nam", 0, "@tag_rules.nam: line 4: '[END]' is read as an entry: only [MIDDLE] ends this section\n"
            "@tag_rules.nam: line 5: '[STOP]' is read as an entry: only [MIDDLE] ends this section\n@tag_rules.nam: line 6: '[MIDDLE] ' is read as an "
            "entry: a tag must stand alone on its line, without blanks\n@tag_rules.nam: line 11: '[STOP] ' is read as an entry: a tag must stand alone "
            "on its line, without blanks\n@tag_rules.nam: possible words: 12 (exact)\n");
        row("check @no_next.vnk", 1, "@no_next.vnk: line 1: no [next] line follows the rule, so the file has no sections\n@no_next.vnk: This file is not a valid Varnock file.\n");
        row("check @ends_in_end.nam", 1, "@ends_in_end.nam: line 7: the file ends inside the end section, before [STOP]\n@ends_in_end.nam: This file is not a "
            "valid rules file.\n@ends_in_end.nam: possible words: 2 (exact)\n"); // still gives words
        row("check @no-such-file.vnk", 1, "", "cannot open @no-such-file.vnk: No such file or directory");
        row("check @", 1, "", "Is a directory");
        row("check", 2, "", "no FILE");
        row("--pattern @no-such-file.vnk -o %out", 1, "", "cannot open @no-such-file.vnk: No such file or directory");
        row("--pattern @no_next.vnk -o %out", 1, "", "This file is not a valid Varnock file.");
        row("--pattern @garbage.bin", 1, "", "This file is not a valid Varnock file.");
        row("--rules @no_start.nam", 1, "", "This file is not a valid rules file.");
        row("--rules @ends_in_middle.nam -o %out", 1, "", "line 4: the file ends inside the middle section");
        row("--rules @empty_end.nam -n 5", 0, "");
        row("--pattern @empty_sections.vnk -n 5", 0, "");
        row("--rules @empty_end.nam -n 5 --distinct", 0, "");
        row("-n 200 --keep-duplicates --rules @example.nam", 0, "#200", "", "^(Kara|Elra)(dor|wen)$");
        // Enough draws for every word a file makes, and no other; a seed gives its own words.
        row("-s 11 -n 300 --pattern @elvish.vnk", 0, "Aeandor\nAeanwen\nAeardor\nAearwen\nAeithdor\nAeithwen\nElandor\nElanwen\nElardor\n"
            "Elarwen\nElithdor\nElithwen\nGilandor\nGilanwen\nGilardor\nGilarwen\nGilithdor\nGilithwen\n");
        row("-s 12 -n 4 --no-sort --pattern @elvish.vnk", 0, "Elithdor\nGilardor\nElithwen\nElithdor\n");
        row("-s 3 -n 50 --rules @example.nam", 0, "Elrador\nElrawen\nKarador\nKarawen\n");
        row("-s 3 -n 50 --rules @blank_ending.nam", 0, "Kara Ith\n");
        row("-s 3 -n 50 --rules @ends_in_end.nam", 0, "Karador\nKarawen\n", "line 7: the file ends inside the end section"); // reported, as in the window
        // The substitution tool's rewrite, shuffle and refusal.
        row("substitute Hello --to zyxwvutsrqponmlkjihgfedcba", 0, "Svool\n");
        row("substitute CAB --from abc --to XYZ", 0, "ZXY\n");
        row("substitute --shuffle -s 3 Abc --from abc --to abc", 0, "*", "new charset: ", "^(?=.*[aA])(?=.*[bB])(?=.*[cC])[A-C][a-c]{2}$");
        row("substitute abc --from abc --to xy", 2, "", "The original and the new charset are not of the same length!");
        // Bad arguments: exit 2, the culprit named.
        const std::pair<const char *, const char *> refused[] = {
            {"-n -5 Marion", "'-5' for -n:"}, {"--count 10000001 Marion", "'10000001' for --count:"}, {"--count=1e400 Marion", "'1e400'"},
            {"-n &HFFFF Marion", "'&HFFFF'"}, {"-n 13,5 Marion", "'13,5'"}, {"-n +5 Marion", "'+5'"},
            {"-s -0 Marion", "'-0'"}, {"--seed 18446744073709551616 Marion", "'18446744073709551616'"},
            {"--seed 0x10 Marion", "'0x10'"}, {"Marion Yvonne", "'Yvonne'"}, {"Marion -n", "'-n' needs a number of words"},
            {"--colour Marion", "unknown option '--colour'"}, {"-n 5 --colour Marion", "unknown option '--colour'"},
            {"--plain=yes Marion", "unknown option '--plain=yes'"}, {"Marion -o", "'-o' needs a file name"}, {"Marion -s", "'-s' needs a seed"},
            {"-n 5", "SAMPLE"}, {"''", "SAMPLE"}, {"substitute ab cd", "only one PHRASE may be given ('cd' is extra"},
            {"mutate ab cd", "only one WORD may be given ('cd' is extra"}};
        for (const auto &[line, named] : refused)
            row(line, 2, "", named);
        row("mutate -s 1 -- -ab", 0, "#10", "", "^-(a[ac-z]|[b-z]b)$"); // ten siblings of one mutation unless told
        row("mutate 2026", 1, "", "no vowel or consonant");
        row("mutate -m 0 Marion", 1, "", "0 or less");
        row("mutate -n 32768 Marion", 2, "", "not a count");
        row("mutate Marion --seed", 2, "", "needs a value");
    }

    void commandLines()
    {
        QFETCH(QString, line);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, shape);
        QTemporaryDir dir;
        const QString outPath = dir.filePath(u"out.txt"_qs);
        QStringList arguments;
        for (QString a : line.split(u' ', Qt::SkipEmptyParts))
            arguments << (a == u"''" ? QString() : a.replace(u'@', Data).replace(u"%out"_qs, outPath));
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        out.replace(u'@', Data);
        if (out.startsWith(u'#'))
            QCOMPARE(run.lines().size(), out.mid(1).toInt());
        else if (out != u"*")
            QCOMPARE(QString::fromUtf8(run.out), out);
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : QString::fromUtf8(run.err).contains(err.replace(u'@', Data)), run.err.constData());
        const QRegularExpression lineShape(shape);
        for (const QString &word : run.lines()) {
            QVERIFY2(lineShape.match(word).hasMatch(), qPrintable(word));
            for (qsizetype i = arguments.indexOf(u"--reject"_qs); i >= 0; i = arguments.indexOf(u"--reject"_qs, i + 1))
                QVERIFY2(!QRegularExpression(arguments[i + 1]).match(word).hasMatch(), qPrintable(word));
        }
        if (arguments.contains(u"-s"_qs) || line.contains(u"seed"_qs))
            QCOMPARE(runCli(arguments).out, run.out);
        QVERIFY(exitCode == 0 || !QFile::exists(outPath));
    }

    void helpAndVersion()
    {
        QCOMPARE(runCli(args("--version")).out, QByteArray("varnock-cli " VARNOCK_EXPECTED_VERSION "\n"));
        const QByteArray top = runCli(args("-h")).out; // lists each command, whose own usage names it first, in the option columns
        QVERIFY(top.contains("\n  --rules FILE        words from a rules file (.nam) instead of SAMPLE\n  -h,") && top.contains("\n  mutate            siblings"));
        for (const QByteArray command : {"mutate ", "check ", "substitute "})
            QVERIFY(top.startsWith("Usage: varnock-cli [options] SAMPLE\n") && top.contains("\n  " + command) && runCli(args(command) << u"--help"_qs).out.startsWith("Usage: varnock-cli " + command));
    }

    void outputFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"words.txt"_qs);
        for (const char *line : {"-s 5 -n 800 Marion", "--no-sort -s 5 -n 800 Marion", "-s 9 -n 5 --no-sort "
                                 "--pattern " VARNOCK_TEST_DATA "/sources/elvish.vnk", "-s 3 -n 40 --distinct Ab"}) {
            // Replaced whole by each run, CR LF line ends.
            const CliRun toFile = runCli(args(line) << u"-o"_qs << path);
            QByteArray lf = runCli(args(line)).out;
            QVERIFY(toFile.exitCode == 0 && toFile.out.isEmpty() && !lf.isEmpty());
            QCOMPARE(fileBytes(path), lf.replace("\n", "\r\n"));
        }
        const QString missing = dir.filePath(u"no/such/folder/words.txt"_qs);
        CliRun run = runCli(args("Marion -o") << missing);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(missing), run.err.constData());
        QCOMPARE(runCli(args("Marion -o") << dir.path()).exitCode, 1);
        QVERIFY(QFileInfo(dir.path()).isDir());

        // A write that fails half-way (file size limit) leaves the earlier
        // file exactly as it was and no temporary file behind.
        const QByteArray before = fileBytes(path);
        for (const char *order : {"--no-sort", "--keep-duplicates"}) {
            run = runCli(args("-n 1000000 Marion -o") << path << QString::fromLatin1(order), u"ulimit -f 64"_qs);
            QVERIFY2(run.exitCode == 1 && QString::fromUtf8(run.err).contains(path), run.err.constData());
            QCOMPARE(fileBytes(path), before);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"words.txt"_qs});
        }
#ifndef __SANITIZE_ADDRESS__ // which cannot start under an address-space limit
        // Under a limit, since a machine that overcommits would hand out 80 GB and kill later.
        for (const QStringList &line : {QStringList{u"-n"_qs, u"10000000"_qs, QString(4000, u'a')}, // refused at once
                                         args("-n 10000000 --rules") << Data + u"example.nam"_qs}) { // half-way
            const CliRun tooMuch = runCli(line, u"ulimit -v 400000"_qs);
            QVERIFY2(tooMuch.exitCode == 1 && tooMuch.err == "varnock-cli: Out of memory\n", tooMuch.err.constData());
        }
#endif
        // The largest count: ten million one-letter words.
        QCOMPARE(runCli(args("-n 10000000 --no-sort -s 1 a -o") << path).exitCode, 0);
        QCOMPARE(QFileInfo(path).size(), qint64(30000000));
    }

    // Every kind of target gets the words without being destroyed: a link stays a link, a device stays a device, a pipe
    // delivers every line, a file keeps its mode. Permission cases run as an unprivileged user.
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
        reader.start("sh", {"-c", "cat \"$0\" > \"$1\"", Data + u"example.nam"_qs, fifo}); // a rules file that comes through a pipe
        QCOMPARE(runCli(args("-s 11 -n 4 --rules") << fifo).out, runCli(args("-s 11 -n 4 --rules") << Data + u"example.nam"_qs).out);
        QVERIFY(reader.waitForFinished());
        // A full device of our own: the write fails as a full disk.
        const QString full = dir.filePath("full");
        QCOMPARE(QProcess::execute("mknod", {full, "c", "1", "7"}), 0);
        const CliRun noSpace = runCli(QStringList{"-n", "100000", "Marion", "-o", full});
        QVERIFY2(noSpace.exitCode == 1 && noSpace.err.contains("Disk full"), noSpace.err.constData());
        const CliRun fullOut = runCli(args("-n 100 Marion"), u"exec >"_qs + full);
        QVERIFY2(fullOut.exitCode == 1 && fullOut.err.contains("standard output"), fullOut.err.constData());
        for (const char *line : {"check --help", "--help", "--version", "--possible Marion", "mutate --help", "mutate -s 1 Marion", "substitute --help",
                                 "substitute abc", "check " VARNOCK_TEST_DATA "/sources/elvish.vnk"}) {
            const CliRun failed = runCli(args(line), u"exec >"_qs + full);
            QVERIFY2(failed.exitCode == 1 && failed.err.endsWith(": the output could not be written\n"), line); // and says so
        }
        QCOMPARE(runCli(args("-n 1 --pattern " VARNOCK_TEST_DATA "/sources/elvish.vnk"), u"exec <&-"_qs).exitCode, 0); // no standard input: the file gets descriptor 0
        // A socket takes no open(): refused, and still a socket.
        const QString socket = dir.filePath("socket");
        QCOMPARE(QProcess::execute("python3", {"-c", "import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])",
                                               socket}), 0);
        QCOMPARE(runCli(run + QStringList{socket}).exitCode, 1);
        QCOMPARE(mode(socket) & S_IFMT, S_IFSOCK);

        // As nobody: the root-owned mode-600 file is refused and kept; in a folder that takes no new file, a writable
        // file is written in place and a new one is refused.
        const QString asNobody = u"exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$0\" \"$@\""_qs;
        CliRun refused = runCli(run + QStringList{words}, asNobody);
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("Permission denied"), refused.err.constData());
        QCOMPARE(fileBytes(words), expected);
        const QString open = dir.filePath("open.txt");
        QFile(open).open(QIODevice::WriteOnly);
        QFile::setPermissions(open, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555));
        QCOMPARE(runCli(run + QStringList{open}, asNobody).exitCode, 0);
        QCOMPARE(fileBytes(open), expected);
        refused = runCli(run + QStringList{dir.filePath("new.txt")}, asNobody);
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("Permission denied"), refused.err.constData());
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    }

    void mutatePrintsTheSiblingLoopsSiblings()
    {
        const CliRun run = runCli(args("mutate --seed 77 -n 25 --mutations=3 Christopher"));
        QVERIFY(run.exitCode == 0 && run.err.isEmpty());
        // The same seed through the window's loop gives the same siblings.
        XoshiroRandom random(77);
        QStringList expected;
        breedSiblings(u"Christopher"_qs, [] { return 25.0; }, [] { return 3; }, random, [&](const QString &s) { expected << s; });
        QCOMPARE(expected.size(), 25);
        QCOMPARE(run.lines(), expected);
        QCOMPARE(runCli(args("mutate Christopher -s 77 --mutations 3 -n 25")).out, run.out);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
