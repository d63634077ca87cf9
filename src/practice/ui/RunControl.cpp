#include "practice/ui/RunControl.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/RunLimitsDialog.h"
#include "progress/ProgressData.h"


namespace {
QWidget *DialogParent(AppContext &ctx)
{
    return ctx.shell ? ctx.shell->mainWindow() : nullptr;
}
} // namespace

bool IsWindowOpen(const PracticeState &state, ManagedWindow which)
{
    return state.window(which).shown || state.window(which).hiddenWithMain;
}

QString RunExerciseKind(const PracticeState &state)
{
    if (!state.exerciseKind.isEmpty())
        return state.exerciseKind;
    if (IsWindowOpen(state, ManagedWindow::FreeInputWindow))
        return exercise::kFree;
    return IsWindowOpen(state, ManagedWindow::TextPracticeWindow) ? exercise::kText : exercise::kLine;
}

void ShowRunLimits(AppContext &ctx)
{
    RunLimitsDialog dialog(ctx, DialogParent(ctx));
    dialog.exec();
}

void ShowStartDialog(AppContext &ctx)
{
    StartDialog dialog(ctx, DialogParent(ctx));
    dialog.exec();
}
