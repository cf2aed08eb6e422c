#pragma once

#include "engine/GenerateNames.h"
#include "engine/RandomSource.h"
#include "engine/WordArray.h"
#include "sources/TextFileReading.h"

#include <QString>
#include <QStringList>
#include <vector>

// The entries of one section, stored end to end in one string, so that a
// large file costs about what its text does rather than a string per entry.
class SectionEntries {
public:
    qsizetype size() const { return qsizetype(ends_.size()); }
    QStringView operator[](qsizetype k) const
    {
        const qsizetype begin = k == 0 ? 0 : ends_[std::size_t(k - 1)];
        return QStringView(text_).sliced(begin, ends_[std::size_t(k)] - begin);
    }
    // Throws std::bad_alloc past the 32-bit offsets.
    void append(QStringView entry);

private:
    QString text_;
    std::vector<qint32> ends_;
};

// The sections of a pattern file, seen as the table (section, k): column 0
// holds a section's entry count as text ("" for a section the file never
// reached), columns 1..count its entries, every other cell "". Only the
// sections actually read are stored, so a rule that names a huge section
// number costs nothing and no lookup can leave the table.
class PatternSections {
public:
    PatternSections() = default;

    // Sections 0..highest, none of them reached yet.
    void reset(qint32 highest);
    void clear() { reset(0); }

    qint32 highest() const { return highest_; }
    // Sections opened by "[next]" lines so far.
    qsizetype reached() const { return qsizetype(sections_.size()); }
    // The table's second upper bound: the largest entry count of any section.
    qsizetype maxCount() const;

    // Entry count of section s; 0 for a section never reached or outside the table.
    qsizetype count(qint64 section) const;
    // The cell (section, k) of the table; "" outside it.
    QString cell(qint64 section, qint64 k) const;
    const SectionEntries &entries(qsizetype section) const { return sections_[std::size_t(section)]; }

    // Reading: open the next section, append an entry to the last one opened.
    void openSection() { sections_.emplace_back(); }
    void addEntry(QStringView entry) { sections_.back().append(entry); }

private:
    qint32 highest_ = 0;
    std::vector<SectionEntries> sections_;
};

inline const QString patternFileInvalid = QStringLiteral("This file is not a valid Varnock file.");

// The highest section number named in the rule tokens, alternatives
// included, never below 0. Throws VarnockError Overflow for a number beyond
// the 32-bit range.
qint32 HighestSection(const QStringList &tokens);

// Reads a pattern file into its rule tokens and sections. PatternRule starts
// empty on every read. An unusable file (unreadable, no rule line, no
// "[next]" line, a section number beyond the 32-bit range) gives the fixed
// sentence; the tables then hold whatever the failed read left.
FileReadResult LoadPatternFile(const QString &path, QStringList &PatternRule, PatternSections &sections);
// The same over lines already read (used by the fuzzer and the tests).
FileReadResult parsePatternLines(const QStringList &lines, QStringList &PatternRule, PatternSections &sections);
// The same over any feed of lines.
FileReadResult parsePatternFeed(const LineFeed &lines, QStringList &PatternRule, PatternSections &sections);

// Fills WordArray with NoOfNames words at 1..NoOfNames, each the rule's
// pieces joined and put in proper case. Per word and position: the
// alternative's draw (tokens with "|" at their second character or later),
// then the entry's draw (unless the position is blank). A number that names
// no section (negative or beyond the table) adds the empty piece. A negative
// count throws VarnockError SubscriptOutOfRange; exhausted memory
// OutOfMemory. Progress goes to hooks.progress with "Generating...".
void GenerateFromPattern(qint64 NoOfNames, WordArray &WordArray, const QStringList &PatternRule,
                         const PatternSections &sections, RandomSource &random,
                         const GenerationHooks &hooks = {});
