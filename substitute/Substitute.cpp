#include "substitute/Substitute.h"

QString fnSubstitute(const QString &strWord, const QString &strFilter, const QString &strNewFilter)
{
    QString result;
    for (const QChar c : strWord) {
        const qsizetype p = strFilter.indexOf(c, 0, Qt::CaseInsensitive);
        if (p < 0)
            result.append(c);
        else if (p < strNewFilter.size())
            result.append(strNewFilter[p]);
    }
    return result;
}

QString fnRandomize(const QString &text, RandomSource &random)
{
    QString t = text;
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = t[i];
        const qsizetype j = pickIndex(random.next(), int(n));
        t[i] = t[j];
        t[j] = c;
    }
    return t;
}
