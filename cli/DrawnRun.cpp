#include "cli/DrawnRun.h"

#include "cli/GenerateCommand.h"
#include "engine/DistinctWords.h"

#include <QRegularExpression>

namespace {

// Spaces of up to this many combinations are counted word by word when a
// count cannot be read off the pieces.
constexpr std::uint64_t PossibleListLimit = 1'000'000;

// Words one at a time from the stream's ordinary run, generated a block at a
// time: the words come in the order a longer ordinary run would give them.
class BlockDraw {
public:
    BlockDraw(const WordStream &stream, RandomSource &random) : stream_(stream), random_(random) {}
    QString operator()()
    {
        if (next_ >= words_.size()) {
            stream_.generate(BlockWords, words_, random_);
            next_ = 1;
        }
        return words_[next_++];
    }

private:
    static constexpr qint64 BlockWords = 4096;
    const WordStream &stream_;
    RandomSource &random_;
    WordArray words_;
    qsizetype next_{}; // past the empty block: the first call draws one
};

WordTest rejectTest(const QStringList &patterns)
{
    if (patterns.isEmpty())
        return {};
    std::vector<QRegularExpression> expressions;
    for (const QString &pattern : patterns)
        expressions.emplace_back(pattern);
    return [expressions](const QString &word) {
        return std::any_of(expressions.begin(), expressions.end(),
                           [&](const QRegularExpression &e) { return e.match(word).hasMatch(); });
    };
}

int printPossible(const WordStream &stream, const WordTest &rejected, std::FILE *out, std::FILE *err)
{
    writeText(out, possibleWordsText(stream, rejected) + u'\n');
    return finishOutput(out, err, u"varnock-cli"_qs);
}

} // namespace

QString possibleWordsText(const WordStream &stream, const WordTest &rejected)
{
    PossibleWords possible{BigCount(0), true};
    if (stream.givesWords)
        possible = countPossibleWords(stream.space, rejected, PossibleListLimit);
    return possible.count.toString() + (possible.exact ? u" (exact)"_qs : u" (upper bound)"_qs);
}

int runDrawn(const GenerateArguments &arguments, const WordStream &stream, RandomSource &random, std::FILE *out,
             std::FILE *err)
{
    const WordTest rejected = rejectTest(arguments.rejects);
    if (arguments.possible)
        return printPossible(stream, rejected, out, err);
    if (!stream.givesWords) {
        WordArray none(1);
        return writeWordArray(none, arguments, out, err);
    }

    BlockDraw draw(stream, random);
    WordArray words(1);
    bool gaveUp = false;
    if (arguments.distinct) {
        const DistinctWords found = collectDistinctWords(arguments.count, draw, stream.space, rejected, random);
        words.append(found.words.begin(), found.words.end());
        gaveUp = found.end == DistinctWords::End::GaveUp;
        if (found.end == DistinctWords::End::Exhausted)
            cliMessage(err, QStringLiteral("only %1 different words %2, fewer than the %3 asked for; all are written")
                                .arg(found.words.size())
                                .arg(rejected ? u"pass the --reject patterns"_qs : u"exist"_qs)
                                .arg(arguments.count));
    } else {
        words = collectAcceptedWords(arguments.count, draw, rejected, DistinctLimits{}.giveUpDraws, gaveUp);
    }
    if (gaveUp)
        cliMessage(err, QStringLiteral("gave up after %1 draws in a row %2; %3 of %4 words written")
                            .arg(DistinctLimits{}.giveUpDraws)
                            .arg(arguments.distinct ? u"without a new word"_qs
                                                    : u"that a --reject pattern all matched"_qs)
                            .arg(words.size() - 1)
                            .arg(arguments.count));
    if (gaveUp && words.size() <= 1)
        return ExitGaveUp; // nothing found: no empty file in place of the words
    const int written = writeWordArray(words, arguments, out, err);
    return written == ExitOk && gaveUp ? ExitGaveUp : written;
}
