#include "progress/KeystrokeCollector.h"

QString exercise::Caption(const QString &kind)
{
    static const QHash<QString, QString> captions{
        {kLine, QStringLiteral("逐行练习")}, {kText, QStringLiteral("全文练习")},
        {kWubi, QStringLiteral("五笔练习")}, {kRace, QStringLiteral("打字游戏")},
        {kKeys, QStringLiteral("键位练习")}, {kKeypad, QStringLiteral("数字键练习")}};
    return captions.value(kind, kind);
}

void ItemTally::add(const ItemTally &other)
{
    attempts += other.attempts;
    errors += other.errors;
    intervalMs += other.intervalMs;
    timed += other.timed;
    if (other.lastSeen > lastSeen)
        lastSeen = other.lastSeen;
}

void KeystrokeCollector::record(const QString &kind, const QString &item, bool right, qint64 now)
{
    if (m_running && (kind != m_run.kind || now - m_run.last > kRunGapMs || now < m_run.last))
        endRun();
    if (!m_running) {
        m_run = OpenRun{kind, now, now, 0, 0, 0};
        m_running = true;
    }
    m_run.composerKeys += m_composerKeys;
    m_composerKeys = 0;
    const qint64 interval = now - m_run.last;
    const bool timed = m_run.characters > 0 && interval <= kPauseMs;

    ItemTally &tally = m_batch.items[kind][item];
    ++tally.attempts;
    tally.errors += right ? 0 : 1;
    if (timed) {
        tally.intervalMs += interval;
        ++tally.timed;
    }
    tally.lastSeen = QDateTime::fromMSecsSinceEpoch(now);

    ++m_run.characters;
    m_run.errors += right ? 0 : 1;
    m_run.last = now;
    ++m_pending;
}

void KeystrokeCollector::endRun()
{
    if (!m_running)
        return;
    m_running = false;
    RunSummary run;
    run.kind = m_run.kind;
    run.start = QDateTime::fromMSecsSinceEpoch(m_run.start);
    run.durationMs = m_run.last - m_run.start;
    run.characters = m_run.characters;
    run.errors = m_run.errors;
    run.composerKeys = m_run.composerKeys;
    m_batch.runs.append(run);
}

ProgressBatch KeystrokeCollector::take(const QString &learner)
{
    ProgressBatch batch = std::move(m_batch);
    m_batch = ProgressBatch();
    batch.learner = learner;
    for (RunSummary &run : batch.runs)
        run.learner = learner;
    m_pending = 0;
    return batch;
}
