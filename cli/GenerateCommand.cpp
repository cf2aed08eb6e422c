#include "cli/GenerateCommand.h"

#include "cli/DrawnRun.h"
#include "cli/WordSources.h"
#include "engine/CaseShaping.h"
#include "engine/RandomFilter.h"
#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "engine/VarnockError.h"
#include "wordlist/FixedLengthSort.h"
#include "wordlist/WordFile.h"
#include "wordlist/WordSort.h"

#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <new>
#include <vector>

namespace {

// Standard output could not take the words (closed pipe, full disk).
struct StreamError {
    int error;
};

// Where the lines of a run go: a word file through WordFileWriter, or
// standard output with LF line ends. The file is opened at once, so an
// unwritable path fails before any work is done.
class WordSink {
public:
    WordSink(const QString &path, std::FILE *stream) : stream_(stream)
    {
        if (!path.isEmpty())
            file_.emplace(path);
    }
    QStringView lineEnd() const { return file_ ? u"\r\n" : u"\n"; }
    void writeLine(QStringView word)
    {
        if (file_)
            return file_->writeLine(word);
        put(word);
        put(u"\n");
    }
    // Whole lines, each already ended by lineEnd().
    void writeLines(QStringView lines) { file_ ? file_->writeLines(lines) : put(lines); }
    void finish()
    {
        if (file_)
            file_->commit();
        else if (!flushedWithoutError(stream_))
            throw StreamError{errno};
    }

private:
    // Encoded into one reused buffer: no allocation per block.
    void put(QStringView text)
    {
        bytes_.resize(size_t(std::max<qsizetype>(encoder_.requiredSpace(text.size()), qsizetype(bytes_.size()))));
        const size_t size = size_t(encoder_.appendToBuffer(bytes_.data(), text) - bytes_.data());
        if (std::fwrite(bytes_.data(), 1, size, stream_) != size)
            throw StreamError{errno};
    }
    std::optional<WordFileWriter> file_;
    std::FILE *stream_;
    QStringEncoder encoder_{QStringConverter::System};
    std::vector<char> bytes_;
};

// Lines are handed to the sink about this many units at a time (for speed
// and memory only: any size writes the same bytes).
constexpr qsizetype BlockUnits = 32768;

// How many lines of stride units make up a block: at least one.
qint64 linesPerBlock(qsizetype stride) { return std::max<qint64>(1, BlockUnits / stride); }

// count lines of length units each, their line ends already in place: a word
// built at the start of a line makes it complete.
std::vector<QChar> blankLines(qint64 count, qsizetype length, QStringView lineEnd)
{
    const qsizetype stride = length + lineEnd.size();
    std::vector<QChar> lines(size_t(count * stride));
    for (qint64 line = 1; line <= count; ++line)
        std::copy(lineEnd.begin(), lineEnd.end(), lines.data() + line * stride - lineEnd.size());
    return lines;
}

// One run from the sample, through the window's own generation loop.
struct SampleRun {
    const GenerateArguments &arguments;
    const WordBuilder builder;
    XoshiroRandom &random;
    GenerationHooks hooks;

