#pragma once
// Run control shared by the text-practice windows: which windows are open,
// the kind of the run, and the start dialogs. The report and the live
// figures belong to the status window (RunPanel.h), the reference page to
// the line-by-line window (LinePracticeWindow.h).
#include <QString>

struct AppContext;
struct PracticeState;
enum class ManagedWindow;

// Loaded, also while hidden with the minimized main window.
bool IsWindowOpen(const PracticeState &state, ManagedWindow which);

// How the progress statistics file the run of the open practice window: the
// kind its command set, else the window's own.
QString RunExerciseKind(const PracticeState &state);

// The start-settings dialog RunLimitsDialog, modal; the caller reads
// state.runLimitsCancelled afterwards.
void ShowRunLimits(AppContext &ctx);
// The start dialog StartDialog, modal; Enter starts the run.
void ShowStartDialog(AppContext &ctx);
