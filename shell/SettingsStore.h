#pragma once

#include "shell/SettingKey.h"

#include <QString>
#include <memory>

class QSettings;

// The per-user settings store: string values addressed by section and key
// under one application name ("Varnock" or "Kestrin"). On Linux an INI file
// <config>/<Application>/<Application>.conf; tests pass a file of their own.
class SettingsStore {
public:
    explicit SettingsStore(const QString &applicationName);
    // A store kept in the given INI file, for tests and tools.
    SettingsStore(const QString &applicationName, const QString &iniFilePath);
    ~SettingsStore();

    QString applicationName() const { return applicationName_; }
    QString filePath() const;

    // The stored value, or defaultValue when the key is absent.
    QString get(const QString &section, const QString &key, const QString &defaultValue) const;
    // Creates or replaces the value and writes it through at once.
    void save(const QString &section, const QString &key, const QString &value);
    // Removes the section with all its keys; a missing section is no error.
    void deleteSection(const QString &section);

    // Flags: "True"/"False" in any case, or a number (0 is false). Any other
    // text falls back to the default.
    bool getFlag(const QString &section, const QString &key, bool defaultValue) const;
    void saveFlag(const QString &section, const QString &key, bool value);

    // The same through a key of the program's table, with its default.
    QString get(const SettingKey &key) const { return get(key.sectionName(), key.keyName(), key.defaultText()); }
    void save(const SettingKey &key, const QString &value) { save(key.sectionName(), key.keyName(), value); }
    bool getFlag(const SettingKey &key) const;
    void saveFlag(const SettingKey &key, bool value) { saveFlag(key.sectionName(), key.keyName(), value); }

    static QString flagText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
    static bool parseFlag(const QString &text, bool defaultValue);

private:
    QString applicationName_;
    std::unique_ptr<QSettings> settings_;
};
