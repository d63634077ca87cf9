// The race window and its menu command.
#include "game/ui/RaceWindow.h"
#include "game/ui/Register.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

void RegisterRace(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::RaceWindow, [&ctx](QWidget *parent) { return new RaceWindow(ctx, parent); });
    shell.setCommand(QStringLiteral("game.race"), [&ctx, &shell] {
        if (!ctx.state.shown(ManagedWindow::RaceWindow))
            shell.showWindow(ManagedWindow::RaceWindow);
        shell.closeOthers({ManagedWindow::RaceWindow});
        shell.setStatusMessage(QStringLiteral("请点击“游戏设置”，设好后比赛开始"));
    });
}
