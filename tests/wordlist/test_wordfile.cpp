#include "engine/VarnockError.h"
#include "wordlist/WordFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int errorNumberOf(const std::function<void()> &write)
{
    try {
        write();
    } catch (const VarnockError &error) {
        return error.number();
    }
    return 0;
}
} // namespace

class TestWordFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesCrLfLinesAtomically()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"words.txt"_qs);
        writeWordFile(path, {u"zero"_qs, u"Ba"_qs, u"K\u00f6"_qs, u"Ti"_qs}, 1, 3);
        QCOMPARE(readAll(path), QByteArray("Ba\r\nK\xc3\xb6\r\nTi\r\n"));
        {
            WordFileWriter writer(path);
            writer.writeLine(u"New");
            // destroyed without commit, as when a run fails half-way
        }
        QCOMPARE(readAll(path), QByteArray("Ba\r\nK\xc3\xb6\r\nTi\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"words.txt"});
        writeWordFile(path, {u"zero"_qs}, 1, 0); // no words: an empty file replaces the old one
        QCOMPARE(readAll(path), QByteArray());

        // Lines and blocks of lines mixed, over several internal flushes.
        QString block;
        QByteArray expected = "first\r\n";
        for (int k = 0; k < 20000; ++k) {
            block += QStringLiteral("Word%1\r\n").arg(k);
            expected += "Word" + QByteArray::number(k) + "\r\n";
        }
        WordFileWriter writer(path);
        writer.writeLine(u"first");
        writer.writeLines(block);
        writer.commit();
        QCOMPARE(readAll(path), expected);
    }

    void errorNumbers()
    {
        QTemporaryDir dir;
        QCOMPARE(errorNumberOf([&] { writeWordFile(dir.filePath(u"no/such/folder/x.txt"_qs), {}, 1, 0); }), 76);
        QCOMPARE(errorNumberOf([&] { writeWordFile(dir.path(), {}, 1, 0); }), 75);
        QCOMPARE(errorNumberOf([&] { writeWordFile(u"  "_qs, {}, 1, 0); }), 52);
    }
};

QTEST_GUILESS_MAIN(TestWordFile)
#include "test_wordfile.moc"
