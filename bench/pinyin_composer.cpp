// The pinyin composer with the engine's dictionary and language model
// loaded: the time from a key press to the candidates of the new input, key
// by key over a few sentences in full pinyin and in 小鹤双拼 (median and 99th
// percentile as counters), and the engine's load: its time and how much
// resident memory it adds.
#include "pinyin/PinyinComposer.h"
#include "pinyin/PinyinEngine.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <algorithm>
#include <chrono>
#include <vector>

namespace {
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

PinyinEngine &loadedEngine()
{
    static PinyinEngine engine;
    static const bool loaded = engine.waitUntilLoaded();
    if (!loaded)
        qFatal("%s", qPrintable(engine.unavailableMessage()));
    return engine;
}

// Types each line key by key (a space commits it), timing every letter's
// press: the composer asks the engine for the candidates of the new input.
void typeLines(benchmark::State &state, PinyinScheme scheme, const QStringList &lines)
{
    PinyinComposer composer;
    composer.setEngine(&loadedEngine().ime(), scheme);
    std::vector<double> micros;
    for (auto _ : state) {
        for (const QString &line : lines) {
            for (QChar c : line) {
                const auto start = std::chrono::steady_clock::now();
                benchmark::DoNotOptimize(composer.press(ComposerKey::typed(c)));
                benchmark::DoNotOptimize(composer.pageCandidates().size());
                micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
            }
            composer.press(ComposerKey::typed(QLatin1Char(' ')));
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["keys"] = double(micros.size());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
    state.counters["max_us"] = micros.back();
}
} // namespace

static void BM_EngineLoad(benchmark::State &state)
{
    const double before = residentMiB();
    for (auto _ : state) {
        PinyinEngine engine;
        benchmark::DoNotOptimize(engine.waitUntilLoaded());
        state.counters["resident_added_MiB"] = residentMiB() - before;
    }
}
BENCHMARK(BM_EngineLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_KeystrokeFullPinyin(benchmark::State &state)
{
    typeLines(state, PinyinScheme::Full,
              {QStringLiteral("nihaozhongguo"), QStringLiteral("womenshixuesheng"),
               QStringLiteral("zhonghuarenmingongheguo"), QStringLiteral("jintiantianqihenhao"),
               QStringLiteral("xiexienidebangzhu"), QStringLiteral("shuangpinshurufa")});
}
BENCHMARK(BM_KeystrokeFullPinyin)->Unit(benchmark::kMillisecond)->Iterations(20);

static void BM_KeystrokeXiaohe(benchmark::State &state)
{
    // The same sentences in 小鹤双拼.
    typeLines(state, PinyinScheme::Xiaohe,
              {QStringLiteral("nihcvsgo"), QStringLiteral("womfuixtug"), QStringLiteral("vshxrfmbgshego"),
               QStringLiteral("jbtmtmqihfhc"), QStringLiteral("xpxpnidebhvu"), QStringLiteral("ulpbuurufa")});
}
BENCHMARK(BM_KeystrokeXiaohe)->Unit(benchmark::kMillisecond)->Iterations(20);

// Resident memory of the process with one engine loaded, after the runs above.
static void BM_ResidentWithEngine(benchmark::State &state)
{
    loadedEngine();
    for (auto _ : state)
        state.counters["resident_MiB"] = residentMiB();
}
BENCHMARK(BM_ResidentWithEngine)->Iterations(1);

BENCHMARK_MAIN();
