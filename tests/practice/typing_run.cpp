// The run object over random runs: keys, phrase commits, erasures, pauses and
// time limits, with the clock moving on between them. Its figures must equal
// those worked out afresh from the log of what happened.
#include "data/Clock.h"
#include "practice/TypingRun.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

namespace {

enum class Step { Key, Phrase, LineBreak, Erase, Pause, Resume, Wait };

struct Event {
    Step step;
    qint64 atMs;    // since the start
    QString text;   // typed (Key, Phrase, LineBreak)
    int count = 0;  // erased characters (Erase), wrong ones (Key, Phrase)
};

// What the log says the figures are, worked out without the run object.
RunFigures FiguresFromLog(const QVector<Event> &log, qint64 endMs, int limitSeconds)
{
    QString typed;
    int errors = 0;
    qint64 pausedMs = 0, pauseStart = -1;
    for (const Event &e : log) {
        switch (e.step) {
        case Step::Key:
        case Step::Phrase:
        case Step::LineBreak:
            typed += e.text;
            errors += e.count;
            break;
        case Step::Erase:
            typed.chop(e.count);
            break;
        case Step::Pause:
            pauseStart = e.atMs;
            break;
        case Step::Resume:
            pausedMs += e.atMs - pauseStart;
            pauseStart = -1;
            break;
        case Step::Wait:
            break;
        }
    }
    if (pauseStart >= 0)
        pausedMs += endMs - pauseStart;
    RunFigures f;
    f.characters = int(typed.size() - typed.count(QLatin1Char('\r')) - typed.count(QLatin1Char('\n')));
    f.errors = errors;
    qint64 running = endMs - pausedMs;
    if (limitSeconds > 0)
        running = qMin(running, qint64(limitSeconds) * 1000);
    f.elapsedSeconds = int(running / 1000);
    f.speedSeconds = int(endMs / 1000);
    return f;
}

} // namespace

class TypingRunTest : public QObject {
    Q_OBJECT
private slots:
    void figuresEqualTheEventLog()
    {
        const QString characters = QStringLiteral("天地玄黄宇宙洪荒abcXYZ，。");
        for (quint32 seed = 1; seed <= 400; ++seed) {
            QRandomGenerator random(seed);
            const QDateTime start(QDate(2026, 3, 1), QTime(23, 58, 0)); // some runs pass midnight
            ManualClock clock(start);
            TypingRun run(clock);
            QSignalSpy ended(&run, &TypingRun::ended);
            const int limit = random.bounded(3) == 0 ? 20 + random.bounded(100) : 0;
            run.setTimeLimit(limit);
            run.start(QStringLiteral("line"));

            QVector<Event> log;
            QString typed;
            bool paused = false;
            qint64 endMs = -1;
            const int steps = 20 + random.bounded(200);
            for (int i = 0; i < steps && run.isStarted(); ++i) {
                clock.advanceMs(random.bounded(2500));
                const qint64 at = start.msecsTo(clock.now());
                Event e{Step(random.bounded(7)), at, {}, 0};
                if (paused && e.step != Step::Resume && e.step != Step::Wait)
                    e.step = Step::Wait; // a paused run takes no input
                if (!paused && e.step == Step::Resume)
                    e.step = Step::Pause;
                switch (e.step) {
                case Step::Key:
                case Step::Phrase: {
                    const int n = e.step == Step::Key ? 1 : 2 + random.bounded(3);
                    for (int k = 0; k < n; ++k) {
                        e.text += characters.at(random.bounded(characters.size()));
                        e.count += random.bounded(5) == 0 ? 1 : 0;
                    }
                    typed += e.text;
                    run.addErrors(e.count);
                    break;
                }
                case Step::LineBreak:
                    e.text = QStringLiteral("\r\n");
                    typed += e.text;
                    break;
                case Step::Erase:
                    e.count = qMin<int>(typed.size(), 1 + random.bounded(3));
                    typed.chop(e.count);
                    break;
                case Step::Pause:
                case Step::Resume:
                    paused = e.step == Step::Pause;
                    run.setPaused(paused);
                    break;
                case Step::Wait:
                    break;
                }
                log.append(e);
                // What the window tells the run, and the status window's tick.
                run.setTyped(typed);
                run.countTyped();
                if (run.timeLimitReached()) {
                    endMs = at;
                    run.end();
                }
            }
            if (run.isStarted()) {
                clock.advanceMs(random.bounded(3000));
                endMs = start.msecsTo(clock.now());
                run.end();
            }
            const RunFigures expected = FiguresFromLog(log, endMs, limit);
            const RunFigures got = run.figures();
            QVERIFY2(got == expected,
                     qPrintable(QStringLiteral("seed %1: %2/%3/%4/%5 against %6/%7/%8/%9")
                                    .arg(seed)
                                    .arg(got.characters).arg(got.errors).arg(got.elapsedSeconds).arg(got.speedSeconds)
                                    .arg(expected.characters).arg(expected.errors)
                                    .arg(expected.elapsedSeconds).arg(expected.speedSeconds)));
            QCOMPARE(ended.size(), 1);
            QCOMPARE(ended.at(0).at(0).value<RunFigures>(), expected);
            if (limit > 0 && got.elapsedSeconds >= limit)
                QCOMPARE(got.elapsedSeconds, limit);
            // The speed is the report's: characters a minute of wall clock.
            QCOMPARE(got.speed(), expected.speedSeconds < 1 || expected.characters < 1
                                      ? 0 : expected.characters * 60 / expected.speedSeconds);
        }
    }
};

QTEST_GUILESS_MAIN(TypingRunTest)
#include "typing_run.moc"