    template <typename Slot>
    void generate(Slot &&slot) const
    {
        generateWords(builder, arguments.count, arguments.matchCase, random, {}, hooks, slot);
    }
};

// Unsorted runs stream out block by block, so memory stays flat however
// many words are asked for.
void writeUnsorted(const SampleRun &run, WordSink &sink)
{
    const qsizetype stride = run.builder.length() + sink.lineEnd().size();
    const qint64 perBlock = linesPerBlock(stride);
    std::vector<QChar> block = blankLines(std::min(perBlock, run.arguments.count), run.builder.length(),
                                          sink.lineEnd());
    qint64 filled = 0;
    run.generate([&](qint64 i) {
        filled = (i - 1) % perBlock; // word i's line in the block; a full block goes out first
        if (filled == 0 && i != 1)
            sink.writeLines(QStringView(block.data(), perBlock * stride));
        return block.data() + filled++ * stride;
    });
    sink.writeLines(QStringView(block.data(), filled * stride));
}

// Sorted runs: every word of one filter has the same length, so the whole run
// lives in one buffer of lines that is sorted and written as it is. The lines
// are those of the word array after Shaker (and KillDupes).
void writeSorted(const SampleRun &run, WordSink &sink)
{
    const qsizetype length = run.builder.length();
    const qsizetype stride = length + sink.lineEnd().size();
    std::vector<QChar> lines = blankLines(run.arguments.count, length, sink.lineEnd());
    run.generate([&](qint64 i) { return lines.data() + (i - 1) * stride; });
    sortFixedLengthLines(lines, length, sink.lineEnd(), run.arguments.unique);
    const qsizetype block = linesPerBlock(stride) * stride;
    for (QStringView rest(lines.data(), qsizetype(lines.size())); !rest.isEmpty(); rest = rest.sliced(std::min(block, rest.size())))
        sink.writeLines(rest.first(std::min(block, rest.size())));
}

void message(std::FILE *err, const QString &text)
{
    std::fputs((QStringLiteral("varnock-cli: ") + text + u'\n').toLocal8Bit().constData(), err); // unbuffered
}

// Runs body and turns the failures of writing into messages and exit codes.
template <typename Body>
int guarded(const GenerateArguments &arguments, std::FILE *err, Body &&body)
{
    try {
        body();
        return ExitOk;
    } catch (const VarnockError &error) { // only the word file throws these
        message(err, QStringLiteral("cannot write '%1': %2").arg(arguments.outputPath, error.description()));
    } catch (const StreamError &error) {
        message(err, QStringLiteral("cannot write to standard output: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(error.error))));
    } catch (const std::bad_alloc &) {
        message(err, VarnockError::standardDescription(ErrorNumber::OutOfMemory));
    }
    return ExitWriteFailed;
}

} // namespace

void cliMessage(std::FILE *err, const QString &text)
{
    message(err, text);
}

int writeWordArray(WordArray &words, const GenerateArguments &arguments, std::FILE *out, std::FILE *err)
{
    return guarded(arguments, err, [&] {
        if (arguments.sort) {
            Shaker(words);
            if (arguments.unique)
                KillDupes(words);
        }
        WordSink sink(arguments.outputPath, out);
        for (qsizetype i = 1; i < words.size(); ++i)
            sink.writeLine(words[i]);
        sink.finish();
    });
}

namespace {

// Words from a word source's file, sorted and written like any other run.
int runWordSource(const GenerateArguments &arguments, XoshiroRandom &random, std::FILE *out, std::FILE *err)
{
    const OpenedSource source = findWordSource(arguments.sourceOption)->open(arguments.sourceValue);
    for (const QString &problem : source.problems)
        message(err, u"warning: "_qs + problem);
    if (!source.refusal.isEmpty()) {
        // Words made all the same (a rules file cut short in its end
        // section) are still written, as the window lists them.
        message(err, source.refusal);
        if (!source.stream.givesWords)
            return ExitInputRejected;
    }
    if (needsDrawing(arguments))
        return runDrawn(arguments, source.stream, random, out, err);
    WordArray words(1);
    try {
        if (source.stream.givesWords)
            source.stream.generate(arguments.count, words, random);
    } catch (const VarnockError &error) { // the generators report running out of memory so
        message(err, error.description());
        return ExitInputRejected;
    }
    return writeWordArray(words, arguments, out, err);
}

// The random sample must repeat under --seed, so the reseed from the clock
// that the window makes after the sample's length is left out; an unseeded
// run is seeded from the clock already.
class NoReseed final : public RandomSource {
public:
    explicit NoReseed(RandomSource &random) : random_(random) {}
    float next() override { return random_.next(); }
    void reseedFromClock() override {}

private:
    RandomSource &random_;
};

int runGenerate(const GenerateArguments &arguments, std::FILE *out, std::FILE *err)
{
    XoshiroRandom random = arguments.seed ? XoshiroRandom(*arguments.seed) : XoshiroRandom::fromClock();
    if (findWordSource(arguments.sourceOption))
        return runWordSource(arguments, random, out, err);

    // The text standing in the filter box: the sample, a raw filter (taken
    // as it is), or a random sample, which is named on standard error.
    QString sample = arguments.sourceOption.isEmpty() ? arguments.sample : arguments.sourceValue;
    if (arguments.sourceOption == u"random") {
        NoReseed steady(random);
        sample = RandomFilter(steady);
        message(err, QStringLiteral("random sample: %1").arg(sample));
    }
    const QString filter = arguments.sourceOption == u"filter" ? sample : filterFromSample(sample);
    const GenerationOptions options{.realityMode = arguments.realityMode, .diphthongs = arguments.diphthongs};
    GenerationHooks hooks;
    if (arguments.matchCase)
        hooks.caseSample = [sample] { return sample; };

    if (needsDrawing(arguments)) {
        WordStream stream;
        stream.space = WordSpace::ofFilter(filter, arguments.diphthongs);
        stream.space.setShape([sample, matchCase = arguments.matchCase](const QString &raw) {
            QString word = raw;
            shapeCaseInPlace(word.data(), word.size(), matchCase, sample);
            return word;
        });
        stream.generate = [&](qint64 count, WordArray &words, RandomSource &source) {
            GenerateNames(filter, count, words, arguments.matchCase, source, options, hooks);
        };
        return runDrawn(arguments, stream, random, out, err);
    }
    SampleRun run{arguments, WordBuilder(filter, options), random, hooks};
    return guarded(arguments, err, [&] {
        WordSink sink(arguments.outputPath, out);
        if (arguments.sort)
            writeSorted(run, sink);
        else
            writeUnsorted(run, sink);
        sink.finish();
    });
}

} // namespace

int generateMain(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const ParsedGenerate parsed = parseGenerateArguments(arguments);
    if (parsed.action == ParsedGenerate::Action::Error) {
        message(err, parsed.error + QStringLiteral("\nTry 'varnock-cli --help' for more information."));
        return ExitBadArguments;
    }
    if (parsed.action != ParsedGenerate::Action::Run) {
        const QByteArray text =
            (parsed.action == ParsedGenerate::Action::Help ? generateUsage() : versionText()).toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()), out);
        return finishOutput(out, err, u"varnock-cli"_qs);
    }
    return runGenerate(parsed.arguments, out, err);
}
