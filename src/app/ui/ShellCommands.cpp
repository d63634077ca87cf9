#include "app/ui/Registration.h"

#include "app/ui/AboutBox.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MusicMenu.h"
#include "shell/AppContext.h"

// The shell's own menu commands: about, help and background music.
void RegisterShellCommands(AppContext &ctx, MainWindow &main)
{
    main.setCommand(QStringLiteral("About"), [&ctx, &main] {
        AboutBox about(ctx, &main);
        about.exec();
    });
    main.setCommand(QStringLiteral("HelpText"), [&main] { main.help().showHelp(); });
    main.setCommand(QStringLiteral("Music_not"), [&main] { main.music().chooseNoMusic(); });
    for (int i = 0; i < 4; ++i)
        main.setCommand(QStringLiteral("BackMusic(%1)").arg(i), [&main, i] { main.music().chooseTune(i); });
}
