#include "engine/GenerateNames.h"

#include "engine/CaseShaping.h"
#include "engine/VarnockError.h"

#include <new>

WordBuilder::WordBuilder(QStringView filter, const GenerationOptions &options)
    : diphthongs_(options.diphthongs)
{
    using namespace LetterTables;
    vowels_ = options.realityMode ? WeightedVowels : Vowels;
    consonants_ = options.realityMode ? WeightedConsonants : Consonants;
    vowelPairs_ = options.realityMode ? WeightedVowelPairs : VowelPairs;
    consonantPairs_ = ConsonantPairs; // no weighted table of consonant groups

    // Two-character elements are tested first at every position.
    qsizetype pos = 0;
    while (pos < filter.size()) {
        const QStringView two = filter.mid(pos, 2);
        const char16_t c = filter[pos].unicode();
        if (two == u"vv") {
            elements_.push_back({Kind::VowelGroup, 0});
            pos += 2;
        } else if (two == u"cc") {
            elements_.push_back({Kind::ConsonantGroup, 0});
            pos += 2;
        } else {
            if (c == u'v')
                elements_.push_back({Kind::Vowel, 0});
            else if (c == u'c')
                elements_.push_back({Kind::Consonant, 0});
            else if (c == u'?')
                elements_.push_back({Kind::AnyLetter, 0});
            else
                elements_.push_back({Kind::Literal, c});
            pos += 1;
        }
    }
    length_ = filter.size();
}

namespace {
template <typename Random>
void generateAll(const WordBuilder &builder, qint64 count, WordArray &words, bool caseMatters,
                 Random &random, const GenerationOptions &options, const GenerationHooks &hooks)
{
    const qsizetype length = builder.length();
    const QString caption = QStringLiteral("Generating...");
    ProgressTracker progress(count);
    for (qint64 i = 1; i <= count; ++i) {
        QString w(length, Qt::Uninitialized);
        builder.build(random, w.data());
        if (caseMatters)
            w = CopyCase(std::move(w), hooks.caseSample ? hooks.caseSample() : QString());
        else
            properCaseInPlace(w.data(), length);
        words[i] = std::move(w);
        if (!options.fastMode && hooks.yield)
            hooks.yield();
        if (hooks.progress)
            progress.step(i, [&](float fraction) { hooks.progress(fraction, caption); });
    }
}
} // namespace

QString GenerateNames(const QString &Filter, qint64 NoOfNames, WordArray &GeneratedNames,
                      bool CaseMatters, RandomSource &random, const GenerationOptions &options,
                      const GenerationHooks &hooks)
{
    if (NoOfNames == 0)
        return QString();
    if (NoOfNames < 0)
        throw VarnockError(ErrorNumber::SubscriptOutOfRange);

    const WordBuilder builder(Filter, options);
    try {
        GeneratedNames = WordArray(NoOfNames + 1);
        if (auto *fast = dynamic_cast<XoshiroRandom *>(&random))
            generateAll(builder, NoOfNames, GeneratedNames, CaseMatters, *fast, options, hooks);
        else
            generateAll(builder, NoOfNames, GeneratedNames, CaseMatters, random, options, hooks);
    } catch (const std::bad_alloc &) {
        GeneratedNames = WordArray(1);
        throw VarnockError(ErrorNumber::OutOfMemory);
    }
    return GeneratedNames[1];
}
