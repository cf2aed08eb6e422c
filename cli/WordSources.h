#pragma once

#include "engine/RandomSource.h"
#include "engine/WordArray.h"
#include "engine/WordSpace.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <span>

// The words of a run as the runs that pick among them see it: generate
// fills words[1..count] exactly as the ordinary run would, and space holds
// every word the run can make (shaped as generate shapes them).
struct WordStream {
    std::function<void(qint64 count, WordArray &words, RandomSource &random)> generate;
    WordSpace space;
    bool givesWords = true; // false: the run makes no word at all
};

// A source opened from its file: the stream, the lines worth telling the
// user (each "FILE: line N: ..."), and a refusal when the file is unusable.
// A refused source may still give words (a rules file cut short in its end
// section), as the window lists them.
struct OpenedSource {
    WordStream stream;
    QStringList problems;
    QString refusal; // empty when the file was read
};

// Word sources other than the sample. Each one adds a long option that takes
// a FILE (e.g. "--pattern FILE"); when it is given, SAMPLE is not needed and
// the source's words are sorted, thinned and written like any other run.
struct WordSource {
    const char *option;    // long option name without the dashes
    const char *valueName; // shown in the usage text, e.g. "FILE"
    const char *help;      // one line for the usage text
    OpenedSource (*open)(const QString &path);
};

// The table of registered sources (WordSources.cpp).
std::span<const WordSource> wordSources();
const WordSource *findWordSource(const QString &option);
// The source for a file named without its option: rules for .nam and .txt,
// a pattern file otherwise.
const WordSource &wordSourceForFile(const QString &path);
