#pragma once

#include <QString>

// How many positions of two equally long words differ, case ignored.
inline int differences(const QString &a, const QString &b)
{
    int n = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        n += a[i].toLower() != b[i].toLower();
    return n;
}
