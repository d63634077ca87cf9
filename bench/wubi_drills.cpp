// Drill pages and hint lookups as the learner triggers them: each must stay
// well under a millisecond.
#include "data/Random.h"
#include "wubi/HintLookup.h"
#include "wubi/Wubi.h"

#include <benchmark/benchmark.h>

namespace {
PracticeState &tablesState()
{
    static PracticeState state;
    static const bool loaded = LoadCodeTables(QStringLiteral(QUORVEL_DATA_ROOT), true, true, state.tables).isEmpty();
    if (!loaded)
        std::abort();
    return state;
}

// A page under a budget that never runs out.
void resetBudget(PracticeState &state)
{
    state.charBudget = 1 << 30;
    state.charsGenerated = 0;
}

void BM_ShortCodePage(benchmark::State &bench)
{
    PracticeState &state = tablesState();
    const QString pool = wubi::ShortCodePool(state.tables, {false, false, false, true, false});
    SeededRandom random(1);
    for (auto _ : bench) {
        resetBudget(state);
        benchmark::DoNotOptimize(wubi::CharacterDrillText(state, pool, 30, 4, random));
    }
}
BENCHMARK(BM_ShortCodePage)->Unit(benchmark::kMicrosecond);

void BM_PhrasePage(benchmark::State &bench)
{
    PracticeState &state = tablesState();
    const int length = int(bench.range(0));
    const QString pool = wubi::PhrasePool(state.tables, length, true);
    SeededRandom random(2);
    for (auto _ : bench) {
        resetBudget(state);
        benchmark::DoNotOptimize(wubi::PhraseDrillText(state, pool, length, random));
    }
}
BENCHMARK(BM_PhrasePage)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_LongPhrasePage(benchmark::State &bench)
{
    PracticeState &state = tablesState();
    const bool edition86 = bench.range(0) == 86;
    SeededRandom random(3);
    resetBudget(state);
    wubi::LongPhraseDrillText(state, edition86, random); // positions of the long words are kept after this
    for (auto _ : bench) {
        resetBudget(state);
        benchmark::DoNotOptimize(wubi::LongPhraseDrillText(state, edition86, random));
    }
}
BENCHMARK(BM_LongPhrasePage)->Arg(86)->Arg(98)->Unit(benchmark::kMicrosecond);

void BM_LettersPage(benchmark::State &bench)
{
    PracticeState &state = tablesState();
    const QString pool = QStringLiteral("qazwsxedcrfvtgbp;/ol.ik,yhnujmqwertasdfgzxcvbyuiophjkl;nm,./");
    SeededRandom random(4);
    for (auto _ : bench) {
        resetBudget(state);
        benchmark::DoNotOptimize(wubi::CharacterDrillText(state, pool, 60, 4, random));
    }
}
BENCHMARK(BM_LettersPage)->Unit(benchmark::kMicrosecond);

// Pools are built once per drill command.
void BM_PoolBuild(benchmark::State &bench)
{
    PracticeState &state = tablesState();
    for (auto _ : bench) {
        benchmark::DoNotOptimize(wubi::ShortCodePool(state.tables, {false, false, false, true, false}));
        benchmark::DoNotOptimize(wubi::PhrasePool(state.tables, 2, true));
    }
}
BENCHMARK(BM_PoolBuild)->Unit(benchmark::kMillisecond);

// F5 on every position of a 30-character line of a phrase drill.
void BM_HintOnLine(benchmark::State &bench)
{
    PracticeState &state = tablesState();
    resetBudget(state);
    SeededRandom random(5);
    const QString line = wubi::PhraseDrillText(state, wubi::PhrasePool(state.tables, 2, true), 2, random).left(30);
    int pos = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(wubi::FindHint(state, true, line, pos));
        pos = (pos + 1) % 30;
    }
}
BENCHMARK(BM_HintOnLine)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
