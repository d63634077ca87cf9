#include "practice/TypingRun.h"

#include "data/Clock.h"
#include "practice/Statistics.h"

#include <algorithm>

int RunFigures::speed() const
{
    if (speedSeconds < 1 || characters < 1)
        return 0;
    return int(qint64(characters) * 60 / speedSeconds);
}

TypingRun::TypingRun(const Clock &clock, QObject *parent) : QObject(parent), m_clock(clock) {}

void TypingRun::start(const QString &kind)
{
    m_kind = kind;
    m_start = m_clock.now();
    m_started = true;
    m_paused = false;
    m_ended = false;
    m_pausedMs = 0;
    m_typed.clear();
    m_pageStart = 0;
    m_counted.clear();
    m_earlierCounts = {};
    m_characters = 0;
    m_errors = 0;
    m_final = {};
    m_pinyinMistakes.clear();
    emit started();
}

void TypingRun::setPaused(bool paused)
{
    if (!m_started || paused == m_paused)
        return;
    const QDateTime now = m_clock.now();
    if (paused)
        m_pauseStart = now;
    else
        m_pausedMs += qMax<qint64>(0, m_pauseStart.msecsTo(now));
    m_paused = paused;
    emit pausedChanged(paused);
}

void TypingRun::end()
{
    if (!m_started)
        return;
    m_final = figures();
    m_started = false;
    m_paused = false;
    m_ended = true;
    emit ended(m_final);
}

void TypingRun::setTyped(const QString &typed)
{
    if (!m_started)
        return;
    m_typed = typed;
    m_pageStart = 0;
}

void TypingRun::setPageTyped(const QString &page)
{
    if (!m_started)
        return;
    m_typed.truncate(m_pageStart);
    m_typed += page;
}

void TypingRun::finishPage(const QString &page)
{
    if (!m_started)
        return;
    setPageTyped(page);
    m_pageStart = m_typed.size();
    dropFinishedPages();
}

void TypingRun::countTyped()
{
    if (!m_started)
        return;
    m_characters = qMax(0, m_characters + TypedCountChange(m_counted, m_typed));
    m_counted = m_typed;
}

namespace {
void AddCounts(TypedCounts &sum, const TypedCounts &more)
{
    sum.totalCount += more.totalCount;
    sum.characterCount += more.characterCount;
    sum.punctuationCount += more.punctuationCount;
}
} // namespace

void TypingRun::dropFinishedPages()
{
    qsizetype length = std::min(m_pageStart, m_counted.size());
    if (length > 0 && m_typed.at(length - 1).isHighSurrogate())
        --length; // a character is never split
    if (length <= 0)
        return;
    AddCounts(m_earlierCounts, CountTypedText(m_typed.left(length)));
    m_typed.remove(0, length);
    m_counted.remove(0, length);
    m_pageStart -= length;
}

TypedCounts TypingRun::typedCounts() const
{
    TypedCounts counts = CountTypedText(m_typed);
    AddCounts(counts, m_earlierCounts);
    return counts;
}

void TypingRun::settleCount(int characters)
{
    if (m_started)
        m_characters = qMax(0, characters);
}

void TypingRun::addErrors(int change)
{
    if (m_started)
        m_errors = qMax(0, m_errors + change);
}

qint64 TypingRun::runningMs(const QDateTime &now) const
{
    qint64 paused = m_pausedMs;
    if (m_paused)
        paused += qMax<qint64>(0, m_pauseStart.msecsTo(now));
    return qMax<qint64>(0, m_start.msecsTo(now) - paused);
}

bool TypingRun::timeLimitReached() const
{
    return m_started && m_timeLimitSeconds > 0 && runningMs(m_clock.now()) >= qint64(m_timeLimitSeconds) * 1000;
}

RunFigures TypingRun::figures() const
{
    if (!m_started)
        return m_ended ? m_final : RunFigures{};
    const QDateTime now = m_clock.now();
    RunFigures f;
    f.characters = m_characters;
    f.errors = m_errors;
    // A time limit caps the running clock: the run ends at its last second.
    qint64 running = runningMs(now);
    if (m_timeLimitSeconds > 0)
        running = qMin(running, qint64(m_timeLimitSeconds) * 1000);
    f.elapsedSeconds = int(running / 1000);
    f.speedSeconds = int(qMax<qint64>(0, m_start.msecsTo(now)) / 1000);
    return f;
}
