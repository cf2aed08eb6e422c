#include "shell/SystemInfo.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace SystemInfo {

void decodeValue(std::uint32_t type, const QByteArray &data, QString &KeyVal)
{
    if (type == RegSz) {
        QByteArray text = data;
        if (!text.isEmpty() && text.back() == '\0')
            text.chop(1);
        KeyVal = QString::fromLocal8Bit(text);
    } else if (type == RegDword) {
        // A short value cannot be a number; leave KeyVal as given.
        if (data.size() < 4)
            return;
        const auto value = qFromLittleEndian<std::int32_t>(data.constData());
        KeyVal = QString::number(value);
    }
}

bool GetKeyValue(Registry &registry, std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                 QString &KeyVal)
{
    std::uint32_t type{}; // set by every query that succeeds
    QByteArray data;
    if (!registry.queryValue(KeyRoot, KeyName, SubKeyRef, type, data) || data.size() > ValueBufferSize) {
        KeyVal.clear();
        return false;
    }
    decodeValue(type, data, KeyVal);
    return true;
}

#ifdef Q_OS_WIN
namespace {
class WindowsRegistry final : public Registry {
public:
    bool queryValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &ValueName,
                    std::uint32_t &type, QByteArray &data) override
    {
        HKEY key = nullptr;
        const QByteArray name = KeyName.toLocal8Bit();
        if (RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(KeyRoot)), name.constData(), 0,
                          KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        QByteArray buffer(ValueBufferSize, '\0');
        DWORD size = DWORD(buffer.size());
        DWORD valueType = 0;
        const QByteArray value = ValueName.toLocal8Bit();
        const LONG rc = RegQueryValueExA(key, value.constData(), nullptr, &valueType,
                                         reinterpret_cast<LPBYTE>(buffer.data()), &size);
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS)
            return false;
        buffer.truncate(int(size));
        type = valueType;
        data = buffer;
        return true;
    }
};
} // namespace

Registry &platformRegistry()
{
    static WindowsRegistry registry;
    return registry;
}
#else
Registry &platformRegistry()
{
    static NoRegistry registry;
    return registry;
}
#endif

QStringList knownViewers()
{
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
}

Platform systemPlatform()
{
    Platform platform;
    platform.registry = &platformRegistry();
    platform.fileExists = [](const QString &path) { return QFileInfo(path).isFile(); };
    platform.findExecutable = [](const QString &name) { return QStandardPaths::findExecutable(name); };
    platform.start = [](const QString &path) { return QProcess::startDetached(path, {}); };
    return platform;
}

bool startTool(const Platform &platform)
{
    QString path;
    Registry &registry = platform.registry ? *platform.registry : platformRegistry();
    if (GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        // The path is taken as it stands; a failed start is the answer.
        return platform.start(path);
    }
    if (GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"), path)) {
        const QString tool = path + QStringLiteral("\\MSINFO32.EXE");
        return platform.fileExists(tool) && platform.start(tool);
    }
    for (const QString &viewer : knownViewers()) {
        const QString found = platform.findExecutable(viewer);
        if (!found.isEmpty())
            return platform.start(found);
    }
    return false;
}

} // namespace SystemInfo
