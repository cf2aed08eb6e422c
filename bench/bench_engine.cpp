// Engine timings. Run: build/default/bench/bench_engine
#include "engine/GenerateNames.h"
#include "wordlist/WordSort.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int RunLength = 30000;

// ns per word of GenerateNames for the filter of "Marion", groups on.
void generateNames(benchmark::State &state, bool reality)
{
    XoshiroRandom random(1);
    WordArray words;
    const QString filter = QStringLiteral("cvcvvc");
    const GenerationOptions options{.realityMode = reality, .diphthongs = true, .fastMode = true};
    for (auto _ : state) {
        GenerateNames(filter, RunLength, words, false, random, options);
        benchmark::DoNotOptimize(words.data());
    }
    state.counters["ns_per_word"] = benchmark::Counter(double(state.iterations()) * RunLength,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
void BM_GenerateNamesPlain(benchmark::State &state) { generateNames(state, false); }
void BM_GenerateNamesReality(benchmark::State &state) { generateNames(state, true); }

// The same run with the progress hook the window installs, which draws at
// most 100 times.
void BM_GenerateNamesWithProgress(benchmark::State &state)
{
    XoshiroRandom random(1);
    WordArray words;
    GenerationHooks hooks;
    int draws = 0;
    hooks.progress = [&](float, const QString &) { ++draws; };
    for (auto _ : state)
        GenerateNames(QStringLiteral("cvcvvc"), RunLength, words, false, random, {}, hooks);
    benchmark::DoNotOptimize(draws);
    state.SetItemsProcessed(state.iterations() * RunLength);
}

// Shaker then KillDupes over one run of 30000 generated words.
void BM_ShakerKillDupes(benchmark::State &state)
{
    XoshiroRandom random(1);
    WordArray generated;
    GenerateNames(QStringLiteral("cvcvvc"), RunLength, generated, false, random, {});
    WordArray words;
    for (auto _ : state) {
        // The copy, and freeing the previous one, stay outside the timing.
        state.PauseTiming();
        words = generated;
        words.detach();
        state.ResumeTiming();
        Shaker(words);
        KillDupes(words);
        benchmark::DoNotOptimize(words.data());
    }
}

} // namespace

BENCHMARK(BM_GenerateNamesPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateNamesReality)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateNamesWithProgress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShakerKillDupes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
