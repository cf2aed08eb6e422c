#include "shell/SystemInfo.h"

#include <QtTest/QtTest>
#include <map>

using namespace SystemInfo;

namespace {
// A registry holding the given values, keyed by "root in hex|key|value".
class FakeRegistry final : public Registry {
public:
    std::map<QString, std::pair<std::uint32_t, QByteArray>> values;

    bool queryValue(std::uint32_t root, const QString &key, const QString &name, std::uint32_t &type,
                    QByteArray &data) override
    {
        const auto it = values.find(QString::number(root, 16) + u'|' + key + u'|' + name);
        if (it == values.end())
            return false;
        type = it->second.first;
        data = it->second.second;
        return true;
    }
};

const QString PathKey = QStringLiteral("80000002|SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString FolderKey = QStringLiteral("80000002|SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");
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
        QTest::newRow("only the last zero goes") << uint(RegSz) << QByteArray("ab\0\0", 4)
                                                 << QString::fromLatin1("ab\0", 3);
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
        const auto get = [](Registry &r, const QString &rootKeyAndName, QString &value) {
            const QStringList parts = rootKeyAndName.split(u'|');
            value = QStringLiteral("stale");
            return GetKeyValue(r, parts[0].toUInt(nullptr, 16), parts[1], parts[2], value);
        };
        QString value;
        QVERIFY(get(registry, PathKey, value));
        QCOMPARE(value, QString(1024, u'x'));
        // One byte over the buffer, or no registry at all: missing, and the old text gone.
        QVERIFY(!get(registry, FolderKey, value));
        QCOMPARE(value, QString());
        NoRegistry none;
        QVERIFY(!get(none, PathKey, value));
        QCOMPARE(value, QString());
    }

    // The result says whether something was started and the start worked.
    void startToolChoosesWhatToStart_data()
    {
        QTest::addColumn<QString>("pathValue");   // "" = absent
        QTest::addColumn<QString>("folderValue"); // "" = absent
        QTest::addColumn<QStringList>("existingFiles");
        QTest::addColumn<QStringList>("installedViewers");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QStringList>("expectedStarts");
        const QString path = QStringLiteral("C:\\Missing\\info.exe"), folder = QStringLiteral("C:\\Tools"),
                      tool = QStringLiteral("C:\\Tools\\MSINFO32.EXE");
        const QStringList none, hardinfo{QStringLiteral("hardinfo")};
        QTest::newRow("path value started unchecked") << path << "" << none << none << true << QStringList{path};
        QTest::newRow("path value that cannot start") << path << "" << none << hardinfo << false << QStringList{path};
        QTest::newRow("folder with the tool") << "" << folder << QStringList{tool} << none << true << QStringList{tool};
        QTest::newRow("folder without the tool starts nothing") << "" << folder << none << hardinfo << true << none;
        QTest::newRow("first installed viewer")
            << "" << "" << none << QStringList{"kinfocenter", "gnome-system-monitor"} << true
            << QStringList{"/usr/bin/kinfocenter"};
        QTest::newRow("nothing installed") << "" << "" << none << none << true << none;
    }
    void startToolChoosesWhatToStart()
    {
        QFETCH(QString, pathValue);
        QFETCH(QString, folderValue);
        QFETCH(QStringList, existingFiles);
        QFETCH(QStringList, installedViewers);
        QFETCH(bool, startSucceeds);
        QFETCH(QStringList, expectedStarts);
        FakeRegistry registry;
        if (!pathValue.isEmpty())
            registry.values[PathKey] = {RegSz, pathValue.toLocal8Bit() + '\0'};
        if (!folderValue.isEmpty())
            registry.values[FolderKey] = {RegSz, folderValue.toLocal8Bit()};
        QStringList starts;
        const Platform platform{
            &registry, [&](const QString &p) { return existingFiles.contains(p); },
            [&](const QString &name) { return installedViewers.contains(name) ? "/usr/bin/" + name : QString(); },
            [&](const QString &p) { starts << p; return startSucceeds; }};
        QCOMPARE(startTool(platform), !expectedStarts.isEmpty() && startSucceeds);
        QCOMPARE(starts, expectedStarts);
    }
};

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "test_system_info.moc"
