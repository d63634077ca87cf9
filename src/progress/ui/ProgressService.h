#pragma once
// The progress log the exercises write to: keystrokes are gathered in memory
// and written a page at a time and every few seconds, with the run going on
// as it stands, so that a crash loses only the last seconds. When the
// database cannot be opened or written, the status strip says so once and
// practice goes on unrecorded.
#include "progress/KeystrokeCollector.h"
#include "progress/ProgressStore.h"
#include "shell/ContextService.h"
#include "shell/ProgressLog.h"

#include <QElapsedTimer>

class QTimer;

class ProgressService : public ContextService<ProgressLog> {
public:
    // How often what was gathered is written at the latest.
    static constexpr int kFlushIntervalMs = 5000;
    // While the learner types, a write waits for the gap after a keystroke:
    // this long after it, when the keystroke's frame is on screen.
    static constexpr int kAfterKeystrokeMs = 30;
    // Typing has paused when no keystroke came for this long.
    static constexpr int kTypingPauseMs = 300;

    ProgressService(AppContext &ctx, const QString &databasePath, QObject *owner);
    ~ProgressService() override;

    void recordKeystroke(const QString &kind, const QString &expected, bool right) override;
    void prepareRun() override;
    void setComposerKeys(int keys) override;
    void endRun() override;
    void endReportedRun(const RunSummary &reported) override;
    void recordPinyinMistakes(const QVector<ConfusionStat> &seen) override;
    QVector<RunSummary> runSummaries() override;
    void noteLongerCode(const QString &word) override;
    // Typed three times or more, missed in at most one try of ten.
    QSet<QString> knownCharacters() override;

    // Writes what was gathered now; false when recording has stopped.
    bool flush();
    // The current learner: the name last chosen or saved under; empty for
    // the learner without a name.
    QString learner() const;
    // Hands everything the learner without a name did to `name`.
    bool adoptUnnamed(const QString &name);
    // The current learner's goal on the practice of the moment (its title).
    PracticeGoal currentGoal() const;
    bool setGoal(double targetSpeed, double targetAccuracy);
    // Opens the database on first use.
    const ProgressStore &store() const;

private:
    bool recording() const;
    // A 赛文 try: kept and ranked among the learner's tries at the passage.
    void keepPassageTry(const RunSummary &reported);
    // How keystrokes of `kind` are typed now.
    QString methodOf(const QString &kind) const;
    bool writeGathered(const QString &learner);
    void writeConfusions();
    void reportWriteFailure() const;
    void stopRecording() const;
    // What the written batch's items and the notes on longer codes tell the
    // review notebook.
    void recordReviews(const QString &learner, const ItemTallies &items);
    // A reported run is a try at the open goal on its material.
    void recordGoalTry(const RunSummary &run);

    QString m_databasePath;
    // Opened on first use, also from a const caller.
    mutable bool m_opened = false;

    mutable ProgressStore m_store;
    KeystrokeCollector m_collector;
    QVector<ConfusionStat> m_confusions; // of the run ending, not written yet
    QTimer *m_flushTimer = nullptr;
    QElapsedTimer m_sinceKeystroke;
    bool m_flushDue = false; // written after the next keystroke, or when typing pauses
    mutable bool m_recording = false;
    QStringList m_longerCodes; // since the last write
};
