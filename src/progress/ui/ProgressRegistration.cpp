#include "progress/ui/ProgressService.h"
#include "progress/ui/Register.h"
#include "shell/Shell.h"

#include <QDir>
#include <QWidget>

void RegisterProgress(AppContext &ctx, Shell &shell)
{
    new ProgressService(ctx, QDir(ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")),
                        shell.mainWindow());
}
