#pragma once
#include <QString>
#include <numeric>
// How many positions of two equally long words differ, case ignored.
inline int differences(const QString &a, const QString &b)
{
    return std::inner_product(a.begin(), a.end(), b.begin(), 0, std::plus<>(), [](QChar x, QChar y) { return x.toLower() != y.toLower(); });
}
