#include "engine/GenerateNames.h"

#include "engine/VarnockError.h"

#include <new>

WordBuilder::WordBuilder(QStringView filter, const GenerationOptions &options)
    : length_(filter.size())
    , diphthongs_(options.diphthongs)
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
            elements_.push_back({Kind::VowelGroup});
            pos += 2;
        } else if (two == u"cc") {
            elements_.push_back({Kind::ConsonantGroup});
            pos += 2;
        } else {
            if (c == u'v')
                elements_.push_back({Kind::Vowel});
            else if (c == u'c')
                elements_.push_back({Kind::Consonant});
            else if (c == u'?')
                elements_.push_back({Kind::AnyLetter});
            else
                elements_.push_back({Kind::Literal, c});
            pos += 1;
        }
    }
}

QString GenerateNames(const QString &Filter, qint64 NoOfNames, WordArray &GeneratedNames,
                      bool CaseMatters, RandomSource &random, const GenerationOptions &options,
                      const GenerationHooks &hooks)
{
    if (NoOfNames < 0)
        throw VarnockError(ErrorNumber::SubscriptOutOfRange);
    if (NoOfNames == 0)
        return QString();

    const WordBuilder builder(Filter, options);
    try {
        GeneratedNames = WordArray(NoOfNames + 1);
        QString *words = GeneratedNames.data();
        auto slot = [words, length = builder.length()](qint64 i) {
            words[i] = QString(length, Qt::Uninitialized);
            return words[i].data();
        };
        if (auto *fast = dynamic_cast<XoshiroRandom *>(&random))
            generateWords(builder, NoOfNames, CaseMatters, *fast, options, hooks, slot);
        else
            generateWords(builder, NoOfNames, CaseMatters, random, options, hooks, slot);
    } catch (const std::bad_alloc &) {
        // Reached on real memory exhaustion only, which no test can bring about safely.
        GeneratedNames = WordArray{QString()};
        throw VarnockError(ErrorNumber::OutOfMemory);
    }
    return GeneratedNames[1];
}
