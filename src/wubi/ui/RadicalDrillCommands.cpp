// The radical drills of the Wubi menu: 字根表对照打字 (Wbzg, RadicalChartDrillWindow) and
// 字根练习 (ZGEx, RadicalDrillWindow).
#include "wubi/ui/RadicalDrillCommands.h"

#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "wubi/ui/RadicalDrillWindow.h"
#include "wubi/ui/RadicalChartDrillWindow.h"

#include <memory>

namespace {

// Opens one exercise window and closes every other one.
void openExercise(AppContext &ctx, Shell &shell, ManagedWindow which)
{
    if (!ctx.state.shown(which))
        shell.showWindow(which);
    shell.closeOthers({which});
}

} // namespace

void RegisterRadicalDrills(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::RadicalChartDrillWindow, [&ctx](QWidget *parent) { return new RadicalChartDrillWindow(ctx, parent); });
    shell.setCommand(QStringLiteral("wubi.radicalChart"), [&ctx, &shell] { openExercise(ctx, shell, ManagedWindow::RadicalChartDrillWindow); });

    // The radical drill's settings outlive its window, as long as the program runs.
    auto settings = std::make_shared<wubi::RadicalDrillSettings>();
    shell.registerWindow(ManagedWindow::RadicalDrillWindow, [&ctx, settings](QWidget *parent) {
        return new RadicalDrillWindow(ctx, *settings, parent);
    });
    shell.setCommand(QStringLiteral("wubi.radicals"), [&ctx, &shell] { openExercise(ctx, shell, ManagedWindow::RadicalDrillWindow); });
}
