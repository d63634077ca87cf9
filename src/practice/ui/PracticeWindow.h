#pragma once
// The three text-practice windows (line by line, whole text, free input) as
// the run control of the status window drives them.
#include "shell/Shell.h"

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
