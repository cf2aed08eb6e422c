#include "engine/RandomSource.h"
#include "engine/VarnockError.h"
#include "wordlist/FixedLengthSort.h"
#include "wordlist/WordFile.h"
#include "wordlist/WordSort.h"

#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QtTest>
#include <numeric>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {
// "0 Al Al" -> {"0", "Al", "Al"}; two blanks in a row give an empty word.
WordArray words(const char *spaced) { return QString::fromLatin1(spaced).split(u' '); }
QByteArray readAll(const QString &path) { QFile file(path); return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>"; }
// The number of the error that writing lines gives, 0 for none.
int writeError(const QString &path, const QStringList &lines = {})
try { return writeWordFile(path, QStringList{""} + lines, 1, lines.size()), 0; } catch (const VarnockError &e) { return e.number(); }
} // namespace

class TestWordList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sorting()
    {
        // Ordinal order from index 1 on (QuickSort's range cut to the array);
        // each run of equal neighbours keeps one copy, nothing else moves.
        for (const auto &[input, low, hi, output] : {std::tuple{"zero Bo Ab ab B", 1, 0, "zero Ab B Bo ab"}, {"z b", 1, 0, "z b"},
                 {"w abab abaa abab aba ab", 1, 0, "w ab aba abaa abab abab"}, {"- e d c b a", 2, 4, "- e b c d a"},
                 {"- e d c b a", 3, 3, "- e d c b a"}, {"- e d c b a", 4, 2, "- e d c b a"}, {"c b a", -3, 99, "a b c"},
                 {"0 Al Al Bo Cy Cy Cy", 0, 0, "0 Al Bo Cy"}, {"0 Al Bo Cy", 0, 0, "0 Al Bo Cy"}, {"0 Al Al Al Al", 0, 0, "0 Al"},
                 {"0 Al al", 0, 0, "0 Al al"}, {"0 Al Bo Al", 0, 0, "0 Al Bo Al"}, {"0   a", 0, 0, "0  a"}, {"0 A", 0, 0, "0 A"}}) {
            WordArray list = words(input);
            low == 0 ? KillDupes(list) : hi == 0 ? Shaker(list) : QuickSort(list, low, hi);
            QCOMPARE(list, words(output));
        }
        // Lines of one length the command line's way: alphabets of 1, 2, 3 letters (0, 1, 2 bits); 36 letters in 12, past one 10-unit key.
        for (const auto &[text, length, sorted] : {std::tuple{u"aa\naa\n"_qs, 2, u"aa\n"_qs}, {u"b\na\n"_qs, 1, u"a\nb\n"_qs}, {u"cab\nacb\nbca\naca\n"_qs, 3, u"aca\nacb\nbca\ncab\n"_qs},
                 {u"mnopqrstuvwx\nabcdefghijkl\nyzABCDEFGHIJ\nabcdefghijka\nabcdefghijkl\nabcdefghijzz\n"_qs, 12, u"abcdefghijka\nabcdefghijkl\nabcdefghijzz\nmnopqrstuvwx\nyzABCDEFGHIJ\n"_qs}}) {
            std::vector<QChar> lines(text.begin(), text.end());
            sortFixedLengthLines(lines, length, u"\n", true);
            QCOMPARE(QString(lines.data(), qsizetype(lines.size())), sorted);
        }
        // Sorted on a thread with a small stack, where deep recursion crashes instead of passing unnoticed; then stripped of repeats.
        const int n = 30000;
        XoshiroRandom random(11);
        WordArray equal(n + 1, u"Same"_qs), killer(n + 1), mixed{u"zero"_qs};
        std::vector<int> slot(n + 1);
        // Shared first units, NULs and high units: still exactly the code-unit order.
        const QStringList pieces{u"ab"_qs, u"ab"_qs + QChar(0), u"ab"_qs + QChar(0) + QChar(0) + u'x', u"abab"_qs, u"ababb"_qs,
                                 u"a"_qs, QString(), u"\uffff"_qs, QString(QChar(0xD83D)) + QChar(0xDE00), u"\u00e9t\u00e9"_qs, u"Abab"_qs};
        for (int k = 0; k < n; ++k)
            mixed << pieces[pickIndex(random.next(), 11)] + pieces[pickIndex(random.next(), 11)];
        // Each partition's middle element the smallest of its range: the worst case of a middle-pivot quicksort.
        std::iota(slot.begin(), slot.end(), 0);
        for (int low = 1, m = (low + n) / 2; low <= n; ++low, m = low < n ? (low + n) / 2 : n)
            killer[slot[m]] = QStringLiteral("w%1").arg(low, 6, 10, QChar(u'0')), std::swap(slot[low], slot[m]);
        for (WordArray words : {equal, killer, mixed}) {
            words[0] = u"index zero"_qs;
            WordArray expected = words;
            std::sort(expected.begin() + 1, expected.end());
            const std::unique_ptr<QThread> thread(QThread::create([&words] { Shaker(words); }));
            thread->setStackSize(256 * 1024);
            thread->start();
            QVERIFY(thread->wait(QDeadlineTimer(120000)) && words == expected);
            KillDupes(words);
            QVERIFY(words == WordArray(expected.begin(), std::unique(expected.begin() + 1, expected.end())));
        }
    }

    void wordFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"words.txt"_qs), link = dir.filePath(u"link"_qs);
        QString block;
        QByteArray expected = "first\r\n";
        for (int k = 0; k < 20000; ++k)
            block += QStringLiteral("Word%1\r\n").arg(k), expected += "Word" + QByteArray::number(k) + "\r\n";
        WordFileWriter writer(path); // lines and blocks of lines, over several internal flushes
        writer.writeLine(u"first"), writer.writeLines(block), writer.commit();
        QCOMPARE(readAll(path), expected);
        writeWordFile(path, {u"zero"_qs, u"Ba"_qs, u"K\u00f6"_qs, u"Ti"_qs}, 1, 3);
        WordFileWriter(path).writeLine(u"New"); // destroyed without commit, as when a run fails half-way
        QVERIFY(readAll(path) == "Ba\r\nK\xc3\xb6\r\nTi\r\n" && QDir(dir.path()).entryList(QDir::Files) == QStringList{"words.txt"});
        // Through a link its target is replaced, keeping its permission bits.
        QVERIFY(QFile::link(path, link) && QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(writeError(link) == 0 && QFileInfo(link).isSymLink() && readAll(path).isEmpty()); // no words: an empty file
        QCOMPARE(QFile::permissions(path) & ~QFileDevice::Permissions(0x0700), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(QFile::link(dir.filePath("loop2"), dir.filePath("loop1")) && QFile::link(dir.filePath("loop1"), dir.filePath("loop2")));
        for (int i = 41; i > 0; --i) // chain1 -> chain2 -> ... -> chain41 -> words.txt: 40 links are followed, as the system does
            QVERIFY(QFile::link(i == 41 ? path : dir.filePath(u"chain%1"_qs.arg(i + 1)), dir.filePath(u"chain%1"_qs.arg(i))));
        QVERIFY(writeError(dir.filePath("chain2")) == 0 && writeError(dir.filePath("chain1")) == 75);
        QCOMPARE((QList<int>{writeError(dir.filePath(u"no/such/folder/x.txt"_qs)), writeError(dir.path()), writeError(u"  "_qs),
                             writeError(dir.filePath("loop1")), writeError(dir.filePath(QString(300, u'n')))}), (QList<int>{76, 75, 52, 75, 75}));
        // A device is written in place, never renamed over; a full one is error 61.
        if (::mknod(qPrintable(dir.filePath("null")), S_IFCHR | 0666, makedev(1, 3)) != 0 || ::mknod(qPrintable(dir.filePath("full")), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("device nodes need root");
        QVERIFY(writeError(dir.filePath("null"), {"Ab"}) == 0 && QFileInfo::exists(dir.filePath("null")) && !QFileInfo(dir.filePath("null")).isFile()); // still the device
        QVERIFY(writeError(dir.filePath("full"), {"Ab"}) == 61 && writeError(dir.filePath("full"), block.split(u'\n')) == 61);
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "test_wordlist.moc"
