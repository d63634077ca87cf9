// Loading the code tables and looking words up, indexed and by plain scan.
#include "BuiltTables.h"
#include "support/TableScan.h"
#include "data/Scramble.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {
// Common characters, a phrase, a late full-code entry and a miss.
const QStringList &sampleWords()
{
    static const QStringList words{QStringLiteral("我"), QStringLiteral("的"), QStringLiteral("经"),
                                   QStringLiteral("中华人民共和国"), QStringLiteral("龜"),
                                   QStringLiteral("不存在的词语")};
    return words;
}
} // namespace

static void BM_LoadBothTables(benchmark::State &state)
{
    for (auto _ : state) {
        CodeTables tables;
        benchmark::DoNotOptimize(LoadCodeTables(QStringLiteral(QUORVEL_DATA_ROOT), true, true, tables));
        benchmark::DoNotOptimize(tables.t86.isEmpty());
    }
}
BENCHMARK(BM_LoadBothTables)->Unit(benchmark::kMillisecond);

static void BM_UnscrambleTable86(benchmark::State &state)
{
    const QByteArray bytes = ReadWholeFile(QStringLiteral(QUORVEL_DATA_ROOT "/data/zb86.dz"));
    for (auto _ : state)
        benchmark::DoNotOptimize(UnscrambleBytes(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_UnscrambleTable86)->Unit(benchmark::kMillisecond);

static void BM_LookUpIndexed(benchmark::State &state)
{
    const CodeTable &table = BuiltTables().t86;
    const QStringList &words = sampleWords();
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.codeOf(words[i++ % words.size()]));
}
BENCHMARK(BM_LookUpIndexed)->Unit(benchmark::kNanosecond);

static void BM_LookUpLinear(benchmark::State &state)
{
    const CodeTable &table = BuiltTables().t86;
    const QStringList &words = sampleWords();
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanCodeOf(table, words[i++ % words.size()]));
}
BENCHMARK(BM_LookUpLinear)->Unit(benchmark::kMicrosecond);

static void BM_EntryPrefixIndexed(benchmark::State &state)
{
    const CodeTable &table = BuiltTables().t86;
    const QStringList prefixes{QStringLiteral("中华"), QStringLiteral("我们"), QStringLiteral("不存")};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.isEntryPrefix(prefixes[i++ % prefixes.size()]));
}
BENCHMARK(BM_EntryPrefixIndexed)->Unit(benchmark::kNanosecond);

static void BM_EntryPrefixLinear(benchmark::State &state)
{
    const CodeTable &table = BuiltTables().t86;
    const QStringList prefixes{QStringLiteral("中华"), QStringLiteral("我们"), QStringLiteral("不存")};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanEntryPrefix(table, prefixes[i++ % prefixes.size()]));
}
BENCHMARK(BM_EntryPrefixLinear)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
