#pragma once
// The status window frmState: start, pause and stop of a text-practice run,
// the live figures (speed, accuracy, count, time) and the two timers that
// drive them.
#include "shell/Shell.h"
#include "practice/ui/ReferenceFileDialog.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;
class PracticeWindow;
struct AppContext;

class StateForm : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    StateForm(AppContext &ctx, QWidget *parent = nullptr);
    ~StateForm() override;

    void cmdStart_Click();
    void cmdPause_Click();
    // The pause button's look and tooltip: held down with "继续" while paused.
    void showPaused(bool paused);
    void cmdStop_Click();
    void timTime_Timer();  // every 1000 ms
    void timCount_Timer(); // every 200 ms
    // The two timers run only while the run's clock runs.
    void followRun();

    void clearLiveFigures();
    void clearAccuracyFigure();

    // Replaces the reference file dialog (tests answer it without a window).
    void setFileChooser(ReferenceFileChooser chooser) { m_chooseFile = std::move(chooser); }

    QLabel *lblTypeNum = nullptr;
    QLabel *lblRightRate = nullptr;
    QLabel *lblTotalByte = nullptr;
    QLabel *lblTime = nullptr;
    QToolButton *cmdStart = nullptr;
    QToolButton *cmdPause = nullptr;
    QToolButton *cmdStop = nullptr;

    int elapsedSeconds() const { return m_elapsedSeconds; }
    int typedCount() const { return m_typedCount; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool clockTicking() const;
    void buildLabels();
    void buildButtons();
    void updateLiveFigures();
    void updateButtonStates();
    void prepareFileRun(bool lineByLine);
    PracticeWindow *practiceWindow(ManagedWindow which) const;

    AppContext &m_ctx;
    QTimer *m_timTime = nullptr;
    QTimer *m_timCount = nullptr;
    int m_elapsedSeconds = 0;
    int m_typedCount = 0;
    bool m_followPending = false;
    ReferenceFileChooser m_chooseFile = ChooseReferenceFile;
};
