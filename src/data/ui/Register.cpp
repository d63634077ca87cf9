#include "data/ui/Register.h"

#include "data/ui/SettingsDialog.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

void RegisterSettingsDialog(AppContext &ctx, Shell &shell)
{
    shell.setCommand(QStringLiteral("other.settings"), [&ctx, &shell] {
        SettingsDialog dialog(ctx, shell.mainWindow());
        dialog.exec();
    });
}
