// The record viewer on a file of 100 000 records: opening it, reordering the
// file by each key, and deleting the records of one user.
#include "OffscreenBenchmarkMain.h"
#include "shell/AppContext.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "records/RecordFile.h"
#include "records/RecordOrder.h"
#include "records/ui/RecordViewer.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <QElapsedTimer>
#include <QFile>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kRecords = 100000;

struct Fixture {
    QTemporaryDir dir;
    PracticeState state;
    SettingsStore settings{dir.path() + QStringLiteral("/quorvel.ini")};
    RecordingCuePlayer cues;
    ManualClock clock;
    SeededRandom random{7};
    AppContext ctx{state, settings, cues, clock, random, AppPaths{}, nullptr, nullptr};
    std::vector<TypingRecord> records;

    Fixture()
    {
        ctx.paths.userDataDir = dir.path();
        const QStringList names{QStringLiteral("王"), QStringLiteral("王小明"), QStringLiteral("李雷"),
                                QStringLiteral("韩梅梅"), QStringLiteral("张三"), QStringLiteral("Alice"),
                                QStringLiteral("Bob"), QStringLiteral("赵六"), QStringLiteral("孙悟空"),
                                QStringLiteral("猪八戒")};
        for (int i = 0; i < kRecords; ++i) {
            TypingRecord r;
            r.number = i + 1;
            r.name = names[random.uniform(0, int(names.size()) - 1)] + QString::number(random.uniform(0, 99));
            r.speed = random.uniform(0, 200);
            r.characters = random.uniform(0, 2000);
            r.punctuation = random.uniform(0, 200);
            r.total = r.characters + r.punctuation;
            r.accuracy = QStringLiteral("97.50%");
            r.timeUsed = QStringLiteral("00:05:00");
            r.kind = QStringLiteral("中文文本对照练习");
            r.savedAt = SaveTimeText(QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(random.uniform(0, 30000000)));
            records.push_back(r);
        }
        restore();
    }
    void restore() { ReplaceAllRecords(ctx.paths.recordFile(), records); }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenViewer(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        RecordViewer viewer(f.ctx);
        viewer.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(viewer.model().rowCount());
    }
}
BENCHMARK(BM_OpenViewer)->Unit(benchmark::kMillisecond);

// Heap in use: small blocks and mapped ones.
double HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

double ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toDouble() * double(getpagesize());
}

// What the viewer holds while it shows 100 000 records, how long it takes to
// open, and how much of it stays after it closes. A viewer opened once on the
// first 50 of the records first brings in fonts, glyphs and styles, which
// every window shares and which do not grow with the records.
void BM_ViewerMemory(benchmark::State &state)
{
    Fixture &f = fixture();
    QTemporaryDir few;
    AppContext fewCtx = f.ctx;
    fewCtx.paths.userDataDir = few.path();
    ReplaceAllRecords(fewCtx.paths.recordFile(), std::vector<TypingRecord>(f.records.begin(), f.records.begin() + 50));
    {
        RecordViewer warmUp(fewCtx);
        warmUp.show();
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    for (auto _ : state) {
        const double heapBefore = HeapBytes();
        const double residentBefore = ResidentBytes();
        QElapsedTimer clock;
        clock.start();
        auto *viewer = new RecordViewer(f.ctx);
        viewer->show();
        QCoreApplication::processEvents();
        const double openSeconds = clock.nsecsElapsed() / 1e9;
        const double heapOpen = HeapBytes();
        delete viewer;
        QCoreApplication::processEvents();
        state.counters["open_s"] = openSeconds;
        state.counters["heap_per_record"] = (heapOpen - heapBefore) / kRecords;
        state.counters["rss_after_close_MB"] = (ResidentBytes() - residentBefore) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_ViewerMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Reorder(benchmark::State &state)
{
    Fixture &f = fixture();
    RecordViewer viewer(f.ctx);
    for (auto _ : state) {
        state.PauseTiming();
        f.restore();
        state.ResumeTiming();
        viewer.sortBy(int(state.range(0)));
    }
}
BENCHMARK(BM_Reorder)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Delete by user, the confirmation answered as soon as it opens.
void BM_DeleteUser(benchmark::State &state)
{
    Fixture &f = fixture();
    RecordViewer viewer(f.ctx);
    viewer.nameBox()->setText(QStringLiteral("王"));
    for (auto _ : state) {
        state.PauseTiming();
        f.restore();
        state.ResumeTiming();
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        viewer.deleteByName();
        benchmark::DoNotOptimize(viewer.model().rowCount());
    }
    if (viewer.model().rowCount() >= kRecords)
        state.SkipWithError("nothing was deleted");
}
BENCHMARK(BM_DeleteUser)->Unit(benchmark::kMillisecond);

// The pieces the viewer's operations are made of.
void BM_ReadAllRecords(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAllRecords(f.ctx.paths.recordFile()).records.size());
}
BENCHMARK(BM_ReadAllRecords)->Unit(benchmark::kMillisecond);

void BM_OrderRecordsInMemory(benchmark::State &state)
{
    Fixture &f = fixture();
    const std::vector<TypingRecord> read = ReadAllRecords(f.ctx.paths.recordFile()).records;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<TypingRecord> records = read;
        state.ResumeTiming();
        OrderRecords(records, static_cast<RecordKey>(state.range(0)));
    }
}
BENCHMARK(BM_OrderRecordsInMemory)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllRecords(benchmark::State &state)
{
    Fixture &f = fixture();
    const std::vector<TypingRecord> read = ReadAllRecords(f.ctx.paths.recordFile()).records;
    for (auto _ : state)
        ReplaceAllRecords(f.ctx.paths.recordFile(), read);
}
BENCHMARK(BM_ReplaceAllRecords)->Unit(benchmark::kMillisecond);

} // namespace

QUORVEL_OFFSCREEN_BENCHMARK_MAIN()
