#include "cli/GenerateCommand.h"

#include "cli/WordSources.h"
#include "engine/CaseShaping.h"
#include "engine/Filterize.h"
#include "engine/GenerateNames.h"
#include "engine/VarnockError.h"
#include "wordlist/WordFile.h"
#include "wordlist/WordSort.h"

#include <QStringEncoder>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

namespace {

// Standard output could not take the words (closed pipe, full disk).
struct StreamError {
    int error;
};

// Where the lines of a run go. Blocks always end at a line end.
class WordSink {
public:
    virtual ~WordSink() = default;
    virtual QStringView lineEnd() const = 0;
    virtual void write(QStringView lines) = 0;
    virtual void finish() = 0;
};

class StreamSink final : public WordSink {
public:
    explicit StreamSink(std::FILE *stream) : stream_(stream) {}
    QStringView lineEnd() const override { return u"\n"; }
    void write(QStringView lines) override
    {
        const QByteArray bytes = encoder_.encode(lines);
        if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream_) != size_t(bytes.size()))
            throw StreamError{errno};
    }
    void finish() override
    {
        if (std::fflush(stream_) != 0 || std::ferror(stream_))
            throw StreamError{errno};
    }

private:
    std::FILE *stream_;
    QStringEncoder encoder_{QStringConverter::System};
};

class FileSink final : public WordSink {
public:
    explicit FileSink(const QString &path) : writer_(path) {}
    QStringView lineEnd() const override { return u"\r\n"; }
    void write(QStringView lines) override { writer_.writeLines(lines); }
    void finish() override { writer_.commit(); }

private:
    WordFileWriter writer_;
};

// Collects whole lines and hands them to the sink in blocks of about 64 KiB.
class LineWriter {
public:
    explicit LineWriter(WordSink &sink) : sink_(sink), end_(sink.lineEnd()) { buffer_.reserve(Block); }
    void line(QStringView word)
    {
        buffer_.insert(buffer_.end(), word.begin(), word.end());
        buffer_.insert(buffer_.end(), end_.begin(), end_.end());
        if (buffer_.size() >= Block)
            flush();
    }
    void flush()
    {
        if (!buffer_.empty())
            sink_.write(QStringView(buffer_.data(), qsizetype(buffer_.size())));
        buffer_.clear();
    }

private:
    static constexpr size_t Block = 1 << 15;
    WordSink &sink_;
    QStringView end_;
    std::vector<QChar> buffer_;
};

// Gives a raw word its case exactly as GenerateNames does: the sample's
// capitals under match case, proper case otherwise or when the lengths
// differ (a few letters grow when the filter is lower-cased).
struct CaseShaper {
    bool matchCase;
    QStringView sample;
    void operator()(QChar *word, qsizetype length) const
    {
        if (matchCase && sample.size() == length)
            copyCaseInPlace(word, sample);
        else
            properCaseInPlace(word, length);
    }
};

// Unsorted runs stream out block by block, so memory stays flat however
// many words are asked for.
void emitUnsorted(const WordBuilder &builder, qint64 count, XoshiroRandom &random,
                  const CaseShaper &shape, WordSink &sink)
{
    const qsizetype length = builder.length();
    const QStringView end = sink.lineEnd();
    const qsizetype stride = length + end.size();
    const qint64 perBlock = std::max<qint64>(1, (1 << 15) / stride);
    std::vector<QChar> block(size_t(perBlock * stride));
    for (qint64 done = 0; done < count;) {
        const qint64 n = std::min(perBlock, count - done);
        QChar *p = block.data();
        for (qint64 k = 0; k < n; ++k) {
            builder.build(random, p);
            shape(p, length);
            p = std::copy(end.begin(), end.end(), p + length);
        }
        sink.write(QStringView(block.data(), p - block.data()));
        done += n;
    }
}

// LSD radix sort of keys that use only their low totalBits bits.
void radixSort(std::vector<std::uint64_t> &keys, int totalBits)
{
    if (totalBits <= 0 || keys.size() < 2)
        return;
    const int passes = (totalBits + 11) / 12;
    const int digitBits = (totalBits + passes - 1) / passes;
    const std::uint64_t mask = (std::uint64_t(1) << digitBits) - 1;
    std::vector<std::uint64_t> scratch(keys.size());
    std::vector<size_t> counts(size_t(mask) + 1);
    for (int pass = 0; pass < passes; ++pass) {
        const int shift = pass * digitBits;
        std::fill(counts.begin(), counts.end(), 0);
        for (const std::uint64_t key : keys)
            ++counts[(key >> shift) & mask];
        size_t sum = 0;
        for (size_t &c : counts) {
            const size_t here = c;
            c = sum;
            sum += here;
        }
        for (const std::uint64_t key : keys)
            scratch[counts[(key >> shift) & mask]++] = key;
        keys.swap(scratch);
    }
}

