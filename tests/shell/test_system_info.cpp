#include "shell/SystemInfo.h"

#include <QtTest/QtTest>
#include <map>

using namespace SystemInfo;

namespace {
// A registry holding the given values, keyed by "key|value".
class FakeRegistry final : public Registry {
public:
    std::map<QString, std::pair<std::uint32_t, QByteArray>> values;
    QStringList asked;

    bool queryValue(std::uint32_t root, const QString &key, const QString &name, std::uint32_t &type,
                    QByteArray &data) override
    {
        asked << key + u'|' + name;
        if (root != HKEY_LOCAL_MACHINE_ROOT)
            return false;
        const auto it = values.find(key + u'|' + name);
        if (it == values.end())
            return false;
        type = it->second.first;
        data = it->second.second;
        return true;
    }
};

const QString PathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");
} // namespace

class TestSystemInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodesValues_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dword 03 02 01 00") << uint(RegDword) << QByteArray::fromHex("03020100") << "66051";
        QTest::newRow("dword FF FF FF FF") << uint(RegDword) << QByteArray::fromHex("ffffffff") << "-1";
        QTest::newRow("dword most negative") << uint(RegDword) << QByteArray::fromHex("00000080") << "-2147483648";
        QTest::newRow("string with zero") << uint(RegSz) << QByteArray("C:\\Tools\0", 9) << "C:\\Tools";
        QTest::newRow("string without zero") << uint(RegSz) << QByteArray("C:\\Tools") << "C:\\Tools";
        QTest::newRow("only a zero") << uint(RegSz) << QByteArray("\0", 1) << "";
        QTest::newRow("only the last zero goes") << uint(RegSz) << QByteArray("ab\0\0", 4) << QString::fromLatin1("ab\0", 3);
        QTest::newRow("binary keeps the old text") << 3u << QByteArray::fromHex("0102") << "old";
        QTest::newRow("short dword keeps the old text") << uint(RegDword) << QByteArray::fromHex("0102") << "old";
    }
    void decodesValues()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        QString value = QStringLiteral("old");
        decodeValue(type, data, value);
        QCOMPARE(value, expected);
    }

    void getKeyValueReportsMissingAndOversizedValues()
    {
        FakeRegistry registry;
        registry.values[PathKey] = {RegSz, QByteArray(1024, 'x')};
        registry.values[FolderKey] = {RegSz, QByteArray(1025, 'x')};
        QString value = QStringLiteral("stale");
        QVERIFY(GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                            QStringLiteral("PATH"), value));
        QCOMPARE(value.size(), 1024);
        QVERIFY(!GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT,
                             QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"),
                             value));
        QCOMPARE(value, QString());
        value = QStringLiteral("stale");
        QVERIFY(!GetKeyValue(registry, 0x80000001u, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                             QStringLiteral("PATH"), value));
        QCOMPARE(value, QString());
        NoRegistry none;
        value = QStringLiteral("stale");
        QVERIFY(!GetKeyValue(none, HKEY_LOCAL_MACHINE_ROOT, QStringLiteral("x"), QStringLiteral("y"), value));
        QCOMPARE(value, QString());
    }

    void startToolChoosesWhatToStart_data()
    {
        QTest::addColumn<QString>("pathValue");   // "" = absent
        QTest::addColumn<QString>("folderValue"); // "" = absent
        QTest::addColumn<QStringList>("existingFiles");
        QTest::addColumn<QStringList>("installedViewers");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QStringList>("expectedStarts");
        QTest::addColumn<bool>("expectedResult");

        QTest::newRow("path value started unchecked")
            << "C:\\Missing\\info.exe" << "" << QStringList() << QStringList() << true
            << QStringList{"C:\\Missing\\info.exe"} << true;
        QTest::newRow("path value that cannot start")
            << "C:\\Missing\\info.exe" << "" << QStringList() << QStringList{"hardinfo"} << false
            << QStringList{"C:\\Missing\\info.exe"} << false;
        QTest::newRow("folder with the tool")
            << "" << "C:\\Tools" << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList() << true
            << QStringList{"C:\\Tools\\MSINFO32.EXE"} << true;
        QTest::newRow("folder without the tool starts nothing")
            << "" << "C:\\Tools" << QStringList() << QStringList{"hardinfo"} << true << QStringList() << false;
        QTest::newRow("first installed viewer")
            << "" << "" << QStringList() << QStringList{"kinfocenter", "gnome-system-monitor"} << true
            << QStringList{"/usr/bin/kinfocenter"} << true;
        QTest::newRow("nothing installed") << "" << "" << QStringList() << QStringList() << true << QStringList()
                                           << false;
    }
    void startToolChoosesWhatToStart()
    {
        QFETCH(QString, pathValue);
        QFETCH(QString, folderValue);
        QFETCH(QStringList, existingFiles);
        QFETCH(QStringList, installedViewers);
        QFETCH(bool, startSucceeds);
        QFETCH(QStringList, expectedStarts);
        QFETCH(bool, expectedResult);

        FakeRegistry registry;
        if (!pathValue.isEmpty())
            registry.values[PathKey] = {RegSz, pathValue.toLocal8Bit() + '\0'};
        if (!folderValue.isEmpty())
            registry.values[FolderKey] = {RegSz, folderValue.toLocal8Bit()};
        QStringList starts;
        Platform platform;
        platform.registry = &registry;
        platform.fileExists = [&](const QString &p) { return existingFiles.contains(p); };
        platform.findExecutable = [&](const QString &name) {
            return installedViewers.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        };
        platform.start = [&](const QString &p) {
            starts << p;
            return startSucceeds;
        };
        QCOMPARE(startTool(platform), expectedResult);
        QCOMPARE(starts, expectedStarts);
    }
};

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "test_system_info.moc"
