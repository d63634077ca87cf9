// The composer's candidate query: one page for a typed code, the way a key
// press asks for it, over the real Wubi 86 table; and building the index.
#include "BuiltTables.h"
#include "wubi/WubiComposer.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {
const WubiCodeIndex &index86()
{
    static const WubiCodeIndex index(BuiltTables().t86);
    return index;
}

// One page (and one more to know whether a next page follows), as the
// composer asks after each key.
void queryPages(benchmark::State &state, const QStringList &codes)
{
    const WubiCodeIndex &index = index86();
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(index.candidates(codes[i++ % codes.size()], 0, WubiComposer::kPageSize + 1));
}
} // namespace

static void BM_CandidatesOneKey(benchmark::State &state)
{
    queryPages(state, {QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("y")});
}
BENCHMARK(BM_CandidatesOneKey)->Unit(benchmark::kNanosecond);

static void BM_CandidatesTwoToFourKeys(benchmark::State &state)
{
    queryPages(state, {QStringLiteral("wq"), QStringLiteral("lgy"), QStringLiteral("trnt"), QStringLiteral("xciy")});
}
BENCHMARK(BM_CandidatesTwoToFourKeys)->Unit(benchmark::kNanosecond);

static void BM_CandidatesWildcard(benchmark::State &state)
{
    // The hardest: z first (every branch), and rare matches after it.
    queryPages(state, {QStringLiteral("z"), QStringLiteral("zzzz"), QStringLiteral("zzyy"), QStringLiteral("xcz"),
                       QStringLiteral("zgy")});
}
BENCHMARK(BM_CandidatesWildcard)->Unit(benchmark::kNanosecond);

static void BM_ComposerTypesAFullCode(benchmark::State &state)
{
    WubiComposer composer(&index86());
    const QString keys = QStringLiteral("trnt ");
    for (auto _ : state) {
        for (QChar c : keys)
            benchmark::DoNotOptimize(composer.press(ComposerKey::typed(c)));
    }
}
BENCHMARK(BM_ComposerTypesAFullCode)->Unit(benchmark::kNanosecond);

static void BM_BuildIndex86(benchmark::State &state)
{
    const CodeTable &table = BuiltTables().t86;
    for (auto _ : state) {
        WubiCodeIndex index(table);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_BuildIndex86)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
