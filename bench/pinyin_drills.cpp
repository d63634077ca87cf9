// What the pinyin drills cost the learner: reading the pinyin data the first
// time, making a drill's text, a page of the line window with pinyin over
// it (readings in context and layout), and diagnosing a wrong character.
#include "BenchServices.h"
#include "OffscreenBenchmarkMain.h"
#include "data/Random.h"
#include "pinyin/GradedMaterial.h"
#include "pinyin/PinyinData.h"
#include "pinyin/PinyinDrills.h"
#include "pinyin/PinyinMistakes.h"
#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/ReferenceLine.h"
#include "progress/ProgressData.h"

#include <benchmark/benchmark.h>

namespace {

QString DataFolder() { return QStringLiteral(QUORVEL_DATA_ROOT "/data"); }

PinyinData &SharedData()
{
    static PinyinData data(DataFolder());
    return data;
}

void BM_LoadPinyinData(benchmark::State &bench)
{
    for (auto _ : bench) {
        PinyinData data(DataFolder());
        benchmark::DoNotOptimize(data.available());
    }
}
BENCHMARK(BM_LoadPinyinData)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InitialsDrillText(benchmark::State &bench)
{
    PinyinData &data = SharedData();
    SeededRandom random(1);
    for (auto _ : bench)
        benchmark::DoNotOptimize(
            pinyin::SoundDrillText(pinyin::InitialGroups(*data.lexicon(), *data.readings()), 500, random));
}
BENCHMARK(BM_InitialsDrillText)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CommonWordsDrillText(benchmark::State &bench)
{
    PinyinData &data = SharedData();
    SeededRandom random(1);
    for (auto _ : bench)
        benchmark::DoNotOptimize(pinyin::WordDrillText(CommonWords(*data.lexicon(), 10000).mid(5000), 500, random));
}
BENCHMARK(BM_CommonWordsDrillText)->Unit(benchmark::kMillisecond)->Iterations(5);

// A page of four lines with pinyin shown: what a page turn adds.
void BM_PageWithPinyin(benchmark::State &bench)
{
    BenchServices s;
    s.paths.dataRoot = QStringLiteral(QUORVEL_DATA_ROOT);
    s.ctx.pinyinData = &SharedData();
    s.state.exerciseKind = exercise::kPinyinText;
    LinePracticeWindow form(s.ctx);
    form.show();
    const QString line = QStringLiteral("银行门口的长城重新认识这座城市的音乐很快乐\r\n");
    for (auto _ : bench) {
        s.state.pendingText = line + line + line + line;
        form.fillReferencePage();
        form.repaint();
    }
}
BENCHMARK(BM_PageWithPinyin)->Unit(benchmark::kMillisecond);

void BM_DiagnoseCharacter(benchmark::State &bench)
{
    const HanziReadings &readings = *SharedData().readings();
    for (auto _ : bench)
        benchmark::DoNotOptimize(
            DiagnoseCharacter(QStringLiteral("行"), QStringLiteral("háng"), QStringLiteral("寒"), readings));
}
BENCHMARK(BM_DiagnoseCharacter)->Unit(benchmark::kMicrosecond);

} // namespace

QUORVEL_OFFSCREEN_BENCHMARK_MAIN()
