// 理想码长: building the word costs from the Wubi 86 table (once per
// edition, when the first composed run asks), and working out the fewest
// keys for the text typed so far, which the run panel does five times a
// second: a page and a long run's worth of text.
#include "BuiltTables.h"
#include "practice/TextFile.h"
#include "wubi/IdealCodeLength.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace {
const IdealCodeLength &ideal86()
{
    static const IdealCodeLength ideal(BuiltTables().t86);
    return ideal;
}

// `characters` of the bundled Chinese texts, repeated as needed.
QString ChineseText(int characters)
{
    QString all;
    const QDir dir(QStringLiteral(QUORVEL_DATA_ROOT "/text/Czh"));
    for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        all += ReadTextFile(dir.filePath(name), false).text;
    QString text;
    while (!all.isEmpty() && text.size() < characters)
        text += all;
    return text.left(characters);
}
} // namespace

static void BM_BuildIdealCodeLength86(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(IdealCodeLength(BuiltTables().t86));
}
BENCHMARK(BM_BuildIdealCodeLength86)->Unit(benchmark::kMillisecond);

static void BM_IdealKeys(benchmark::State &state)
{
    const QString text = ChineseText(int(state.range(0)));
    const IdealCodeLength &ideal = ideal86();
    for (auto _ : state)
        benchmark::DoNotOptimize(ideal.keys(text));
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_IdealKeys)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

// As the run panel asks: the text typed so far, one commit (two
// characters) longer than at the last asking, at 5,000 characters.
static void BM_IdealKeysOneCommitMore(benchmark::State &state)
{
    const QString text = ChineseText(5002);
    const IdealCodeLength &ideal = ideal86();
    IdealCodeLength::Memo memo;
    int longer = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ideal.keys(QStringView(text).first(5000 + (longer++ % 2) * 2), memo));
}
BENCHMARK(BM_IdealKeysOneCommitMore)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
