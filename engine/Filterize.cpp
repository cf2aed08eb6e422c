#include "engine/Filterize.h"

#include "engine/LetterTables.h"

QString Filterize(const QString &TargetWord)
{
    QString result;
    result.resize(TargetWord.size());
    QChar *out = result.data();
    for (const QChar c : TargetWord) {
        const char16_t u = c.unicode();
        const bool upper = (c == c.toUpper());
        if (LetterTables::isVowel(u))
            *out++ = upper ? u'V' : u'v';
        else if (LetterTables::isConsonant(u))
            *out++ = upper ? u'C' : u'c';
        else
            *out++ = c;
    }
    return result;
}

QString filterFromSample(const QString &sample)
{
    // Lowered unit by unit: QString::toLower can lengthen a text (U+0130
    // gives two units), and a filter is always as long as its sample.
    QString filter = Filterize(sample);
    for (QChar &c : filter)
        c = c.toLower();
    return filter;
}
