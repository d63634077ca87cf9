#include "practice/ui/RunControl.h"

#include "shell/AppContext.h"
#include "practice/PracticeState.h"
#include "practice/Statistics.h"
#include "practice/TextFile.h"
#include "practice/ui/LineForm.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/StartSetDialog.h"
#include "practice/ui/StateForm.h"
#include "shell/PracticeReport.h"
#include "shell/ui/ComposerInput.h"

#include <QLabel>

namespace {
StateForm *OpenStateForm(AppContext &ctx)
{
    if (!ctx.shell || !IsWindowOpen(ctx.state, ManagedWindow::StateForm))
        return nullptr;
    return qobject_cast<StateForm *>(ctx.shell->window(ManagedWindow::StateForm));
}

LineForm *OpenLineForm(AppContext &ctx)
{
    if (!ctx.shell || !ctx.state.shown(ManagedWindow::LineForm))
        return nullptr;
    return qobject_cast<LineForm *>(ctx.shell->window(ManagedWindow::LineForm));
}

QWidget *DialogParent(AppContext &ctx)
{
    return ctx.shell ? ctx.shell->mainWindow() : nullptr;
}
} // namespace

bool IsWindowOpen(const PracticeState &state, ManagedWindow which)
{
    return state.window(which).shown || state.window(which).hiddenWithMain;
}

void ForgetPracticeWindow(PracticeState &state, ManagedWindow which)
{
    state.window(which).shown = false;
    state.window(which).opening = false;
    state.runStarted = false;
    state.clockRunning = false;
}

void ShowReadyWhileRunning(AppContext &ctx)
{
    const PracticeState &s = ctx.state;
    if (s.runStarted && s.clockRunning && ctx.shell)
        ctx.shell->SetStatusState(true);
}

void ShowPracticeReport(AppContext &ctx)
{
    const PracticeState &s = ctx.state;
    StateForm *stateForm = OpenStateForm(ctx);
    const QString speed = stateForm ? stateForm->lblTypeNum->text() : QString();
    const QString time = stateForm ? stateForm->lblTime->text() : QString();

    PracticeReport report;
    report.title = ReportTitle(s.chineseText, IsWindowOpen(s, ManagedWindow::FreeForm));
    report.captions = ReportCaptions(s.chineseText);
    report.values = ReportValues(RunTypedCounts(s), s.errorCount, speed, time);
    if (ctx.composer)
        report.keysPerCharacter = ctx.composer->keysPerCharacterText();

    ClearLiveFigures(ctx);
    if (ctx.reportWindow)
        ctx.reportWindow->showReport(report);
}

void ClearLiveFigures(AppContext &ctx)
{
    if (StateForm *stateForm = OpenStateForm(ctx))
        stateForm->clearLiveFigures();
}

void ClearAccuracyFigure(AppContext &ctx)
{
    if (StateForm *stateForm = OpenStateForm(ctx))
        stateForm->clearAccuracyFigure();
}

void ShowStartSettings(AppContext &ctx)
{
    StartSetDialog dialog(ctx, DialogParent(ctx));
    dialog.exec();
}

void ShowStartDialog(AppContext &ctx)
{
    StartDialog dialog(ctx, DialogParent(ctx));
    dialog.exec();
}

void FillReferencePage(AppContext &ctx)
{
    if (LineForm *lineForm = OpenLineForm(ctx))
        lineForm->fillReferencePage();
}

void ClearReferencePage(AppContext &ctx)
{
    if (LineForm *lineForm = OpenLineForm(ctx))
        lineForm->clearReferencePage();
}