// Sorted runs. Every word of one filter has the same length, so the words
// live in one flat buffer. When the characters in use are few enough, each
// word packs into a 64-bit key whose numeric order is the words' code-unit
// order; longer words sort by such a key of their leading units, then by
// the rest. Either way the lines are those of the word array after Shaker
// (and KillDupes).
void emitSorted(const WordBuilder &builder, qint64 count, XoshiroRandom &random,
                const CaseShaper &shape, bool unique, WordSink &sink)
{
    const qsizetype length = builder.length();
    if (count == 0)
        return;
    LineWriter out(sink);
    if (length == 0) {
        for (qint64 i = 0, n = unique ? std::min<qint64>(count, 1) : count; i < n; ++i)
            out.line(QStringView());
        out.flush();
        return;
    }

    std::vector<QChar> flat(size_t(count * length));
    for (qint64 i = 0; i < count; ++i) {
        QChar *word = flat.data() + i * length;
        builder.build(random, word);
        shape(word, length);
    }

    std::vector<std::uint8_t> used(0x10000);
    for (const QChar c : flat)
        used[c.unicode()] = 1;
    std::vector<char16_t> alphabet;
    std::vector<std::uint16_t> rank(0x10000);
    for (unsigned u = 0; u < 0x10000; ++u) {
        if (used[u]) {
            rank[u] = std::uint16_t(alphabet.size());
            alphabet.push_back(char16_t(u));
        }
    }
    const int bits = std::max(1, int(std::bit_width(alphabet.size() - 1)));

    if (bits * length <= 64) {
        std::vector<std::uint64_t> keys(static_cast<size_t>(count));
        const QChar *word = flat.data();
        for (qint64 i = 0; i < count; ++i, word += length) {
            std::uint64_t key = 0;
            for (qsizetype j = 0; j < length; ++j)
                key = (key << bits) | rank[word[j].unicode()];
            keys[size_t(i)] = key;
        }
        std::vector<QChar>().swap(flat); // the keys hold the words now
        radixSort(keys, int(bits * length));
        if (unique)
            keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        const std::uint64_t mask = (std::uint64_t(1) << bits) - 1;
        std::vector<QChar> text(static_cast<size_t>(length));
        for (std::uint64_t key : keys) {
            for (qsizetype j = length - 1; j >= 0; --j, key >>= bits)
                text[size_t(j)] = QChar(alphabet[key & mask]);
            out.line(QStringView(text.data(), length));
        }
    } else {
        // Too long for one key: the packed leading units decide most
        // comparisons, the remaining units the rest.
        const qsizetype head = 64 / bits;
        struct Entry {
            std::uint64_t key;
            std::uint32_t index;
        };
        std::vector<Entry> order(static_cast<size_t>(count));
        const QChar *word = flat.data();
        for (qint64 i = 0; i < count; ++i, word += length) {
            std::uint64_t key = 0;
            for (qsizetype j = 0; j < head; ++j)
                key = (key << bits) | rank[word[j].unicode()];
            order[size_t(i)] = {key, std::uint32_t(i)};
        }
        auto tail = [&](std::uint32_t i) {
            return std::u16string_view(reinterpret_cast<const char16_t *>(flat.data()) + size_t(i) * length + head,
                                       size_t(length - head));
        };
        std::sort(order.begin(), order.end(), [&](const Entry &a, const Entry &b) {
            return a.key != b.key ? a.key < b.key : tail(a.index) < tail(b.index);
        });
        if (unique)
            order.erase(std::unique(order.begin(), order.end(),
                                    [&](const Entry &a, const Entry &b) {
                                        return a.key == b.key && tail(a.index) == tail(b.index);
                                    }),
                        order.end());
        for (const Entry &e : order)
            out.line(QStringView(flat.data() + size_t(e.index) * length, length));
    }
    out.flush();
}

