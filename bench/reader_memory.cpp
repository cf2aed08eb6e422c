// Peak memory of reading one pattern or rules file, in a process of its own
// so that the figure is that reader's alone. Prints the file size, the peak
// resident set size and their ratio; it never fails a build or a test.
//
//   reader_memory make-pattern FILE MB | make-rules FILE MB
//   reader_memory pattern FILE | rules FILE
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Word pieces of two to seven letters, as a hand-made file would hold.
QByteArray piece(quint32 n)
{
    static const char *const syllables[] = {"ka", "el", "dor", "wen", "ith", "ar", "gil", "ra", "mon", "ae"};
    QByteArray text;
    for (int k = 0; k < 1 + int(n % 3); ++k, n /= 10)
        text += syllables[n % 10];
    return text;
}

bool makeFile(const QString &path, bool rules, qint64 megabytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const qint64 target = megabytes * 1024 * 1024;
    const char *const tags[] = {"[START]\r\n", "[MIDDLE]\r\n", "[END]\r\n"};
    file.write(rules ? "A generated rules file\r\n" : "0 1 2\r\n");
    quint32 n = 0;
    for (int section = 0; section < 3; ++section) {
        file.write(rules ? tags[section] : "[next]\r\n");
        QByteArray block;
        while (file.size() + block.size() < target * (section + 1) / 3) {
            block += piece(n++) + "\r\n";
            if (block.size() > (1 << 20)) {
                file.write(block);
                block.clear();
            }
        }
        file.write(block);
    }
    if (rules)
        file.write("[STOP]\r\n");
    return file.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (mode.startsWith("make-"))
        return makeFile(path, mode == "make-rules", argc > 3 ? atoll(argv[3]) : 50) ? 0 : 1;
    bool valid = false;
    if (mode == "pattern") {
        QStringList rule;
        PatternSections sections;
        valid = LoadPatternFile(path, rule, sections).valid;
    } else {
        RuleLists lists;
        valid = LoadRulesFile(path, lists).valid;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double fileMb = double(QFileInfo(path).size()) / (1024 * 1024);
    const double peakMb = double(usage.ru_maxrss) / 1024;
    std::printf("%s reader: file %.1f MB, peak RSS %.1f MB (%.2fx the file)%s\n", mode.constData(), fileMb, peakMb,
                peakMb / fileMb, valid ? "" : ", file refused");
    return 0;
}
