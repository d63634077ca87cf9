#pragma once
// Gathers judged keystrokes in memory, so the keystroke itself costs a hash
// update and the database is written a page or a few seconds at a time.
//
// A run is the stretch of keystrokes of one exercise kind: it ends when
// endRun() is called (the exercise closes or reports), when the kind
// changes, or after a pause longer than kRunGapMs. The time from the previous
// keystroke is counted for speed only when under kPauseMs: a longer one is a
// pause, not slowness on that character. Every batch carries the run going
// on as it stands, so a crash loses no more than the last batch.
#include "progress/ProgressData.h"

class KeystrokeCollector {
public:
    static constexpr qint64 kPauseMs = 10'000;
    static constexpr qint64 kRunGapMs = 300'000;
    // Keystrokes after which a batch is due (about a page).
    static constexpr int kBatchKeystrokes = 200;

    // One judged character or key; `now` in milliseconds since the epoch.
    void record(const QString &kind, const QString &item, bool right, qint64 now);
    void endRun();
    // Ends the run with the figures its own report gave (kind, start,
    // duration, characters, errors, speed): the statistics show what the
    // report showed. A run without judged keystrokes (free input) is made.
    void endRun(const RunSummary &reported);
    // The keys the composer took for the commit being judged now, counted
    // into the run of its first judged character; 0 once the commit is
    // through, so that keys of a commit no exercise judged count nowhere.
    void setComposerKeys(int keys) { m_composerKeys = keys; }
    // How the keystrokes recorded from now on are typed (input_method::...):
    // a run takes the method of its first keystroke.
    void setMethod(const QString &method) { m_method = method; }

    bool batchDue() const { return m_pending >= kBatchKeystrokes || !m_batch.runs.isEmpty(); }
    bool hasPending() const { return m_pending > 0 || !m_batch.runs.isEmpty(); }
    // What was gathered, handed over and forgotten, with the open run as it
    // stands. The run going on stays open.
    ProgressBatch take(const QString &learner);
    // The store wrote `batch` (and gave its runs their rows).
    void noteWritten(const ProgressBatch &batch);

    // The latest run (open, or ended and not followed by another yet): its
    // row in the store (0 when not written), whom it was written under, and
    // everything judged in it.
    qint64 latestRunId() const { return m_run.id; }
    QString latestRunLearner() const { return m_run.storedLearner; }
    const ItemTallies &latestRunItems() const { return m_run.items; }
    void setLatestRunLearner(const QString &learner) { m_run.storedLearner = learner; }

private:
    struct OpenRun {
        qint64 serial = 0; // tells the runs of this session apart
        qint64 id = 0;
        QString storedLearner;
        QString kind;
        qint64 start = 0;
        qint64 last = 0;
        int characters = 0;
        int errors = 0;
        qint64 composerKeys = 0;
        QString method;
        ItemTallies items;
    };
    void beginRun(const QString &kind, qint64 now);
    RunSummary summary() const;

    ProgressBatch m_batch;
    OpenRun m_run;
    bool m_running = false;
    bool m_runChanged = false; // since the last batch
    qint64 m_serials = 0;
    QVector<qint64> m_batchSerials; // of m_batch.runs
    QVector<qint64> m_takenSerials; // of the runs of the batch last taken
    int m_pending = 0;
    int m_composerKeys = 0;
    QString m_method;
};
