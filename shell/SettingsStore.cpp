#include "shell/SettingsStore.h"

#include <QSettings>

SettingsStore::SettingsStore(const QString &applicationName)
    : applicationName_(applicationName),
      // The native format is an INI file <config>/<App>/<App>.conf on Linux
      // and the registry on Windows.
      settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            applicationName, applicationName))
{
}

SettingsStore::SettingsStore(const QString &applicationName, const QString &iniFilePath)
    : applicationName_(applicationName),
      settings_(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::filePath() const
{
    return settings_->fileName();
}

namespace {
QString fullKey(const QString &section, const QString &key)
{
    return section + u'/' + key;
}
} // namespace

QString SettingsStore::get(const QString &section, const QString &key, const QString &defaultValue) const
{
    // Another process (or a test) may have written the file since.
    settings_->sync();
    const QVariant value = settings_->value(fullKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with a comma reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void SettingsStore::save(const QString &section, const QString &key, const QString &value)
{
    settings_->setValue(fullKey(section, key), value);
    settings_->sync();
}

void SettingsStore::deleteSection(const QString &section)
{
    settings_->remove(section);
    settings_->sync(); // now, not at the next turn of the event loop, which a kill may never reach
}

bool SettingsStore::parseFlag(const QString &text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    bool ok; // toDouble always sets it
    const double number = t.toDouble(&ok);
    if (ok)
        return number != 0;
    return defaultValue;
}

bool SettingsStore::getFlag(const QString &section, const QString &key, bool defaultValue) const
{
    return parseFlag(get(section, key, flagText(defaultValue)), defaultValue);
}

bool SettingsStore::getFlag(const SettingKey &key) const
{
    return getFlag(key.sectionName(), key.keyName(), key.defaultText() == flagText(true));
}

void SettingsStore::saveFlag(const QString &section, const QString &key, bool value)
{
    save(section, key, flagText(value));
}
