#include "sources/RulesFile.h"

#include "engine/CaseShaping.h"
#include "engine/VarnockError.h"

#include <new>

FileReadResult parseRulesLines(const QStringList &lines, RuleLists &lists)
{
    lists.reset();
    const FileReadResult invalid = FileReadResult::invalid(rulesFileInvalid);
    // The tags in file order; the list each section fills is the one before its closing tag.
    static const char16_t *const tags[] = {u"[START]", u"[MIDDLE]", u"[END]", u"[STOP]"};
    QStringList *const targets[] = {nullptr, &lists.RuleStarts, &lists.RuleMiddles, &lists.RuleEnds};
    int stage = 0; // index of the tag that closes the current part
    qsizetype entries = 0;
    try {
        for (const QString &line : lines) {
            if (line.toUpper() == QStringView(tags[stage])) {
                if (++stage == 4)
                    return FileReadResult::ok();
                entries = 0;
                continue;
            }
            QStringList *target = targets[stage];
            if (!target)
                continue; // preamble
            if (entries == maxRulesSectionEntries) {
                lists.reset();
                return invalid;
            }
            if (entries == 0)
                (*target)[0] = line;
            else
                target->append(line);
            ++entries;
            if (target == &lists.RuleEnds)
                lists.endingRead = true;
        }
    } catch (const std::bad_alloc &) {
        lists.reset();
    }
    return invalid;
}

FileReadResult LoadRulesFile(const QString &path, RuleLists &lists)
{
    QStringList lines;
    if (!readTextFileLines(path, lines)) {
        lists.reset();
        return FileReadResult::invalid(rulesFileInvalid);
    }
    return parseRulesLines(lines, lists);
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
            word.reserve(a.size() + b.size() + c.size());
            word += a;
            word += b;
            word += c;
            properCaseInPlace(word.data(), word.size());
            tracker.step(i, [&](float fraction) {
                if (hooks.progress)
                    hooks.progress(fraction, caption);
            });
        }
    } catch (const std::bad_alloc &) {
        throw VarnockError(ErrorNumber::OutOfMemory);
    }
}
