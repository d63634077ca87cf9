// The status window's run control: the run clock and its time limit, live
// figures from the wall clock, button states, the start dialog, the start
// button with the reference file dialog, and the start settings.
#include "PracticeHarness.h"
#include "practice/ui/ReferenceFileDialog.h"
#include "practice/ui/RunControl.h"
#include "practice/ui/RunLimitsDialog.h"
#include "practice/TypingRun.h"
#include "progress/ProgressData.h"
#include "support/FileBytes.h"
#include "support/ModalScript.h"

#include <QRadioButton>
#include <QtTest>

namespace {
} // namespace

class RunControlTest : public QObject {
    Q_OBJECT
private slots:
    void timeLimitCountsOnlyRunningSeconds()
    {
        PracticeHarness h(false);
        ModalWatcher watcher;
        h.state.timeLimited = true;
        h.state.timeLimitSeconds = 60;
        h.startRun(QStringLiteral("abcdef\r\n"));
        h.runSeconds(30);
        h.status->togglePause();
        h.runSeconds(100); // paused: the clock stands still
        QCOMPARE(h.status->timeLabel->text(), QStringLiteral("00:00:30"));
        h.status->togglePause();
        h.runSeconds(29);
        QVERIFY(h.runStarted());
        QVERIFY(watcher.titles.isEmpty());
        h.runSeconds(1);
        QVERIFY(!h.runStarted());
        QCOMPARE(watcher.reports.size(), size_t(1));
        QCOMPARE(watcher.reports[0].values[5], QStringLiteral("00:01:00"));
        QCOMPARE(h.status->elapsedSeconds(), 0);
    }

