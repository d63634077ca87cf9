#include "progress/ui/ProgressCommands.h"
#include "progress/ui/ProgressService.h"
#include "progress/ui/Register.h"
#include "shell/Shell.h"

#include <QDir>
#include <QWidget>

void RegisterProgress(AppContext &ctx, Shell &shell)
{
    auto *progress = new ProgressService(
        ctx, QDir(ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")), shell.mainWindow());
    RegisterProgressCommands(ctx, shell, *progress);
}
