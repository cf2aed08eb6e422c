#include "engine/CaseShaping.h"

namespace {
inline bool startsWord(char16_t previous)
{
    return previous == u' ' || previous == u'\t' || previous == u'\n' || previous == 0x0B
        || previous == 0x0C || previous == u'\r' || previous == 0;
}

inline QChar lower(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + 32)) : c;
    return c.toLower();
}

inline QChar upper(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 32)) : c;
    return c.toUpper();
}
} // namespace

void properCaseInPlace(QChar *text, qsizetype length)
{
    char16_t previous = 0; // the start counts as after a separator
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t original = text[i].unicode();
        text[i] = startsWord(previous) ? upper(text[i]) : lower(text[i]);
        previous = original;
    }
}

QString ProperCase(const QString &text)
{
    QString result = text;
    properCaseInPlace(result.data(), result.size());
    return result;
}

QString CopyCase(QString Word, const QString &Sample)
{
    shapeCaseInPlace(Word.data(), Word.size(), true, Sample);
    return Word;
}

void shapeCaseInPlace(QChar *word, qsizetype length, bool caseMatters, QStringView sample)
{
    if (!caseMatters || sample.size() != length) {
        properCaseInPlace(word, length);
        return;
    }
    for (qsizetype i = 0; i < length; ++i) {
        const QChar s = sample[i];
        word[i] = (s == s.toUpper()) ? upper(word[i]) : lower(word[i]);
    }
}
