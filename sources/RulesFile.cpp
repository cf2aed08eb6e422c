#include "sources/RulesFile.h"

#include "engine/CaseShaping.h"
#include "engine/VarnockError.h"

#include <QStringBuilder>
#include <functional>
#include <new>

namespace {

// Reads a rules file one line at a time into the lists.
class RulesLineParser {
public:
    explicit RulesLineParser(RuleLists &lists) : lists_(lists) { lists_.reset(); }

    // False once reading ends: at "[STOP]", or at a section too long for
    // the counters, which empties the lists.
    bool line(QStringView line)
    {
        // The tags in file order; the list each section fills is the one before its closing tag.
        static const char16_t *const tags[] = {u"[START]", u"[MIDDLE]", u"[END]", u"[STOP]"};
        QStringList *const targets[] = {nullptr, &lists_.RuleStarts, &lists_.RuleMiddles, &lists_.RuleEnds};
        if (line.toString().toUpper() == QStringView(tags[stage_])) {
            entries_ = 0;
            return ++stage_ < 4;
        }
        QStringList *target = targets[stage_];
        if (!target)
            return true; // preamble
        if (entries_ == maxRulesSectionEntries) {
            lists_.reset(); // and the read stops short of [STOP]: invalid
            return false;
        }
        if (entries_ == 0)
            (*target)[0] = line.toString();
        else
            target->append(line.toString());
        ++entries_;
        if (target == &lists_.RuleEnds)
            lists_.endingRead = true;
        return true;
    }
    bool valid() const { return stage_ == 4; }

private:
    RuleLists &lists_;
    int stage_ = 0; // index of the tag that closes the current part
    qsizetype entries_ = 0;
};

FileReadResult readRules(const LineFeed &feed, RuleLists &lists)
{
    try {
        RulesLineParser parser(lists);
        if (!feed([&parser](QStringView line) { return parser.line(line); }))
            lists.reset(); // a read error part-way keeps nothing half-read
        else if (parser.valid())
            return FileReadResult::ok();
    } catch (const std::bad_alloc &) {
        lists.reset();
    }
    return FileReadResult::invalid(rulesFileInvalid);
}

} // namespace

FileReadResult parseRulesLines(const QStringList &lines, RuleLists &lists)
{
    return readRules(memoryLines(lines), lists);
}

FileReadResult parseRulesFeed(const LineFeed &lines, RuleLists &lists)
{
    return readRules(lines, lists);
}

FileReadResult LoadRulesFile(const QString &path, RuleLists &lists)
{
    return readRules(fileLines(path), lists);
}

void GenerateFromRules(qint64 NoOfNames, WordArray &WordArray, const RuleLists &lists,
                       RandomSource &random, const GenerationHooks &hooks)
{
    if (NoOfNames < 0)
        throw VarnockError(ErrorNumber::SubscriptOutOfRange);
    static const QString none;
    auto pick = [&random](const QStringList &list) -> const QString & {
        const float r = random.next();
        return list.isEmpty() ? none : list[pickIndex(r, int(list.size()))];
    };
    try {
        WordArray.clear();
        WordArray.resize(NoOfNames + 1);
        ProgressTracker tracker(NoOfNames);
        const QString caption = QStringLiteral("Generating...");
        for (qint64 i = 1; i <= NoOfNames; ++i) {
            const QString &a = pick(lists.RuleStarts);
            const QString &b = pick(lists.RuleMiddles);
            const QString &c = pick(lists.RuleEnds);
            QString &word = WordArray[i];
            word = a % b % c; // one allocation a word
            properCaseInPlace(word.data(), word.size());
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
