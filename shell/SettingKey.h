#pragma once

#include <QString>

// One stored setting: its section, its key and the text it reads as while
// absent. Each program keeps all of its keys in one table of these, so no
// key or default is spelled out twice.
struct SettingKey {
    const char *section;
    const char *key;
    const char *defaultValue;

    QString sectionName() const { return QString::fromLatin1(section); }
    QString keyName() const { return QString::fromLatin1(key); }
    QString defaultText() const { return QString::fromLatin1(defaultValue); }
};
