#include "progress/ui/ProgressCommands.h"
#include "progress/ui/ProgressService.h"
#include "progress/ui/ProgressWindow.h"
#include "progress/ui/Register.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

#include <QDir>
#include <QWidget>

void RegisterProgress(AppContext &ctx, Shell &shell)
{
    auto *progress = new ProgressService(
        ctx, QDir(ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")), shell.mainWindow());
    RegisterProgressCommands(ctx, shell, *progress);
    shell.registerWindow(ManagedWindow::ProgressWindow,
                         [&ctx, progress](QWidget *parent) { return new ProgressWindow(ctx, *progress, parent); });
    // Opened like the record viewer; opened again, it reads the statistics anew.
    shell.setCommand(QStringLiteral("other.progress"), [&ctx, &shell] {
        shell.closeOthers({ManagedWindow::ProgressWindow});
        if (ctx.state.shown(ManagedWindow::ProgressWindow))
            static_cast<ProgressWindow *>(shell.window(ManagedWindow::ProgressWindow))->refresh();
        else
            shell.showWindow(ManagedWindow::ProgressWindow);
    });
}
