// The race window and its menu command.
#include "game/ui/Game.h"
#include "game/ui/Register.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

void RegisterGame(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::RaceForm, [&ctx](QWidget *parent) { return new Game(ctx, parent); });
    shell.setCommand(QStringLiteral("GtSp"), [&ctx, &shell] {
        WindowFlags &race = ctx.state.window(ManagedWindow::RaceForm);
        race.opening = true;
        ctx.state.window(ManagedWindow::StateForm).opening = false;
        if (!race.shown)
            shell.showWindow(ManagedWindow::RaceForm);
        shell.closeOthers();
        race.opening = false;
        shell.SetStatusMessage(QStringLiteral("请点击“游戏设置”，设好后比赛开始"));
    });
}
