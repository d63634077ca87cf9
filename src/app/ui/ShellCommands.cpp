#include "app/ui/Registration.h"

#include "shell/AppContext.h"
#include "app/ui/AboutBox.h"
#include "app/ui/MainWindow.h"
#include "data/ui/ConfigSys.h"

// The shell's own menu commands: settings, about, help and background music.
void RegisterShellCommands(AppContext &ctx, Shell &shell)
{
    shell.setCommand(QStringLiteral("Config"), [&ctx, &shell] {
        ConfigSys dialog(ctx, shell.mainWindow());
        dialog.exec();
    });
    shell.setCommand(QStringLiteral("About"), [&ctx, &shell] {
        AboutBox about(ctx, shell.mainWindow());
        about.exec();
    });
    auto *main = dynamic_cast<MainWindow *>(&shell);
    if (!main)
        return;
    shell.setCommand(QStringLiteral("HelpText"), [main] { main->showHelp(); });
    shell.setCommand(QStringLiteral("Music_not"), [main] { main->chooseNoMusic(); });
    for (int i = 0; i < 4; ++i)
        shell.setCommand(QStringLiteral("BackMusic(%1)").arg(i), [main, i] { main->chooseTune(i); });
}
