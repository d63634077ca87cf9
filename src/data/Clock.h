#pragma once
// Time reaches the program's logic only through a Clock, so tests can set it
// (a 60-second limit, midnight, pauses) without waiting.
#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // "hh:mm:ss" of the local time, as the run clock and the live figures use it.
    QString timeText() const { return now().time().toString(QStringLiteral("hh:mm:ss")); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(9, 0, 0)))
        : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &t) { m_now = t; }
    void advanceSeconds(qint64 s) { m_now = m_now.addSecs(s); }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

// Second of the day: hour * 3600 + minute * 60 + second, plus 86400 when the
// clock has passed midnight since `startSecond` (the drill's start second).
int secondOfDay(const QTime &t);
int secondOfDaySince(const QTime &t, int startSecond);
