#include "sources/PatternFile.h"

#include "engine/CaseShaping.h"
#include "engine/NumberText.h"
#include "engine/VarnockError.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// Only spaces count as blanks in this format; a tab is text.
QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.sliced(b, e - b);
}

// A token lists alternatives only when its first "|" is not its first character.
bool hasAlternatives(const QString &token) { return token.indexOf(u'|') > 0; }

bool isNext(const QString &line) { return line.compare(u"[next]", Qt::CaseInsensitive) == 0; }

} // namespace

void PatternSections::reset(qint32 highest)
{
    highest_ = std::max<qint32>(highest, 0);
    sections_.clear();
}

qsizetype PatternSections::maxCount() const
{
    qsizetype most = 0;
    for (const QStringList &s : sections_)
        most = std::max(most, s.size());
    return most;
}

qsizetype PatternSections::count(qint64 section) const
{
    if (section < 0 || section >= qint64(sections_.size()))
        return 0;
    return sections_[std::size_t(section)].size();
}

QString PatternSections::cell(qint64 section, qint64 k) const
{
    if (section < 0 || section >= qint64(sections_.size()))
        return QString();
    const QStringList &entries = sections_[std::size_t(section)];
    if (k == 0)
        return QString::number(entries.size());
    if (k < 1 || k > entries.size())
        return QString();
    return entries[k - 1];
}

qint32 HighestSection(const QStringList &tokens)
{
    qint32 highest = 0;
    auto consider = [&highest](QStringView text) {
        const double value = leadingNumber(text);
        if (value > highest)
            highest = roundToInt32(value);
    };
    for (const QString &token : tokens) {
        if (hasAlternatives(token)) {
            for (QStringView part : QStringView(token).split(u'|'))
                consider(part);
        }
        consider(token);
    }
    return highest;
}

FileReadResult parsePatternLines(const QStringList &lines, QStringList &PatternRule, PatternSections &sections)
{
    PatternRule.clear();
    const FileReadResult invalid = FileReadResult::invalid(patternFileInvalid);
    try {
        bool ruleFound = false;
        for (const QString &line : lines) {
            const QStringView trimmed = trimBlanks(line);
            if (trimmed.isEmpty() || trimmed.startsWith(u';'))
                continue;
            PatternRule = trimmed.toString().split(u' ', Qt::KeepEmptyParts);
            ruleFound = true;
            break;
        }
        if (!ruleFound)
            return invalid;

        const qint32 highest = HighestSection(PatternRule);
        sections.reset(highest);
        qint64 current = -1;
        for (const QString &line : lines) {
            if (line.startsWith(u';'))
                continue;
            if (isNext(line)) {
                if (current >= highest)
                    break;
                ++current;
                sections.openSection();
            } else if (current >= 0) {
                sections.addEntry(line);
            }
        }
        if (current < 0)
            return invalid;
    } catch (const VarnockError &) {
        return invalid; // a section number beyond the 32-bit range
    } catch (const std::bad_alloc &) {
        return invalid;
    }
    return FileReadResult::ok();
}

FileReadResult LoadPatternFile(const QString &path, QStringList &PatternRule, PatternSections &sections)
{
    QStringList lines;
    if (!readTextFileLines(path, lines)) {
        PatternRule.clear();
        return FileReadResult::invalid(patternFileInvalid);
    }
    return parsePatternLines(lines, PatternRule, sections);
}

namespace {

// One alternative of a rule position, resolved once before the run.
struct Piece {
    bool blank = true;       // adds nothing and draws nothing
    const QStringList *entries = nullptr; // null: names no section, gives ""
};

struct Position {
    std::vector<Piece> alternatives; // one element when the token has none
    bool drawAlternative = false;
};

Piece resolvePiece(QStringView text, const PatternSections &sections)
{
    Piece piece;
    if (trimBlanks(text).isEmpty())
        return piece;
    piece.blank = false;
    double value = 0;
    try {
        value = leadingNumber(text);
    } catch (const VarnockError &) {
        return piece; // too big for any section
    }
    const double s = std::nearbyint(value); // ties to even
    if (s >= 0 && s < double(sections.reached()) && sections.count(qint64(s)) > 0)
        piece.entries = &sections.entries(qsizetype(s));
    return piece;
}

} // namespace

void GenerateFromPattern(qint64 NoOfNames, WordArray &WordArray, const QStringList &PatternRule,
                         const PatternSections &sections, RandomSource &random,
                         const GenerationHooks &hooks)
{
    if (NoOfNames < 0)
        throw VarnockError(ErrorNumber::SubscriptOutOfRange);
    try {
        std::vector<Position> positions;
        positions.reserve(std::size_t(PatternRule.size()));
        for (const QString &token : PatternRule) {
            Position pos;
            if (hasAlternatives(token)) {
                pos.drawAlternative = true;
                for (QStringView part : QStringView(token).split(u'|'))
                    pos.alternatives.push_back(resolvePiece(part, sections));
            } else {
                pos.alternatives.push_back(resolvePiece(token, sections));
            }
            positions.push_back(std::move(pos));
        }

        WordArray.clear();
        WordArray.resize(NoOfNames + 1);
        ProgressTracker tracker(NoOfNames);
        const QString caption = QStringLiteral("Generating...");
        QString word;
        for (qint64 i = 1; i <= NoOfNames; ++i) {
            word.clear();
            for (const Position &pos : positions) {
                const Piece *piece = &pos.alternatives.front();
                if (pos.drawAlternative)
                    piece = &pos.alternatives[std::size_t(pickIndex(random.next(), int(pos.alternatives.size())))];
                if (piece->blank)
                    continue;
                const float r = random.next();
                if (piece->entries)
                    word += (*piece->entries)[pickIndex(r, int(piece->entries->size()))];
            }
            WordArray[i] = word;
            properCaseInPlace(WordArray[i].data(), WordArray[i].size());
            tracker.step(i, [&](float fraction) {
                if (hooks.progress)
                    hooks.progress(fraction, caption);
            });
        }
    } catch (const std::bad_alloc &) {
        throw VarnockError(ErrorNumber::OutOfMemory);
    }
}
