#pragma once
// One text-practice run, from Enter in the start dialog to its end: its kind,
// its start, pauses and running time, the text typed and the errors judged,
// and its time limit. It is the only keeper of these: the windows tell it what
// happens and read it back. Its figures are the one set the live display, the
// report, the record file and the progress statistics all show.
#include "pinyin/PinyinMistakes.h"
#include "practice/TextFile.h"

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

    // A new run from zero, running from now: nothing typed, no errors.
    void start(const QString &kind);
    // Pausing stops the running clock; typing goes on counting when resumed.
    void setPaused(bool paused);
    // Freezes the figures and says so once; nothing happens when not started.
    // What was typed stays readable until the next start.
    void end();

    // What now stands typed in a window that shows the whole run at once.
    // Ignored outside a run, as are the two below.
    void setTyped(const QString &typed);
    // A window that turns pages: what stands typed on the open page, after
    // the pages finished before it.
    void setPageTyped(const QString &page);
    // The open page is finished, as typed, and is never edited again. A long
    // run keeps finished pages only as counts, so that it needs the same
    // memory after a million characters as after a hundred; no more is let go
    // than the live count has seen, so it goes on exactly as if the whole
    // text were kept.
    void finishPage(const QString &page);
    // The text typed in the run, less the finished pages let go of.
    const QString &typed() const { return m_typed; }
    // The live count takes in the change since it last looked: only the
    // lengths and the tail are compared (TypedCountChange).
    void countTyped();
    // The counts of everything typed in the run: the pages let go and typed().
    TypedCounts typedCounts() const;
    // The count of what stands typed, worked out afresh at the end of the
    // run, replaces the running count.
    void settleCount(int characters);
    // The judge's errors change by `change` (negative: corrected); never below 0.
    void addErrors(int change);
    int errors() const { return m_errors; }
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
    void dropFinishedPages();

    const Clock &m_clock;
    QString m_kind;
    bool m_started = false;
    bool m_paused = false;
    QDateTime m_start;
    QDateTime m_pauseStart;
    qint64 m_pausedMs = 0;
    QString m_typed;
    qsizetype m_pageStart = 0; // where the open page begins in m_typed
    QString m_counted; // the typed text as the live count last saw it
    TypedCounts m_earlierCounts; // pages dropped from m_typed
    int m_characters = 0;
    int m_errors = 0;
    int m_timeLimitSeconds = 0;
    RunFigures m_final;
    PinyinMistakeLog m_pinyinMistakes;
    bool m_ended = false;
};

Q_DECLARE_METATYPE(RunFigures)
