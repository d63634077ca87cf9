// Cost of recording one judged keystroke in the progress statistics: the
// in-memory tally alone, and through the progress log with its batched
// writes to a real SQLite file (a write every 200 keystrokes, as in practice).
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "progress/KeystrokeCollector.h"
#include "progress/ui/ProgressService.h"
#include "shell/AppContext.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A few hundred common characters, cycled through.
QStringList Characters()
{
    QStringList chars;
    const QString text = QStringLiteral("的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动"
                                        "同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自"
                                        "二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日");
    for (const QChar c : text)
        chars.append(QString(c));
    return chars;
}

void CollectorRecord(benchmark::State &state)
{
    const QStringList chars = Characters();
    KeystrokeCollector collector;
    qint64 now = 1'700'000'000'000;
    int i = 0;
    for (auto _ : state) {
        ++i;
        collector.record(QStringLiteral("line"), chars[i % chars.size()], i % 9 != 0, now += 300);
        if (collector.batchDue())
            benchmark::DoNotOptimize(collector.take(QStringLiteral("王")));
    }
}
BENCHMARK(CollectorRecord);

void ServiceRecordWithWrites(benchmark::State &state)
{
    QTemporaryDir dir;
    PracticeState practice;
    SettingsStore settings{dir.path() + QStringLiteral("/q.ini")};
    RecordingCuePlayer cues;
    SystemClock clock;
    SeededRandom random{1};
    AppContext ctx{practice, settings, cues, clock, random, AppPaths{dir.path(), dir.path(), dir.path()}};
    ProgressService service(ctx, dir.path() + QStringLiteral("/progress.sqlite"), nullptr);
    const QStringList chars = Characters();
    int i = 0;
    for (auto _ : state) {
        ++i;
        service.recordKeystroke(QStringLiteral("line"), chars[i % chars.size()], i % 9 != 0);
    }
    service.endRun();
    state.counters["written"] = double(service.store().runs().size());
}
BENCHMARK(ServiceRecordWithWrites);

} // namespace

BENCHMARK_MAIN();
