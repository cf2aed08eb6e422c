// Pattern and rules file timings. Run: build/default/bench/bench_sources
#include "sources/PatternFile.h"
#include "sources/RulesFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int RunLength = 30000;

QStringList numbered(const char *stem, int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QLatin1String(stem) + QString::number(i);
    return lines;
}

// A pattern file of four sections of 2000 entries each, rule "0 1|3 2".
QStringList patternLines()
{
    QStringList lines{"; benchmark", "0 1|3 2"};
    for (int s = 0; s < 4; ++s)
        lines << "[next]" << numbered("p", 2000);
    return lines;
}

QStringList rulesLines(int perSection)
{
    return QStringList{"[START]"} + numbered("ka", perSection) + QStringList{"[MIDDLE]"} + numbered("ra", perSection)
         + QStringList{"[END]"} + numbered("dor", perSection) + QStringList{"[STOP]"};
}

// Reading a file of 8000 entries from disk, decoding included.
void BM_LoadPatternFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.vnk");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(patternLines().join("\r\n").toUtf8() + "\r\n");
    file.close();
    QStringList rule;
    PatternSections sections;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadPatternFile(path, rule, sections).valid);
    state.SetItemsProcessed(state.iterations() * 8000);
}

void BM_GenerateFromPattern(benchmark::State &state)
{
    QStringList rule;
    PatternSections sections;
    parsePatternLines(patternLines(), rule, sections);
    XoshiroRandom random(1);
    WordArray words;
    for (auto _ : state)
        GenerateFromPattern(RunLength, words, rule, sections, random);
    state.SetItemsProcessed(state.iterations() * RunLength);
}

void BM_ParseRules(benchmark::State &state)
{
    const QStringList lines = rulesLines(10000);
    RuleLists lists;
    for (auto _ : state)
        benchmark::DoNotOptimize(parseRulesLines(lines, lists).valid);
    state.SetItemsProcessed(state.iterations() * 30000);
}

void BM_GenerateFromRules(benchmark::State &state)
{
    RuleLists lists;
    parseRulesLines(rulesLines(1000), lists);
    XoshiroRandom random(1);
    WordArray words;
    for (auto _ : state)
        GenerateFromRules(RunLength, words, lists, random);
    state.SetItemsProcessed(state.iterations() * RunLength);
}

} // namespace

BENCHMARK(BM_LoadPatternFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateFromPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseRules)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateFromRules)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
