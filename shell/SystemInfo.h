#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// Finding and starting the platform's system information tool, with every
// platform service behind a replaceable function so tests can script it.
namespace SystemInfo {

inline constexpr std::uint32_t HKEY_LOCAL_MACHINE_ROOT = 0x80000002u;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegDword = 4;
// Values larger than this are treated as missing.
inline constexpr int ValueBufferSize = 1024;

// Read access to the platform registry.
class Registry {
public:
    virtual ~Registry() = default;
    // True with the value's type and raw bytes when the key opens and the
    // value can be read; false otherwise.
    virtual bool queryValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &ValueName,
                            std::uint32_t &type, QByteArray &data) = 0;
};

// Platforms without a registry: nothing is ever found.
class NoRegistry final : public Registry {
public:
    bool queryValue(std::uint32_t, const QString &, const QString &, std::uint32_t &, QByteArray &) override
    {
        return false;
    }
};

// The registry of this platform (the real one on Windows, NoRegistry elsewhere).
Registry &platformRegistry();

// Turns a value's raw bytes into text. A string loses its last byte when that
// is a terminating zero; a 32-bit number is read little-endian and signed;
// any other type leaves KeyVal as it was.
void decodeValue(std::uint32_t type, const QByteArray &data, QString &KeyVal);

// Reads one registry value as text into KeyVal; false (and KeyVal empty) when
// the key or the value is missing or the value is too large.
bool GetKeyValue(Registry &registry, std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                 QString &KeyVal);

// Desktop system-information viewers tried in order where no registry entry
// names a tool.
QStringList knownViewers();

struct Platform {
    Registry *registry = nullptr;
    std::function<bool(const QString &path)> fileExists;
    std::function<QString(const QString &name)> findExecutable; // "" when not installed
    std::function<bool(const QString &path)> start;             // detached; false when it fails
};

// The services of this machine.
Platform systemPlatform();

// Starts the tool the registry names, else the first installed known viewer.
// False when nothing could be started (the caller tells the user).
bool startTool(const Platform &platform);

} // namespace SystemInfo
