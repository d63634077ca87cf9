// The radical drills' costs the learner waits for: building the chart pool
// when the chart drill opens, and a new board of 80 radicals, with and
// without decoding its pictures (the window decodes each name once).
#include "data/CodeTable.h"
#include "data/Random.h"
#include "data/Scramble.h"
#include "wubi/RadicalDrill.h"

#include <QDir>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {
const QString kDataRoot = QStringLiteral(QUORVEL_DATA_ROOT);

QStringList pictureNames()
{
    return QDir(kDataRoot + QStringLiteral("/data/piczg")).entryList(QDir::Files, QDir::Name);
}

void BM_ChartPool(benchmark::State &bench)
{
    CodeTables tables;
    if (!LoadCodeTables(kDataRoot, true, false, tables).isEmpty())
        std::abort();
    for (auto _ : bench)
        benchmark::DoNotOptimize(wubi::ChartPool(tables.t86));
}
BENCHMARK(BM_ChartPool)->Unit(benchmark::kMicrosecond);

// A full board drawn from the radical list of both editions' pictures.
void BM_NewBoard(benchmark::State &bench)
{
    wubi::RadicalDrillSettings settings;
    settings.timeLimited = true;
    const QStringList list = wubi::RadicalList(pictureNames(), settings);
    SeededRandom random(4);
    wubi::RadicalDrill drill(settings, random);
    for (auto _ : bench) {
        drill.start(list);
        benchmark::DoNotOptimize(drill.board());
    }
}
BENCHMARK(BM_NewBoard)->Unit(benchmark::kMicrosecond);

// Reading, unscrambling and decoding every radical picture once, as the
// drill window does over its first boards.
void BM_DecodeAllPictures(benchmark::State &bench)
{
    const QStringList names = pictureNames();
    for (auto _ : bench) {
        for (const QString &name : names) {
            QImage image;
            image.loadFromData(ReadScrambledFile(kDataRoot + QStringLiteral("/data/piczg/") + name));
            benchmark::DoNotOptimize(image);
        }
    }
    bench.counters["pictures"] = double(names.size());
}
BENCHMARK(BM_DecodeAllPictures)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
