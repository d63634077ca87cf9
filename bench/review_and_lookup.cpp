// The review notebook and the reverse lookup.
// - Opening 今日复习 over a notebook of 20 000 items (a quarter of them due):
//   reading the due items and their count, as the command does before the
//   drill opens. The drill window itself is timed by the line drill benches.
// - Reverse lookup of every syllable the readings know, toneless and with
//   each tone: the mean per query, and the slowest one as a counter.
#include "BuiltTables.h"
#include "pinyin/PinyinData.h"
#include "pinyin/Syllables.h"
#include "progress/ProgressStore.h"
#include "progress/ui/ProgressCommands.h"
#include "wubi/PinyinLookup.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 20000;
const QString kLearner = QStringLiteral("小明");
const QDate kToday(2026, 6, 1);

struct Notebook {
    QTemporaryDir dir;
    ProgressStore store;
    Notebook()
    {
        store.open(dir.filePath(QStringLiteral("progress.sqlite")));
        // Entered over four days; three quarters then reviewed right once, so
        // that they are due later.
        QVector<ReviewObservation> missed, right;
        for (int i = 0; i < kItems; ++i) {
            const char32_t c = 0x4E00 + i;
            const QString item = QString::fromUcs4(&c, 1);
            missed.append({review::kCharacter, item, ReviewOutcome::Missed});
            if (i % 4)
                right.append({review::kCharacter, item, ReviewOutcome::Right});
        }
        store.recordReviews(kLearner, missed, kToday.addDays(-2));
        store.recordReviews(kLearner, right, kToday.addDays(-1));
    }
};

void OpenTodaysReviewOf20000(benchmark::State &state)
{
    static Notebook notebook;
    qsizetype due = 0;
    for (auto _ : state) {
        const QVector<ReviewItem> items = notebook.store.reviewItems(kLearner, kToday);
        const QString text = ReviewDueText(items);
        benchmark::DoNotOptimize(text);
        due = items.size();
    }
    state.counters["due"] = double(due);
}
BENCHMARK(OpenTodaysReviewOf20000)->Unit(benchmark::kMillisecond);

void ReverseLookupEverySyllable(benchmark::State &state)
{
    static PinyinData data(QStringLiteral(QUORVEL_DATA_ROOT "/data"));
    if (!data.available()) {
        state.SkipWithError("no pinyin data");
        return;
    }
    QStringList queries;
    for (int level = 1; level <= 3; ++level)
        for (char32_t c : data.readings()->charactersOfLevel(level))
            for (const QString &r : data.readings()->readings(c))
                queries.append(TonelessSyllable(r));
    queries.removeDuplicates();
    const int syllables = int(queries.size());
    for (int i = 0; i < syllables; ++i)
        for (int tone = 1; tone <= 4; ++tone)
            queries.append(queries[i] + QString::number(tone));
    LookUpPinyin(QStringLiteral("zhong"), *data.readings(), *data.lexicon(), BuiltTables()); // first-use work
    // Each query's best time over the iterations: a query preempted once on
    // a busy machine is not slow.
    QVector<double> bestMs(queries.size(), 1e9);
    for (auto _ : state) {
        for (qsizetype i = 0; i < queries.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            benchmark::DoNotOptimize(LookUpPinyin(queries[i], *data.readings(), *data.lexicon(), BuiltTables()));
            bestMs[i] = std::min(bestMs[i], timer.nsecsElapsed() / 1e6);
        }
    }
    const qsizetype worst = std::max_element(bestMs.cbegin(), bestMs.cend()) - bestMs.cbegin();
    const double slowestMs = bestMs.value(worst);
    const QString slowest = queries.value(worst);
    state.SetItemsProcessed(state.iterations() * queries.size());
    state.counters["queries"] = double(queries.size());
    state.counters["slowest_ms"] = slowestMs;
    state.SetLabel(slowest.toStdString());
}
BENCHMARK(ReverseLookupEverySyllable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
