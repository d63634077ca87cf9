#include "progress/ui/ProgressService.h"

#include "data/Clock.h"
#include "data/Settings.h"
#include "shell/Shell.h"

ProgressService::ProgressService(AppContext &ctx, const QString &databasePath, QObject *owner)
    : ContextService(ctx, &AppContext::progressLog, owner), m_databasePath(databasePath)
{
}

bool ProgressService::recording() const
{
    // The database is opened when it is first needed, not at start-up.
    if (!m_opened) {
        m_opened = true;
        m_recording = m_store.open(m_databasePath);
        if (!m_recording)
            stopRecording();
    }
    return m_recording;
}

const ProgressStore &ProgressService::store() const
{
    recording();
    return m_store;
}

ProgressService::~ProgressService()
{
    endRun();
}

QString ProgressService::learner() const
{
    // The name last saved in the result window.
    return m_ctx.settings.read(QStringLiteral("User"), QStringLiteral("Name")).trimmed();
}

void ProgressService::recordKeystroke(const QString &kind, const QString &expected, bool right)
{
    if (!recording())
        return;
    m_collector.record(kind, expected, right, m_ctx.clock.now().toMSecsSinceEpoch());
    if (m_collector.batchDue())
        flush();
}

void ProgressService::setComposerKeys(int keys)
{
    if (recording())
        m_collector.setComposerKeys(keys);
}

void ProgressService::endRun()
{
    // Nothing was gathered while the database stayed closed.
    if (!m_opened || !m_recording)
        return;
    m_collector.endRun();
    flush();
}

bool ProgressService::flush()
{
    if (!recording())
        return false;
    // A failed write keeps its batch for the next flush; the learner hears
    // of it only when it keeps failing.
    constexpr int kFailuresBeforeMessage = 3;
    if (!m_store.write(m_collector.take(learner())) && m_store.failedWrites() == kFailuresBeforeMessage
        && m_ctx.shell)
        m_ctx.shell->SetStatusMessage(m_store.error() + QStringLiteral("，练习照常进行"));
    return m_recording;
}

QVector<RunSummary> ProgressService::runSummaries()
{
    flush();
    return m_store.runs();
}

void ProgressService::stopRecording() const
{
    m_recording = false;
    if (m_ctx.shell)
        m_ctx.shell->SetStatusMessage(m_store.error() + QStringLiteral("，练习照常进行"));
}
