#pragma once
// The status window RunPanel: start, pause and stop of a text-practice run,
// the live figures (speed, accuracy, count, time) and the two timers that
// drive them.
#include "shell/Shell.h"
#include "practice/TypingFigures.h"
#include "practice/ui/ReferenceFileDialog.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;
class PracticeWindow;
class TypingRun;
struct RunFigures;
struct AppContext;

class RunPanel : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    RunPanel(AppContext &ctx, QWidget *parent = nullptr);
    ~RunPanel() override;

    void prepareRun();
    void togglePause();
    // The pause button's look and tooltip: held down with "继续" while paused.
    void showPaused(bool paused);
    void stopRun();
    void tickClock();  // every 1000 ms
    void tickFigures(); // every 200 ms

    void clearLiveFigures();
    void clearAccuracyFigure();
    // The buttons as the run and the kind of practice allow them.
    void updateButtonStates();

    // Replaces the reference file dialog (tests answer it without a window).
    void setFileChooser(ReferenceFileChooser chooser) { m_chooseFile = std::move(chooser); }

    QLabel *speedLabel = nullptr;
    QLabel *accuracyLabel = nullptr;
    QLabel *typedCountLabel = nullptr;
    QLabel *timeLabel = nullptr;
    QLabel *typingLabel = nullptr; // 击键, 码长, 理想码长, 打词率, 选重, 回改
    QToolButton *startButton = nullptr;
    QToolButton *pauseButton = nullptr;
    QToolButton *stopButton = nullptr;

    // The run the window shows; it lives as long as the window.
    TypingRun &run() const { return *m_run; }
    // Starts the run from Enter in the start dialog, with the limit set.
    void startRun();
    // Running seconds and typed count of the run going on; 0 when idle.
    int elapsedSeconds() const;
    int typedCount() const;
    // The run's typing figures so far (as of its end once it ended).
    TypingFigures typingFigures();

private:
    // Starts or stops the two timers with the run's clock.
    void followClock(bool running);
    void showRunButtons(bool started);
    void buildLabels();
    void countTyping();
    // How the run about to start is typed: the composer's method when it
    // types in this practice, else the system input method.
    QString methodOfRun() const;
    void showTypingFigures(const RunFigures &f);
    void buildButtons();
    void updateLiveFigures();
    void prepareFileRun(bool lineByLine);
    PracticeWindow *practiceWindow(ManagedWindow which) const;

    AppContext &m_ctx;
    QTimer *m_clock = nullptr;
    QTimer *m_figureTick = nullptr;
    TypingRun *m_run = nullptr;
    TypingFigureCounter m_typing;
    ReferenceFileChooser m_chooseFile; // set by the constructor
};

// The run of the open status window; nullptr while none is open.
TypingRun *OpenRun(AppContext &ctx);
// Started, and not paused.
bool IsRunStarted(AppContext &ctx);
bool IsClockRunning(AppContext &ctx);
// A practice window goes: its run ends with no report.
void EndRunWithoutReport(AppContext &ctx);
// An input box got the focus: the strip shows "ready" while the clock runs.
void ShowReadyWhileRunning(AppContext &ctx);
// Enter in the start dialog: the status window's run starts from now.
void StartRunFigures(AppContext &ctx);
// Ends the status window's run, computes the final statistics, fills the
// result window, empties the live figures and shows the result window
// modally.
void ShowPracticeReport(AppContext &ctx);
// accuracyLabel, timeLabel, typedCountLabel and speedLabel of RunPanel become empty.
void ClearLiveFigures(AppContext &ctx);
// The status window's buttons after the practice changed outside a run (the
// start settings cancelled leave a drill that cannot be started again).
void UpdateRunButtons(AppContext &ctx);
// Only accuracyLabel (free input shows no accuracy).
void ClearAccuracyFigure(AppContext &ctx);