std::unique_ptr<WordSink> openSink(const GenerateArguments &arguments, std::FILE *out)
{
    if (arguments.outputPath.isEmpty())
        return std::make_unique<StreamSink>(out);
    return std::make_unique<FileSink>(arguments.outputPath);
}

void message(std::FILE *err, const QString &text)
{
    const QByteArray bytes = (QStringLiteral("varnock-cli: ") + text + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), err);
    std::fflush(err);
}

// Runs body and turns the failures of writing into messages and exit codes.
template <typename Body>
int guarded(const GenerateArguments &arguments, std::FILE *err, Body &&body)
{
    try {
        body();
        return ExitOk;
    } catch (const VarnockError &error) {
        if (!arguments.outputPath.isEmpty())
            message(err, QStringLiteral("cannot write '%1': %2").arg(arguments.outputPath, error.description()));
        else
            message(err, error.description());
    } catch (const StreamError &error) {
        message(err, QStringLiteral("cannot write to standard output: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(error.error))));
    } catch (const std::bad_alloc &) {
        message(err, VarnockError::standardDescription(ErrorNumber::OutOfMemory));
    }
    return ExitWriteFailed;
}

} // namespace

XoshiroRandom randomFor(const GenerateArguments &arguments)
{
    return arguments.seed ? XoshiroRandom(*arguments.seed) : XoshiroRandom::fromClock();
}

int writeWordArray(WordArray &words, const GenerateArguments &arguments, std::FILE *out, std::FILE *err)
{
    return guarded(arguments, err, [&] {
        if (arguments.sort) {
            Shaker(words);
            if (arguments.unique)
                KillDupes(words);
        }
        const std::unique_ptr<WordSink> sink = openSink(arguments, out);
        LineWriter lines(*sink);
        for (qsizetype i = 1; i < words.size(); ++i)
            lines.line(words[i]);
        lines.flush();
        sink->finish();
    });
}

int runGenerate(const GenerateArguments &arguments, std::FILE *out, std::FILE *err)
{
    XoshiroRandom random = randomFor(arguments);
    if (!arguments.sourceOption.isEmpty()) {
        const WordSource *source = findWordSource(arguments.sourceOption);
        WordArray words(1);
        QString problem;
        try {
            problem = source->generate(arguments, random, words);
        } catch (const VarnockError &error) {
            problem = error.description();
        } catch (const std::bad_alloc &) {
            message(err, VarnockError::standardDescription(ErrorNumber::OutOfMemory));
            return ExitWriteFailed;
        }
        if (!problem.isEmpty()) {
            // A refused input file is named with its option; the reader's
            // sentence says why. Words made all the same (a rules file cut
            // short in its end section) are still written, as the window lists them.
            message(err, QStringLiteral("--%1 '%2': %3").arg(arguments.sourceOption, arguments.sourceValue, problem));
            if (words.size() <= 1)
                return ExitInputRejected;
        }
        return writeWordArray(words, arguments, out, err);
    }

    const QString filter = filterFromSample(arguments.sample);
    const WordBuilder builder(filter, {.realityMode = arguments.realityMode,
                                       .diphthongs = arguments.diphthongs,
                                       .fastMode = true});
    const CaseShaper shape{arguments.matchCase, arguments.sample};
    return guarded(arguments, err, [&] {
        // Opened first, so an unwritable path fails before any work is done.
        const std::unique_ptr<WordSink> sink = openSink(arguments, out);
        if (arguments.sort)
            emitSorted(builder, arguments.count, random, shape, arguments.unique, *sink);
        else
            emitUnsorted(builder, arguments.count, random, shape, *sink);
        sink->finish();
    });
}

int generateMain(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const ParsedGenerate parsed = parseGenerateArguments(arguments);
    switch (parsed.action) {
    case ParsedGenerate::Action::Help: {
        const QByteArray text = generateUsage().toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()), out);
        return std::fflush(out) == 0 ? ExitOk : ExitWriteFailed;
    }
    case ParsedGenerate::Action::Version: {
        const QByteArray text = versionText().toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()), out);
        return std::fflush(out) == 0 ? ExitOk : ExitWriteFailed;
    }
    case ParsedGenerate::Action::Error:
        message(err, parsed.error + QStringLiteral("\nTry 'varnock-cli --help' for more information."));
        return ExitBadArguments;
    case ParsedGenerate::Action::Run:
        break;
    }
    return runGenerate(parsed.arguments, out, err);
}
