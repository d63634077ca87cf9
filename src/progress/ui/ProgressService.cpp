#include "progress/ui/ProgressService.h"

#include "data/Clock.h"
#include "data/Settings.h"
#include "shell/Shell.h"

#include <QTimer>

ProgressService::ProgressService(AppContext &ctx, const QString &databasePath, QObject *owner)
    : ContextService(ctx, &AppContext::progressLog, owner)
{
    m_recording = m_store.open(databasePath);
    if (!m_recording)
        stopRecording();
    m_flushTimer = new QTimer(this);
    m_flushTimer->setInterval(kFlushIntervalMs);
    connect(m_flushTimer, &QTimer::timeout, this, [this] {
        if (m_collector.hasPending())
            flush();
    });
    m_flushTimer->start();
}

ProgressService::~ProgressService()
{
    endRun();
}

QString ProgressService::learner() const
{
    // The name last chosen in the learner dialog or saved in the result window.
    return m_ctx.settings.read(QStringLiteral("User"), QStringLiteral("Name")).trimmed();
}

void ProgressService::recordKeystroke(const QString &kind, const QString &expected, bool right)
{
    if (!m_recording)
        return;
    m_collector.record(kind, expected, right, m_ctx.clock.now().toMSecsSinceEpoch());
    if (m_collector.batchDue())
        flush();
}

void ProgressService::setComposerKeys(int keys)
{
    if (m_recording)
        m_collector.setComposerKeys(keys);
}

void ProgressService::endRun()
{
    if (!m_recording)
        return;
    m_collector.endRun();
    flush();
}

void ProgressService::endReportedRun(const RunSummary &reported)
{
    if (!m_recording)
        return;
    if (reported.kind.isEmpty())
        return endRun();
    // Written so far under another name: the result was saved under a new
    // one, and the whole run goes there.
    const QString now = learner();
    const QString before = m_collector.latestRunLearner();
    if (m_collector.latestRunId() > 0 && before != now) {
        if (!writeGathered(before))
            return;
        if (!m_store.moveRun(m_collector.latestRunId(), before, now, m_collector.latestRunItems()))
            return stopRecording();
        m_collector.setLatestRunLearner(now);
    }
    m_collector.endRun(reported);
    flush();
}

bool ProgressService::flush()
{
    return m_recording && writeGathered(learner());
}

bool ProgressService::writeGathered(const QString &who)
{
    ProgressBatch batch = m_collector.take(who);
    if (!m_store.write(batch)) {
        stopRecording();
        return false;
    }
    m_collector.noteWritten(batch);
    return true;
}

bool ProgressService::adoptUnnamed(const QString &name)
{
    if (!m_recording || !flush())
        return false;
    if (!m_store.mergeLearner(QString(), name)) {
        stopRecording();
        return false;
    }
    return true;
}

QVector<RunSummary> ProgressService::runSummaries()
{
    flush();
    return m_store.runs();
}

void ProgressService::stopRecording()
{
    m_recording = false;
    if (m_ctx.shell)
        m_ctx.shell->SetStatusMessage(m_store.error() + QStringLiteral("，练习照常进行"));
}
