#include "progress/KeystrokeCollector.h"

QString exercise::Caption(const QString &kind)
{
    static const QHash<QString, QString> captions{
        {kLine, QStringLiteral("逐行练习")},          {kText, QStringLiteral("全文练习")},
        {kFree, QStringLiteral("自由录入")},          {kLetters, QStringLiteral("英文字母练习")},
        {kWubiKeyNames, QStringLiteral("五笔键名字")}, {kWubiShortCodes, QStringLiteral("五笔简码")},
        {kWubiCharacters, QStringLiteral("五笔单字")}, {kWubiPhrases, QStringLiteral("五笔词组")},
        {kWubi, QStringLiteral("五笔字根表打字")},     {kRadicalDrill, QStringLiteral("字根练习")},
        {kRace, QStringLiteral("打字游戏")},          {kKeys, QStringLiteral("键位练习")},
        {kFingering, QStringLiteral("指法练习")},      {kKeypad, QStringLiteral("数字键练习")},
        {kShuangpinKeys, QStringLiteral("双拼键位练习")},
        {kPassage, QStringLiteral("赛文")},
        {kPinyinInitials, QStringLiteral("拼音声母")},  {kPinyinFinals, QStringLiteral("拼音韵母")},
        {kPinyinWholeSyllables, QStringLiteral("整体认读音节")}, {kPinyinCharacters, QStringLiteral("拼音单字")},
        {kPinyinWords, QStringLiteral("拼音常用词")},   {kPinyinText, QStringLiteral("拼音课文")},
        {kPinyinConfusions, QStringLiteral("易混读音")}};
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

void KeystrokeCollector::beginRun(const QString &kind, qint64 now)
{
    m_run = OpenRun();
    m_run.serial = ++m_serials;
    m_run.kind = kind;
    m_run.method = m_method;
    m_run.start = m_run.last = now;
    m_running = true;
    m_runChanged = true;
}

void KeystrokeCollector::record(const QString &kind, const QString &item, bool right, qint64 now)
{
    if (m_running && (kind != m_run.kind || now - m_run.last > kRunGapMs || now < m_run.last))
        endRun();
    if (!m_running)
        beginRun(kind, now);
    m_run.composerKeys += m_composerKeys;
    m_composerKeys = 0;
    const qint64 interval = now - m_run.last;
    const bool timed = m_run.characters > 0 && interval <= kPauseMs;

    ItemTally one;
    one.attempts = 1;
    one.errors = right ? 0 : 1;
    if (timed) {
        one.intervalMs = interval;
        one.timed = 1;
    }
    one.lastSeen = QDateTime::fromMSecsSinceEpoch(now);
    m_batch.items[kind][item].add(one);
    m_run.items[kind][item].add(one);

    ++m_run.characters;
    m_run.errors += right ? 0 : 1;
    m_run.last = now;
    m_runChanged = true;
    ++m_pending;
}

RunSummary KeystrokeCollector::summary() const
{
    RunSummary run;
    run.id = m_run.id;
    run.kind = m_run.kind;
    run.start = QDateTime::fromMSecsSinceEpoch(m_run.start);
    run.durationMs = m_run.last - m_run.start;
    run.characters = m_run.characters;
    run.errors = m_run.errors;
    run.composerKeys = m_run.composerKeys;
    run.typing.method = m_run.method;
    return run;
}

void KeystrokeCollector::endRun()
{
    if (!m_running)
        return;
    m_running = false;
    m_batch.runs.append(summary());
    m_batchSerials.append(m_run.serial);
}

void KeystrokeCollector::endRun(const RunSummary &reported)
{
    const qint64 now = reported.start.toMSecsSinceEpoch();
    if (m_running && m_run.kind != reported.kind)
        endRun();
    if (!m_running)
        beginRun(reported.kind, now);
    m_running = false;
    RunSummary run = summary();
    run.start = reported.start;
    run.durationMs = reported.durationMs;
    run.characters = reported.characters;
    run.errors = reported.errors;
    run.reportedSpeed = reported.reportedSpeed;
    if (!reported.typing.method.isEmpty())
        run.typing = reported.typing;
    m_batch.runs.append(run);
    m_batchSerials.append(m_run.serial);
}

ProgressBatch KeystrokeCollector::take(const QString &learner)
{
    ProgressBatch batch = std::move(m_batch);
    m_batch = ProgressBatch();
    batch.learner = learner;
    m_takenSerials = std::move(m_batchSerials);
    m_batchSerials.clear();
    if (m_running && m_runChanged && m_run.characters > 0) {
        batch.runs.append(summary());
        m_takenSerials.append(m_run.serial);
        batch.lastRunOpen = true;
    }
    for (RunSummary &run : batch.runs)
        run.learner = learner;
    m_pending = 0;
    m_runChanged = false;
    return batch;
}

void KeystrokeCollector::noteWritten(const ProgressBatch &batch)
{
    for (qsizetype i = 0; i < batch.runs.size() && i < m_takenSerials.size(); ++i) {
        if (m_takenSerials[i] == m_run.serial) {
            m_run.id = batch.runs[i].id;
            m_run.storedLearner = batch.learner;
        }
    }
    m_takenSerials.clear();
}
