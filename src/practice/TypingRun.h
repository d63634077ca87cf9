#pragma once
// One text-practice run, from Enter in the start dialog to its end: its kind,
// its start, pauses and running time, the characters typed and the errors
// judged, and its time limit. Its figures are the one set the live display,
// the report, the record file and the progress statistics all show.
#include "pinyin/PinyinMistakes.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class Clock;

struct RunFigures {
    int characters = 0;     // typed, CR and LF never count
    int errors = 0;         // judged wrong
    int elapsedSeconds = 0; // running clock: paused time does not count
    int speedSeconds = 0;   // wall-clock seconds since the start, paused time included

    // Characters a minute over the wall-clock time since the start, rounded
    // down; 0 under a second or with nothing typed.
    int speed() const;
    bool operator==(const RunFigures &o) const
    {
        return characters == o.characters && errors == o.errors && elapsedSeconds == o.elapsedSeconds
               && speedSeconds == o.speedSeconds;
    }
};

class TypingRun : public QObject {
    Q_OBJECT
public:
    explicit TypingRun(const Clock &clock, QObject *parent = nullptr);

    // A new run from zero, running from now.
    void start(const QString &kind);
    // Pausing stops the running clock; typing goes on counting when resumed.
    void setPaused(bool paused);
    // Freezes the figures and says so once; nothing happens when not started.
    void end();

    // The typed count changes by `change` characters (negative: erased).
    void addTyped(int change);
    // The count of what stands typed, worked out afresh at the end of the
    // run, replaces the running count.
    void settleCount(int characters);
    void setErrors(int errors);
    // Seconds of running clock after which the run is due to end; 0 for none.
    void setTimeLimit(int seconds) { m_timeLimitSeconds = seconds; }
    bool timeLimitReached() const;

    bool isStarted() const { return m_started; }
    bool isRunning() const { return m_started && !m_paused; }
    QString kind() const { return m_kind; }
    QDateTime startTime() const { return m_start; }
    // As of now while the run goes on; as of its end afterwards.
    RunFigures figures() const;

    // The pinyin confusions of the run's wrong characters (pinyin drills).
    PinyinMistakeLog &pinyinMistakes() { return m_pinyinMistakes; }

signals:
    void started();
    void pausedChanged(bool paused);
    void ended(const RunFigures &figures);

private:
    qint64 runningMs(const QDateTime &now) const;

    const Clock &m_clock;
    QString m_kind;
    bool m_started = false;
    bool m_paused = false;
    QDateTime m_start;
    QDateTime m_pauseStart;
    qint64 m_pausedMs = 0;
    int m_characters = 0;
    int m_errors = 0;
    int m_timeLimitSeconds = 0;
    RunFigures m_final;
    PinyinMistakeLog m_pinyinMistakes;
    bool m_ended = false;
};

Q_DECLARE_METATYPE(RunFigures)
