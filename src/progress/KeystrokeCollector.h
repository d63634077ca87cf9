#pragma once
// Gathers judged keystrokes in memory, so the keystroke itself costs a hash
// update and the database is written a page or a run at a time.
//
// A run is the stretch of keystrokes of one exercise kind: it ends when
// endRun() is called (the exercise closes), when the kind changes, or after
// a pause longer than kRunGapMs. The time from the previous keystroke is
// counted for speed only when under kPauseMs: a longer one is a pause, not
// slowness on that character.
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
    // The keys the composer took for the commit being judged now, counted
    // into the run of its first judged character; 0 once the commit is
    // through, so that keys of a commit no exercise judged count nowhere.
    void setComposerKeys(int keys) { m_composerKeys = keys; }

    bool batchDue() const { return m_pending >= kBatchKeystrokes || !m_batch.runs.isEmpty(); }
    // What was gathered, handed over and forgotten. The run going on stays open.
    ProgressBatch take(const QString &learner);

private:
    struct OpenRun {
        QString kind;
        qint64 start = 0;
        qint64 last = 0;
        int characters = 0;
        int errors = 0;
        qint64 composerKeys = 0;
    };

    ProgressBatch m_batch;
    OpenRun m_run;
    bool m_running = false;
    int m_pending = 0;
    int m_composerKeys = 0;
};
