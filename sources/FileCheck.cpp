#include "sources/FileCheck.h"

#include "engine/CaseShaping.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// Only spaces are blanks in a pattern file; what follows them decides
// whether a line is blank or a comment.
QStringView afterSpaces(QStringView s)
{
    while (!s.isEmpty() && s.front() == u' ')
        s = s.sliced(1);
    return s;
}

QString atLine(qint64 line, const QString &text)
{
    return QStringLiteral("line %1: %2").arg(line).arg(text);
}

// The parts of a rule token that each stand for a section, as the run
// resolves them: the alternatives when its first "|" is not its first
// character, else the whole token.
QList<QStringView> tokenParts(const QString &token)
{
    if (token.indexOf(u'|') > 0)
        return QStringView(token).split(u'|');
    return {QStringView(token)};
}

// The section a part names, or nothing for an empty part (no piece at all).
// Parts hold no spaces: the rule is split at them.
std::optional<double> namedSection(QStringView part)
{
    if (part.isEmpty())
        return std::nullopt;
    return std::nearbyint(leadingNumber(part));
}

QString sectionRange(qsizetype reached)
{
    return reached == 1 ? u"only section 0"_qs : QStringLiteral("sections 0 to %1").arg(reached - 1);
}

} // namespace

QStringList patternFileProblems(const LineFeed &lines, const QStringList &rule, const PatternSections &sections)
{
    // Where the rule stands and where each section read opens.
    qint64 number = 0, ruleLine = 0;
    std::vector<qint64> opened;
    const qsizetype reached = sections.reached();
    lines([&](QStringView line) {
        ++number;
        if (ruleLine == 0) {
            const QStringView text = afterSpaces(line);
            if (text.isEmpty() || text.startsWith(u';'))
                return true;
            ruleLine = number;
        }
        if (!line.startsWith(u';') && line.compare(u"[next]", Qt::CaseInsensitive) == 0)
            opened.push_back(number);
        // Past the rule line, only the sections read matter.
        return reached == 0 ? ruleLine == 0 : qsizetype(opened.size()) < reached;
    });
    if (ruleLine == 0)
        return {u"no rule line: every line is blank or a ';' comment"_qs};
    if (reached == 0)
        return {atLine(ruleLine, u"no [next] line follows the rule, so the file has no sections"_qs)};

    QStringList problems;
    std::set<double> named;
    for (const QString &token : rule) {
        for (const QStringView part : tokenParts(token)) {
            const std::optional<double> section = namedSection(part);
            if (!section)
                continue;
            named.insert(*section);
            if (*section < 0 || *section >= double(reached))
                problems << atLine(ruleLine, QStringLiteral("the rule names section %1, which the file does not have "
                                                            "(sections count from 0; this file has %2)")
                                                 .arg(part.toString(), sectionRange(reached)));
        }
    }
    for (qsizetype s = 0; s < reached; ++s) {
        if (!named.count(double(s)))
            problems << atLine(opened[std::size_t(s)],
                               QStringLiteral("section %1 is never named by the rule, so its entries are never used "
                                              "(sections count from 0)")
                                   .arg(s));
    }
    return problems;
}

QStringList rulesFileProblems(const LineFeed &lines)
{
    static const char16_t *const tags[] = {u"[START]", u"[MIDDLE]", u"[END]", u"[STOP]"};
    static const char *const parts[] = {"before any [START] line", "inside the start section, before [MIDDLE]",
                                        "inside the middle section, before [END]",
                                        "inside the end section, before [STOP]"};
    QStringList problems;
    qint64 number = 0;
    int stage = 0;
    qsizetype entries = 0;
    lines([&](QStringView line) {
        ++number;
        const QString upper = line.toString().toUpper();
        if (upper == QStringView(tags[stage])) {
            entries = 0;
            return ++stage < 4;
        }
        if (upper.trimmed() == QStringView(tags[stage]))
            problems << atLine(number, QStringLiteral("'%1' is read as an entry: a tag must stand alone on its line, "
                                                      "without blanks")
                                           .arg(line.toString()));
        else if (stage > 0 && std::any_of(std::begin(tags), std::end(tags), [&](const char16_t *tag) { return upper == QStringView(tag); }))
            problems << atLine(number, QStringLiteral("'%1' is read as an entry: only %2 ends this section")
                                           .arg(line.toString(), QStringView(tags[stage])));
        if (stage > 0 && ++entries > maxRulesSectionEntries) {
            problems << atLine(number, QStringLiteral("a section holds at most %1 entries").arg(maxRulesSectionEntries));
            return false;
        }
        return true;
    });
    if (stage < 4 && entries <= maxRulesSectionEntries)
        problems << atLine(number, QStringLiteral("the file ends %1").arg(QLatin1String(parts[stage])));
    return problems;
}

WordSpace patternWordSpace(const QStringList &rule, const PatternSections &sections)
{
    WordSpace space;
    for (const QString &token : rule) {
        QStringList pieces;
        for (const QStringView part : tokenParts(token)) {
            const std::optional<double> s = namedSection(part);
            // count() is 0 for any section outside the table; the clamp only
            // keeps huge numbers out of the conversion.
            if (!s || sections.count(qint64(std::clamp(*s, -1.0, double(sections.reached())))) == 0) {
                pieces << QString(); // a blank part, or a section without entries: the empty piece
                continue;
            }
            const SectionEntries &entries = sections.entries(qsizetype(*s));
            for (qsizetype k = 0; k < entries.size(); ++k)
                pieces << entries[k].toString().toLower();
        }
        space.addPosition(pieces);
    }
    space.setShape(&ProperCase);
    return space;
}

WordSpace rulesWordSpace(const RuleLists &lists)
{
    WordSpace space;
    for (const QStringList *list : {&lists.RuleStarts, &lists.RuleMiddles, &lists.RuleEnds}) {
        QStringList pieces;
        for (const QString &piece : *list)
            pieces << piece.toLower();
        space.addPosition(pieces);
    }
    space.setShape(&ProperCase);
    return space;
}
