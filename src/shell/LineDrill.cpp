#include "shell/LineDrill.h"

#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/PracticeRun.h"
#include "shell/Shell.h"

void RunLineDrill(AppContext &ctx, Shell &shell, const LineDrill &drill)
{
    PracticeState &s = ctx.state;
    PracticeRun *run = ctx.practiceRun; // the line practice runs every drill
    if (!run)
        return;
    shell.openLinePractice();
    run->showRunLimits();
    if (s.runLimitsCancelled)
        return;
    shell.selectDrillKind(drill.kind);
    s.pendingText = drill.firstPage(ctx);
    s.exerciseKind = drill.exerciseKind; // the page is shown as the drill's kind wants it
    run->fillReferencePage();
    s.chineseText = true;
    s.generatedDrill = true;
    if (!drill.titleAfterStart)
        s.practiceTitle = drill.title;
    run->showStartDialog();
    if (drill.titleAfterStart)
        s.practiceTitle = drill.title;
}
