#pragma once
// The three text-practice windows (line by line, whole text, free input) as
// the run control of the status window drives them.
#include "shell/Shell.h"

#include <functional>
#include <initializer_list>

class QEvent;
class QPlainTextEdit;

class PracticeWindow : public ExercisePanel {
public:
    // Reference text read from the chosen file is in state.pendingText: show
    // it (first page, or the whole text) and empty the input.
    virtual void placeMaterial() {}
    // Free input: empty the input box before a run.
    virtual void clearInput() {}
    // Enter in the start dialog: unlock the input and focus it.
    virtual void beginRun() = 0;
    // Pause: lock the input.
    virtual void lockInput() = 0;
    // Resume: unlock, focus, caret at the end of the text.
    virtual void resumeInput() = 0;
};

// Tells the learner, on the status strip, that the window waits for the
// start button (and, for a comparison, a reference text).
void ShowWaitingForStart(Shell &shell, bool choosesText);

// Helpers of the windows' input boxes.
// Unlocked, focused, caret at the end of the text.
void ResumeTyping(QPlainTextEdit *box);
// The size chosen in the settings dialog; 0 keeps the designed size.
void ApplyPointSize(std::initializer_list<QWidget *> boxes, int size);
// Hands focus-in and focus-out of a watched box to the window's handlers.
void ForwardFocus(const QEvent *event, const std::function<void()> &gotFocus,
                  const std::function<void()> &lostFocus);
