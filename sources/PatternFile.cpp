#include "sources/PatternFile.h"

#include "engine/CaseShaping.h"
#include "engine/NumberText.h"
#include "engine/VarnockError.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
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

bool isNext(QStringView line) { return line.compare(u"[next]", Qt::CaseInsensitive) == 0; }

// Reads a pattern file one line at a time: the rule is the first line that
// is neither blank nor a comment, and every "[next]" from there on (the rule
// line included) opens the next section, up to the highest one the rule names.
class PatternLineParser {
public:
    PatternLineParser(QStringList &rule, PatternSections &sections) : rule_(rule), sections_(sections) {}

    // False once the rest of the file cannot matter.
    bool line(QStringView line)
    {
        if (!ruleFound_) {
            const QStringView trimmed = trimBlanks(line);
            if (trimmed.isEmpty() || trimmed.startsWith(u';'))
                return true;
            rule_ = trimmed.toString().split(u' ', Qt::KeepEmptyParts);
            ruleFound_ = true;
            highest_ = HighestSection(rule_); // throws for a number beyond 32 bits
            sections_.reset(highest_);
        }
        if (line.startsWith(u';'))
            return true;
        if (isNext(line)) {
            if (current_ >= highest_)
                return false;
            ++current_;
            sections_.openSection();
        } else if (current_ >= 0) {
            sections_.addEntry(line);
        }
        return true;
    }
    bool valid() const { return current_ >= 0; }

private:
    QStringList &rule_;
    PatternSections &sections_;
    bool ruleFound_ = false;
    qint32 highest_ = 0;
    qint64 current_ = -1;
};

// Runs the parser over the lines feed hands it; feed returns false when the
// file could not be read.
FileReadResult readPattern(const LineFeed &feed,
                           QStringList &PatternRule, PatternSections &sections)
{
    PatternRule.clear();
    const FileReadResult invalid = FileReadResult::invalid(patternFileInvalid);
    try {
        PatternLineParser parser(PatternRule, sections);
        if (feed([&parser](QStringView line) { return parser.line(line); }))
            return parser.valid() ? FileReadResult::ok() : invalid;
    } catch (const VarnockError &) {
        return invalid; // a section number beyond the 32-bit range
    } catch (const std::bad_alloc &) {
    }
    PatternRule.clear(); // a read cut short keeps no rule
    return invalid;
}

} // namespace

void SectionEntries::append(QStringView entry)
{
    if (entry.size() > std::numeric_limits<qint32>::max() - text_.size())
        throw std::bad_alloc();
    text_ += entry;
    ends_.push_back(qint32(text_.size()));
}

void PatternSections::reset(qint32 highest)
{
    highest_ = std::max<qint32>(highest, 0);
    sections_.clear();
}

qsizetype PatternSections::maxCount() const
{
    qsizetype most = 0;
    for (const SectionEntries &s : sections_)
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
    const SectionEntries &entries = sections_[std::size_t(section)];
    if (k == 0)
        return QString::number(entries.size());
    if (k < 1 || k > entries.size())
        return QString();
    return entries[k - 1].toString();
}

qint32 HighestSection(const QStringList &tokens)
{
    qint32 highest = 0;
    auto consider = [&highest](QStringView text) { // below 0 a number names no section
        highest = std::max(highest, roundToInt32(std::max(leadingNumber(text), 0.0)));
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
    return readPattern(memoryLines(lines), PatternRule, sections);
}

FileReadResult parsePatternFeed(const LineFeed &lines, QStringList &PatternRule, PatternSections &sections)
{
    return readPattern(lines, PatternRule, sections);
}

FileReadResult LoadPatternFile(const QString &path, QStringList &PatternRule, PatternSections &sections)
{
    return readPattern(fileLines(path), PatternRule, sections);
}

namespace {

// One alternative of a rule position, resolved once before the run.
struct Piece {
    bool blank = true;       // adds nothing and draws nothing
    const SectionEntries *entries = nullptr; // null: names no section, gives ""
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
    const double s = std::nearbyint(leadingNumber(text)); // ties to even; infinities name no section
    if (s >= 0 && s < double(sections.reached()) && sections.count(qint64(s)) > 0)
        piece.entries = &sections.entries(qsizetype(s));
    return piece;
}

// The rule's positions with their sections looked up once for the run.
std::vector<Position> resolveRule(const QStringList &PatternRule, const PatternSections &sections)
{
    std::vector<Position> positions;
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
    return positions;
}

// One word, before case: per position the alternative's draw, then the entry's.
void buildPatternWord(const std::vector<Position> &positions, RandomSource &random, QString &word)
{
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
}

} // namespace

void GenerateFromPattern(qint64 NoOfNames, WordArray &WordArray, const QStringList &PatternRule,
                         const PatternSections &sections, RandomSource &random,
                         const GenerationHooks &hooks)
{
    if (NoOfNames < 0)
        throw VarnockError(ErrorNumber::SubscriptOutOfRange);
    try {
        const std::vector<Position> positions = resolveRule(PatternRule, sections);
        WordArray.clear();
        WordArray.resize(NoOfNames + 1);
        ProgressTracker tracker(NoOfNames);
        const QString caption = QStringLiteral("Generating...");
        for (qint64 i = 1; i <= NoOfNames; ++i) {
            buildPatternWord(positions, random, WordArray[i]);
            properCaseInPlace(WordArray[i].data(), WordArray[i].size());
            tracker.step(i, [&](float fraction) {
                if (hooks.progress)
                    hooks.progress(fraction, caption);
            });
        }
    } catch (const std::bad_alloc &) {
        WordArray = QStringList{QString()}; // the words made so far go, so that the report has memory to use
        throw VarnockError(ErrorNumber::OutOfMemory);
    }
}
