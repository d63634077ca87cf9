#pragma once
// The progress log the exercises write to: keystrokes are gathered in memory
// and written a page or a run at a time. When the database cannot be opened
// or written, the status strip says so once and practice goes on unrecorded.
#include "progress/KeystrokeCollector.h"
#include "progress/ProgressStore.h"
#include "shell/ContextService.h"
#include "shell/ProgressLog.h"

class ProgressService : public ContextService<ProgressLog> {
public:
    ProgressService(AppContext &ctx, const QString &databasePath, QObject *owner);
    ~ProgressService() override;

    void recordKeystroke(const QString &kind, const QString &expected, bool right) override;
    void setComposerKeys(int keys) override;
    void endRun() override;
    QVector<RunSummary> runSummaries() override;

    // Writes what was gathered now; false when recording has stopped.
    bool flush();
    QString learner() const;
    // Opens the database on first use.
    const ProgressStore &store() const;

private:
    bool recording() const;
    void stopRecording() const;

    QString m_databasePath;
    // Opened on first use, also from a const caller.
    mutable bool m_opened = false;

    mutable ProgressStore m_store;
    KeystrokeCollector m_collector;
    mutable bool m_recording = false;
};
