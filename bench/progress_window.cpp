// Opening the learning progress window over six months of statistics: about
// a million keystrokes in 3 000 runs of six kinds, with 3 000 characters
// and the keys tallied. Timed: reading the statistics, building the window
// and its first paint, offscreen.
#include "BenchServices.h"
#include "BuiltTables.h"
#include "OffscreenBenchmarkMain.h"
#include "progress/ProgressStore.h"
#include "progress/ui/ProgressService.h"
#include "progress/ui/ProgressWindow.h"

#include <QCoreApplication>
#include <QTableWidget>

namespace {

constexpr int kRuns = 3000;
constexpr int kCharacters = 3000;
constexpr int kKeystrokesPerRun = 333;

const QString kLearner = QStringLiteral("小明");

// Six months of practice, one batch: every run's keystrokes spread over the
// items of its kind.
ProgressBatch SixMonths(SeededRandom &random)
{
    const QStringList kinds{exercise::kLine, exercise::kText, exercise::kWubi,
                            exercise::kRace, exercise::kKeys, exercise::kKeypad};
    const QStringList keys{"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "A", "S", "D", "F", "G", "H", "J",
                           "K", "L", "Z", "X", "C", "V", "B", "N", "M", "1", "2", "3", "4", "5", "6", "7", "8"};
    ProgressBatch batch;
    batch.learner = kLearner;
    const QDateTime first(QDate(2026, 1, 1), QTime(8, 0));
    for (int i = 0; i < kRuns; ++i) {
        const QString kind = kinds[random.uniform(0, int(kinds.size()) - 1)];
        const QDateTime start = first.addSecs(qint64(i) * 182 * 86400 / kRuns);
        const int errors = random.uniform(0, kKeystrokesPerRun / 8);
        RunSummary run;
        run.learner = kLearner;
        run.kind = kind;
        run.start = start;
        run.durationMs = qint64(random.uniform(120, 400)) * 1000;
        run.characters = kKeystrokesPerRun;
        run.errors = errors;
        batch.runs.append(run);
        const bool keyKind = kind == exercise::kKeys || kind == exercise::kKeypad;
        for (int k = 0; k < kKeystrokesPerRun; ++k) {
            const QString item = keyKind ? keys[random.uniform(0, int(keys.size()) - 1)]
                                         : QString(QChar(0x4e00 + random.uniform(0, kCharacters - 1)));
            ItemTally &t = batch.items[kind][item];
            ++t.attempts;
            t.errors += k < errors ? 1 : 0;
            t.intervalMs += random.uniform(150, 1500);
            ++t.timed;
            t.lastSeen = start;
        }
    }
    return batch;
}

struct Fixture {
    BenchServices services;
    QString path = services.dir.path() + QStringLiteral("/progress.sqlite");
    qint64 keystrokes = 0;

    Fixture()
    {
        services.state.tables = BuiltTables();
        services.settings.write(QStringLiteral("User"), QStringLiteral("Name"), kLearner);
        ProgressStore store;
        store.open(path);
        const ProgressBatch batch = SixMonths(services.random);
        store.write(batch);
        for (const auto &kind : batch.items)
            for (const ItemTally &t : kind)
                keystrokes += t.attempts;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenProgressWindow(benchmark::State &state)
{
    Fixture &f = fixture();
    ProgressService progress(f.services.ctx, f.path, nullptr);
    for (auto _ : state) {
        ProgressWindow window(f.services.ctx, progress);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.weakest()->rowCount());
    }
    state.counters["keystrokes"] = double(f.keystrokes);
}
BENCHMARK(BM_OpenProgressWindow)->Unit(benchmark::kMillisecond);

// The statistics the window reads, without the window.
void BM_ReadProgress(benchmark::State &state)
{
    Fixture &f = fixture();
    ProgressStore store;
    store.open(f.path);
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0: benchmark::DoNotOptimize(store.dailyProgress(kLearner).size()); break;
        case 1: benchmark::DoNotOptimize(store.kindTotals(kLearner).size()); break;
        default: benchmark::DoNotOptimize(store.itemStats(kLearner).size());
        }
    }
}
BENCHMARK(BM_ReadProgress)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

QUORVEL_OFFSCREEN_BENCHMARK_MAIN()
