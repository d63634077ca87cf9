#pragma once
// Run control shared by the text-practice windows: the end-of-run report and
// the live figures of the status window frmState.
struct AppContext;
struct PracticeState;
enum class ManagedWindow;

// Loaded, also while hidden with the minimized main window.
bool IsWindowOpen(const PracticeState &state, ManagedWindow which);
// A practice window goes: out of the registry, and the run ends with it.
void ForgetPracticeWindow(PracticeState &state, ManagedWindow which);
// An input box got the focus: the strip shows "ready" while the clock runs.
void ShowReadyWhileRunning(AppContext &ctx);

// Computes the final statistics, fills the result window, empties the live
// figures and shows the result window modally. Callers set runStarted and
// clockRunning to false first.
void ShowPracticeReport(AppContext &ctx);
// lblRightRate, lblTime, lblTotalByte and lblTypeNum of frmState become empty.
void ClearLiveFigures(AppContext &ctx);
// Only lblRightRate (free input shows no accuracy).
void ClearAccuracyFigure(AppContext &ctx);

// The start-settings dialog frmStartSet, modal; the caller reads
// state.startSetCancelled afterwards.
void ShowStartSettings(AppContext &ctx);
// The start dialog StartDialog, modal; Enter starts the run.
void ShowStartDialog(AppContext &ctx);
// On the open line-by-line window: cut the next page from state.pendingText /
// empty the four lines.
void FillReferencePage(AppContext &ctx);
void ClearReferencePage(AppContext &ctx);
