#include "pinyin/ui/Register.h"

#include "practice/PracticeState.h"
#include "pinyin/ui/ShuangpinChartWindow.h"
#include "pinyin/ui/ShuangpinDrillWindow.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

namespace {
// Opens one exercise window and closes every other one.
void openExercise(AppContext &ctx, Shell &shell, ManagedWindow which)
{
    if (!ctx.state.shown(which))
        shell.showWindow(which);
    shell.closeOthers({which});
    if (QWidget *window = shell.window(which))
        window->setFocus();
}
} // namespace

void RegisterPinyin(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::ShuangpinChartWindow,
                         [&ctx](QWidget *parent) { return new ShuangpinChartWindow(ctx, parent); });
    shell.registerWindow(ManagedWindow::ShuangpinDrillWindow,
                         [&ctx](QWidget *parent) { return new ShuangpinDrillWindow(ctx, parent); });
    shell.setCommand(QStringLiteral("pinyin.shuangpinChart"),
                     [&ctx, &shell] { openExercise(ctx, shell, ManagedWindow::ShuangpinChartWindow); });
    shell.setCommand(QStringLiteral("pinyin.shuangpinDrill"),
                     [&ctx, &shell] { openExercise(ctx, shell, ManagedWindow::ShuangpinDrillWindow); });
}
