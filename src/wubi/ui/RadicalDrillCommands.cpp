// The radical drills of the Wubi menu: 字根表对照打字 (Wbzg, frmWord) and
// 字根练习 (ZGEx, frmZGEx).
#include "wubi/ui/RadicalDrillCommands.h"

#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "wubi/ui/RadicalForm.h"
#include "wubi/ui/WordForm.h"

#include <memory>

namespace {

// Opens one exercise window and closes every other one.
void openExercise(AppContext &ctx, Shell &shell, ManagedWindow which)
{
    WindowFlags &flags = ctx.state.window(which);
    flags.opening = true;
    if (!ctx.state.shown(which))
        shell.showWindow(which);
    shell.closeOthers();
    flags.opening = false;
}

} // namespace

void RegisterRadicalDrills(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::WordForm, [&ctx](QWidget *parent) { return new WordForm(ctx, parent); });
    shell.setCommand(QStringLiteral("Wbzg"), [&ctx, &shell] { openExercise(ctx, shell, ManagedWindow::WordForm); });

    // The radical drill's settings outlive its window, as long as the program runs.
    auto settings = std::make_shared<wubi::RadicalDrillSettings>();
    shell.registerWindow(ManagedWindow::RadicalForm, [&ctx, settings](QWidget *parent) {
        return new RadicalForm(ctx, *settings, parent);
    });
    shell.setCommand(QStringLiteral("ZGEx"), [&ctx, &shell] { openExercise(ctx, shell, ManagedWindow::RadicalForm); });
}
