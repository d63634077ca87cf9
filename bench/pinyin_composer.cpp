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
#include <ctime>
#include <vector>

namespace {
// CPU time of this thread: on a busy machine the wall clock also counts the
// time other processes had the core.
double threadCpuMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

void addPercentiles(benchmark::State &state, const char *prefix, std::vector<double> &micros)
{
    std::sort(micros.begin(), micros.end());
    const std::string p(prefix);
    state.counters[p + "median_us"] = micros[micros.size() / 2];
    state.counters[p + "p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
}

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
    std::vector<double> wall, cpu;
    for (auto _ : state) {
        for (const QString &line : lines) {
            for (QChar c : line) {
                const auto start = std::chrono::steady_clock::now();
                const double cpuStart = threadCpuMicros();
                benchmark::DoNotOptimize(composer.press(ComposerKey::typed(c)));
                benchmark::DoNotOptimize(composer.pageCandidates().size());
                cpu.push_back(threadCpuMicros() - cpuStart);
                wall.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
            }
            composer.press(ComposerKey::typed(QLatin1Char(' ')));
        }
    }
    state.counters["keys"] = double(wall.size());
    addPercentiles(state, "", wall);
    addPercentiles(state, "cpu_", cpu);
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
