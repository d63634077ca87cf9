// An idle program does no work: no repeating timer fires at the main window,
// in an opened exercise that is not running, or in a paused run; a running
// text practice wakes only for its clock and stops with the run. The code
// tables are read only when a menu that needs them is reached for, or on
// first use.
#include "ShellFixture.h"

#include "app/ui/GraphicButton.h"
#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/RunPanel.h"

#include <QTest>
#include <QToolButton>

using W = ManagedWindow;

namespace {
// Timer events of repeating timers delivered while the test waits; one-shot
// timers (a splash going, a deferred focus) do not make a window busy.
class RepeatingTimerEvents : public QObject {
public:
    QStringList during(int ms)
    {
        m_fired.clear();
        qApp->installEventFilter(this);
        QTest::qWait(ms);
        qApp->removeEventFilter(this);
        return m_fired;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer) {
            const auto *timer = qobject_cast<QTimer *>(watched);
            const bool oneShot = timer ? timer->isSingleShot()
                                       : QByteArray(watched->metaObject()->className()) == "QSingleShotTimer";
            if (!oneShot)
                m_fired << QString::fromLatin1(watched->metaObject()->className()) + " " + watched->objectName();
        }
        return false;
    }

private:
    QStringList m_fired;
};

QStringList activeRepeatingTimers(const QObject *root)
{
    QStringList names;
    for (const QTimer *t : root->findChildren<QTimer *>())
        if (t->isActive() && !t->isSingleShot())
            names << t->objectName();
    names.sort();
    return names;
}

struct IdleProgram : ShellFixture {
    IdleProgram()
    {
        main.startUp();
        RegisterEverything(ctx, main);
        main.show();
        main.activated();
        main.dismissSplash(); // the splash is gone
    }
};
} // namespace

class IdleTest : public QObject {
    Q_OBJECT
private slots:
    void theIdleMainWindowAndAnIdleExerciseWakeForNothing()
    {
        IdleProgram p;
        QVERIFY(QTest::qWaitForWindowExposed(&p.main));
        RepeatingTimerEvents timers;
        QStringList fired = timers.during(300);
        QVERIFY2(fired.isEmpty(), qPrintable(fired.join(", ")));
        QVERIFY(activeRepeatingTimers(&p.main).isEmpty());

        // Each exercise open, nothing running.
        for (const char *command : {"chinese.line", "english.text", "freeInput", "wubi.radicals", "game.race",
                                    "keyboard.positions", "keyboard.keypad"}) {
            QVERIFY(p.main.runCommand(command));
            fired = timers.during(300);
            QVERIFY2(fired.isEmpty(), qPrintable(QString(command) + ": " + fired.join(", ")));
            QVERIFY2(activeRepeatingTimers(&p.main).isEmpty(), command);
        }
    }

    void aRunningPracticeWakesOnlyForItsClock()
    {
        IdleProgram p;
        QVERIFY(p.main.runCommand("chinese.line"));
        auto *line = qobject_cast<LinePracticeWindow *>(p.main.window(W::LinePracticeWindow));
        QVERIFY(line);
        p.state.pendingText = QStringLiteral("你好世界\r\n");
        line->fillReferencePage();
        // Enter in the start dialog starts the run and its clock.
        StartDialog start(p.ctx);
        QTest::keyClick(&start, Qt::Key_Return);
        QVERIFY(p.runStarted() && p.clockRunning());
        QTRY_COMPARE(activeRepeatingTimers(&p.main), QStringList({"timCount", "timTime"}));

        // Paused: nothing ticks; resumed: the clock again.
        auto *status = qobject_cast<RunPanel *>(p.main.window(W::RunPanel));
        QTest::mouseClick(status->pauseButton, Qt::LeftButton);
        QVERIFY(!p.clockRunning());
        QTRY_VERIFY(activeRepeatingTimers(&p.main).isEmpty());
        QTest::mouseClick(status->pauseButton, Qt::LeftButton);
        QTRY_COMPARE(activeRepeatingTimers(&p.main), QStringList({"timCount", "timTime"}));

        // The run ends: the clock stops and the window is idle once more.
        p.run().end();
        QTRY_VERIFY(activeRepeatingTimers(&p.main).isEmpty());
        QVERIFY(status->startButton->isEnabled() && !status->stopButton->isEnabled());
    }

    void theCodeTablesWaitForAMenuThatNeedsThem()
    {
        IdleProgram p;
        QTest::qWait(50);
        QVERIFY(p.state.tables.t86.isEmpty() && p.state.tables.t98.isEmpty());

        // 指法练习, 中文打字 without the Wubi composer and 英文打字 leave them on disk.
        for (int button : {0, 1, 2}) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(p.main.menuButton(button), &enter);
        }
        QTest::qWait(200);
        QVERIFY(p.state.tables.t86.isEmpty());

        // Reaching for 五笔打字 reads them on a worker thread.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(p.main.menuButton(4), &enter);
        QTRY_VERIFY(!p.state.tables.t86.isEmpty() && !p.state.tables.t98.isEmpty());
        QVERIFY(p.main.startupMessages().isEmpty());
    }

    // Line practice opens without them; what first needs them (here a
    // command, as the Wubi drills do) finds them read, also when no menu
    // was reached for and when a read is still under way.
    void theCodeTablesAreReadOnFirstUse()
    {
        IdleProgram p;
        QVERIFY(p.main.runCommand("chinese.line"));
        QVERIFY(p.state.tables.t86.isEmpty() && p.state.tables.t98.isEmpty());

        bool tablesAtCommand = false;
        p.main.setCommand("help.about", [&] {
            const CodeTables &tables = CodeTablesOf(p.state);
            tablesAtCommand = !tables.t86.isEmpty() && !tables.t98.isEmpty();
        });
        p.main.menuAction("help.about")->trigger();
        QVERIFY(tablesAtCommand);

        IdleProgram reading;
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(reading.main.menuButton(7), &enter);
        QVERIFY(!CodeTablesOf(reading.state).t98.isEmpty());
    }
};

QTEST_MAIN(IdleTest)
#include "idle.moc"