    // The time limit ends a run also while the main window is minimized and
    // the practice windows are hidden with it: the report still has its
    // speed, its time and the title of the practice.
    void timeLimitWhileMinimizedReportsInFull_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("practice"); // ManagedWindow
        QTest::addColumn<QString>("title");
        QTest::newRow("line by line") << "chinese.line" << int(ManagedWindow::LinePracticeWindow)
                                      << "统计资料——打字类型：中文打字";
        QTest::newRow("free input") << "freeInput" << int(ManagedWindow::FreeInputWindow)
                                    << "统计资料——打字类型：自由录入";
    }
    void timeLimitWhileMinimizedReportsInFull()
    {
        QFETCH(QString, command);
        QFETCH(int, practice);
        TestContext t;
        RegisterLinePractice(t.ctx, t.shell);
        RegisterTextPractice(t.ctx, t.shell);
        RegisterRecords(t.ctx, t.shell); // the result window
        t.clock.set(QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)));
        t.shell.mainWindow()->show();
        QVERIFY(t.shell.runCommand(command));
        auto *status = qobject_cast<RunPanel *>(t.shell.window(ManagedWindow::RunPanel));
        QVERIFY(status);
        for (QTimer *timer : status->findChildren<QTimer *>())
            timer->stop();
        const auto which = ManagedWindow(practice);
        if (auto *line = qobject_cast<LinePracticeWindow *>(t.shell.window(which))) {
            t.state.pendingText = QStringLiteral("你好世界\r\n");
            line->fillReferencePage();
        }
        t.state.timeLimited = true;
        t.state.timeLimitSeconds = 5;
        StartDialog(t.ctx).startOnEnter(Qt::Key_Return);
        const QString inputName = which == ManagedWindow::LinePracticeWindow ? QStringLiteral("rtbIn(0)") : QStringLiteral("rtbIn");
        QWidget *input = t.shell.window(which)->findChild<QWidget *>(inputName);
        QVERIFY(input);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("你好"));
        QApplication::sendEvent(input, &commit);
        QCOMPARE(t.run().typed(), QStringLiteral("你好"));
        auto tick = [&] {
            t.clock.advanceSeconds(1);
            status->tickClock();
            status->tickFigures();
        };
        for (int i = 0; i < 4; ++i)
            tick();

        // Minimized: the windows are hidden with the main window.
        for (ManagedWindow w : {ManagedWindow::RunPanel, which}) {
            t.shell.window(w)->hide();
            t.state.window(w).shown = false;
            t.state.window(w).hiddenWithMain = true;
        }
        ReportCatcher catcher;
        tick();
        QVERIFY(!t.runStarted());
        QCOMPARE(catcher.reports.size(), size_t(1));
        QTEST(catcher.reports[0].title, "title");
        // Two characters in the run's five seconds.
        QCOMPARE(catcher.reports[0].values.at(0), QStringLiteral("24 字/分"));
        QCOMPARE(catcher.reports[0].values.at(3), QStringLiteral("2"));
        QCOMPARE(catcher.reports[0].values.at(5), QStringLiteral("00:00:05"));
    }

    void cancelledLimitNeverEndsTheRun()
    {
        PracticeHarness h(false);
        ModalWatcher watcher;
        h.state.timeLimited = true; // left from an earlier drill
        h.state.timeLimitSeconds = 0; // the start settings were cancelled
        h.startRun(QStringLiteral("abcdef\r\n"));
        h.runSeconds(5);
        QVERIFY(h.runStarted());
    }

    void speedComesFromTheWallClock()
    {
        PracticeHarness h(false);
        h.startRun(QStringLiteral("abcdefghij\r\nklm\r\n"));
        QCOMPARE(h.run().startTime().time(), QTime(9, 0, 0));
        h.status->tickFigures();
        QCOMPARE(h.status->speedLabel->text(), QStringLiteral("   0 字/分"));
        QCOMPARE(h.status->accuracyLabel->text(), QString());
        QTest::keyClicks(h.line->input(0), QStringLiteral("abcXe"));
        h.runSeconds(60);
        QCOMPARE(h.status->typedCount(), 5);
        QCOMPARE(h.status->speedLabel->text(), QStringLiteral("   5 字/分"));
        QCOMPARE(h.status->accuracyLabel->text(), QStringLiteral("80.00%"));
        QCOMPARE(h.status->typedCountLabel->text(), QStringLiteral("5"));

        // A minute's pause: the running clock stands, the speed drops.
        h.status->togglePause();
        h.clock.advanceSeconds(60);
        h.status->tickClock();
        h.status->tickFigures();
        h.status->togglePause();
        h.status->tickFigures();
        QCOMPARE(h.status->timeLabel->text(), QStringLiteral("00:01:00"));
        QCOMPARE(h.status->speedLabel->text(), QStringLiteral("   2 字/分"));

        // Erasing takes from the count.
        h.backspace(0);
        h.status->tickFigures();
        QCOMPARE(h.status->typedCount(), 4);
    }

    // The clock passing midnight changes nothing: the speed goes on from the start.
    void speedGoesOnPastMidnight()
    {
        PracticeHarness h(false);
        h.clock.set(QDateTime(QDate(2026, 3, 1), QTime(23, 59, 0)));
        h.startRun(QStringLiteral("abcdefghij\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("abcd"));
        h.runSeconds(30);
        QCOMPARE(h.status->speedLabel->text(), QStringLiteral("   8 字/分"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("efgh"));
        h.runSeconds(60); // now 00:00:30 of the next day: 8 in 90 s
        QCOMPARE(h.status->speedLabel->text(), QStringLiteral("   5 字/分"));
        QCOMPARE(h.status->typedCountLabel->text(), QStringLiteral("8"));
    }

    void idleTicksSetButtonsAndANewRunStartsFromNothing()
    {
        PracticeHarness h(false);
        h.startRun(QStringLiteral("left over\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("leX"));
        QCOMPARE(h.run().errors(), 1);
        h.run().end(); // as when a window closes without a report
        h.status->tickFigures();
        QVERIFY(h.status->startButton->isEnabled());
        QVERIFY(!h.status->pauseButton->isEnabled());
        QVERIFY(!h.status->stopButton->isEnabled());
        QCOMPARE(h.status->startButton->toolTip(), QStringLiteral("开始"));
        QCOMPARE(h.status->stopButton->toolTip(), QStringLiteral("停止"));

        h.state.generatedDrill = true;
        h.status->tickFigures();
        QVERIFY(!h.status->startButton->isEnabled());

        h.startRun(QStringLiteral("ab\r\n"));
        QVERIFY(h.run().typed().isEmpty());
        QCOMPARE(h.run().errors(), 0);
        h.status->tickFigures();
        QCOMPARE(h.status->typedCount(), 0);
        QVERIFY(!h.status->startButton->isEnabled());
        QVERIFY(h.status->pauseButton->isEnabled());
        QVERIFY(h.status->stopButton->isEnabled());
    }

    // The two timers run exactly while the run's clock runs, following the
    // run's start, pause, resume and end without waiting for any input.
    void timersFollowTheRunsClock()
    {
        PracticeHarness h(false);
        auto *clockTimer = h.status->findChild<QTimer *>(QStringLiteral("timTime"));
        auto *figureTimer = h.status->findChild<QTimer *>(QStringLiteral("timCount"));
        QVERIFY(clockTimer && figureTimer);
        auto running = [&] { return clockTimer->isActive() && figureTimer->isActive(); };
        auto stopped = [&] { return !clockTimer->isActive() && !figureTimer->isActive(); };
        QVERIFY(stopped());
        TypingRun &run = h.status->run();
        run.start(exercise::kLine);
        QVERIFY(running());
        run.setPaused(true);
        QVERIFY(stopped());
        run.setPaused(false);
        QVERIFY(running());
        run.end();
        QVERIFY(stopped());
    }

    void stopShowsTheReport()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        h.startRun(QStringLiteral("你好，世界\r\n"));
        h.commitEach(0, QStringLiteral("你好，"));
        h.runSeconds(3);
        h.status->togglePause();
        h.status->stopRun();
        QVERIFY(!h.runStarted() && !h.clockRunning());
        const std::array<QString, 6> expected = {"60 字/分", "2", "1", "3", "100.00%", "00:00:03"};
        QCOMPARE(watcher.reports.size(), size_t(1));
        QCOMPARE(watcher.reports[0].values, expected);
        for (QLabel *label : {h.status->speedLabel, h.status->accuracyLabel, h.status->typedCountLabel, h.status->timeLabel})
            QVERIFY(label->text().isEmpty());
        h.status->tickFigures();
        QCOMPARE(h.status->pauseButton->toolTip(), QStringLiteral("暂停"));
    }

    void startDialogStartsOnlyOnEnter()
    {
        PracticeHarness h;
        h.state.pendingText = QStringLiteral("一二\r\n三四\r\n");
        h.line->fillReferencePage();
        StartDialog dialog(h.ctx);
        QVERIFY(h.state.startDialogShown);
        QCOMPARE(dialog.mask().boundingRect(), QRect(4, 23, 396, 177));
        QVERIFY(!dialog.mask().contains(QPoint(6, 25))); // the corner is cut away
        QTest::keyClick(&dialog, Qt::Key_A);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!h.runStarted());
        h.clock.set(QDateTime(QDate(2026, 3, 1), QTime(14, 5, 9)));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(h.runStarted() && h.clockRunning());
        QCOMPARE(h.run().startTime().time(), QTime(14, 5, 9));
        QCOMPARE(h.unlockedInputs(), 1);
        QVERIFY(!h.line->input(0)->isReadOnly());
        QVERIFY(h.line->reference(0)->selectionVisible());
        QCOMPARE(h.line->expectedChar(), QStringLiteral("一"));
    }

    void startButtonReadsTheChosenFile()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        watcher.handle = [](QWidget *w) {
            if (auto *start = qobject_cast<StartDialog *>(w)) {
                start->startOnEnter(Qt::Key_Return);
                return true;
            }
            return false;
        };
        const QString file = h.env.path() + QStringLiteral("/six.txt");
        // GBK bytes: 甲 乙 丙 丁 戊 己, the last line without CR LF.
        WriteFileBytes(file, QByteArray("\xbc\xd7\r\n\xd2\xd2\r\n\xb1\xfb\r\n\xb6\xa1\r\n\xce\xec\r\n\xbc\xba"));
        QString askedFolder;
        h.status->setFileChooser([&](QWidget *, const QString &folder) {
            askedFolder = folder;
            return file;
        });
        h.status->prepareRun();
        QCOMPARE(askedFolder, InitialReferenceFolder(h.ctx.paths, h.state));
        QCOMPARE(h.line->reference(0)->text(), QStringLiteral("甲"));
        QCOMPARE(h.line->reference(3)->text(), QStringLiteral("丁"));
        QCOMPARE(h.state.pendingText, QStringLiteral("戊\r\n己\r\n"));
        QVERIFY(h.runStarted());
        QVERIFY(h.state.shown(ManagedWindow::LinePracticeWindow));
    }

    void cancelledOrUnreadableFilePreparesNothing()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        h.state.pendingText = QStringLiteral("kept\r\n");
        h.status->setFileChooser([](QWidget *, const QString &) { return QString(); });
        h.status->prepareRun();
        QCOMPARE(h.state.pendingText, QStringLiteral("kept\r\n"));
        QVERIFY(watcher.titles.isEmpty());

        const QString missing = h.env.path() + QStringLiteral("/missing.txt");
        h.status->setFileChooser([&](QWidget *, const QString &) { return missing; });
        h.status->prepareRun();
        QCOMPARE(watcher.messages.size(), 1);
        QVERIFY(watcher.messages.first().contains(QStringLiteral("无法读取对照文本")));
        QVERIFY(!h.runStarted());
        QVERIFY(!h.state.startDialogShown);
    }

    void referenceFolderFollowsPracticeKind()
    {
        TestEnv env;
        PracticeState state;
        AppPaths paths;
        paths.dataRoot = env.path() + QStringLiteral("/root");
        QDir().mkpath(paths.dataRoot + QStringLiteral("/text/Czh"));
        QDir().mkpath(paths.dataRoot + QStringLiteral("/text/ewb"));
        QCOMPARE(InitialReferenceFolder(paths, state), paths.dataRoot);
        state.window(ManagedWindow::LinePracticeWindow).shown = true;
        state.chineseText = true;
        QCOMPARE(InitialReferenceFolder(paths, state), paths.dataRoot + QStringLiteral("/text/Czh"));
        state.chineseText = false; // text/ezh does not exist
        QCOMPARE(InitialReferenceFolder(paths, state), paths.dataRoot);
        state.window(ManagedWindow::LinePracticeWindow).shown = false;
        state.window(ManagedWindow::TextPracticeWindow).shown = true;
        QCOMPARE(InitialReferenceFolder(paths, state), paths.dataRoot + QStringLiteral("/text/ewb"));
        state.chineseText = true;
        QCOMPARE(InitialReferenceFolder(paths, state), paths.dataRoot);
    }

    void runLimitsMessages()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        RunLimitsDialog dialog(h.ctx);
        const QStringList inputs = {"0", "30001", "-3", "abc", "   "};
        for (const QString &text : inputs) {
            dialog.countLimitBox->setText(text);
            dialog.confirmLimits();
        }
        QCOMPARE(watcher.messages,
                 (QStringList{"你输入的数字太大或太小了！", "你输入的数字太大或太小了！", "你输入的数字太大或太小了！",
                              "你必须输入数字", "请先填写要练习的字数！"}));
        QCOMPARE(dialog.result(), 0); // still open
        QCOMPARE(watcher.titles.first(), QStringLiteral("QuorvelV1.41"));

        dialog.countLimitBox->setText(QStringLiteral(" 2.5 "));
        dialog.confirmLimits();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(h.state.charBudget, 2);
        QVERIFY(!h.state.timeLimited && !h.state.unlimitedRun && !h.state.runLimitsCancelled);
    }

    void runLimitsByTimeAndUnlimited()
    {
        PracticeHarness h;
        h.state.charsGenerated = 50;
        h.state.lettersOnlyDrill = true;
        {
            RunLimitsDialog dialog(h.ctx);
            QCOMPARE(h.state.charsGenerated, 0);
            QVERIFY(dialog.limitKindButtons[0]->isChecked());
            QVERIFY(dialog.countLimitBox->isEnabled() && !dialog.timeLimitBox->isEnabled());
            dialog.limitKindButtons[1]->click();
            QVERIFY(!dialog.countLimitBox->isEnabled() && dialog.timeLimitBox->isEnabled());
            dialog.timeLimitBox->setText(QStringLiteral("60"));
            dialog.confirmLimits();
            QVERIFY(h.state.timeLimited);
            QCOMPARE(h.state.timeLimitSeconds, 60);
            QCOMPARE(h.state.charBudget, 240);
        }
        h.state.lettersOnlyDrill = false;
        {
            RunLimitsDialog dialog(h.ctx);
            QCOMPARE(h.state.timeLimitSeconds, 0);
            dialog.limitKindButtons[2]->click();
            QVERIFY(!dialog.countLimitBox->isEnabled() && !dialog.timeLimitBox->isEnabled());
            dialog.confirmLimits();
            QVERIFY(h.state.unlimitedRun && !h.state.timeLimited);
            QCOMPARE(h.state.charBudget, 120);
        }
        {
            RunLimitsDialog dialog(h.ctx);
            h.state.generatedDrill = false;
            QTest::keyClick(&dialog, Qt::Key_Escape); // cancels like the button
            QVERIFY(h.state.runLimitsCancelled);
            QVERIFY(h.state.generatedDrill);
        }
    }

    void runControlWithoutWindowsDoesNothing()
    {
        PracticeHarness h;
        h.shell.unloadWindow(ManagedWindow::LinePracticeWindow);
        h.state.pendingText = QStringLiteral("a\r\n");
        FillReferencePage(h.ctx);
        QCOMPARE(h.state.pendingText, QStringLiteral("a\r\n"));
        h.shell.unloadWindow(ManagedWindow::RunPanel);
        ClearLiveFigures(h.ctx);
        ClearAccuracyFigure(h.ctx);
    }

    void menuCommandsOpenTheLinePractice()
    {
        PracticeHarness h(false);
        QCOMPARE(h.state.practiceTitle, QStringLiteral("英文逐行对照练习"));
        QVERIFY(!h.state.chineseText);
        QVERIFY(h.shell.runCommand(QStringLiteral("chinese.line")));
        QCOMPARE(h.state.practiceTitle, QStringLiteral("中文逐行对照练习"));
        QVERIFY(h.state.chineseText);
        QCOMPARE(h.shell.window(ManagedWindow::LinePracticeWindow), static_cast<QWidget *>(h.line));
        // The status window stays too, its live figures emptied by close-others.
        QCOMPARE(h.shell.window(ManagedWindow::RunPanel), static_cast<QWidget *>(h.status));
        QCOMPARE(h.status->speedLabel->text(), QString());
    }
};

QTEST_MAIN(RunControlTest)
#include "run_control.moc"
