#include "app/ui/Registration.h"

#include "app/ui/AboutBox.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MusicMenu.h"
#include "app/ui/StatusStrip.h"
#include "shell/AppContext.h"
#include "shell/ui/ComposerInput.h"

#include <QAction>

namespace {
constexpr int kComposerEditions[] = {0, 86, 98};
const char *const kComposerKeys[] = {"composer.off", "composer.86", "composer.98"};

// The built-in composer: its menu items with their check marks, and its
// edition and note in the status strip.
void RegisterComposer(AppContext &ctx, MainWindow &main)
{
    auto *mode = new ComposerMode(ctx, &main);
    const auto follow = [mode, &main] {
        for (int i = 0; i < 3; ++i) {
            if (QAction *item = main.menuAction(QLatin1String(kComposerKeys[i])))
                item->setChecked(mode->edition() == kComposerEditions[i]);
        }
        if (StatusStrip *strip = main.statusStrip())
            strip->setComposerText(mode->statusText());
    };
    QObject::connect(mode, &ComposerMode::changed, &main, follow);
    for (int i = 0; i < 3; ++i)
        main.setCommand(QLatin1String(kComposerKeys[i]), [mode, i] { mode->setEdition(kComposerEditions[i]); });
    follow();
}
} // namespace

// The shell's own menu commands: about, help, background music and the
// built-in composer.
void RegisterShellCommands(AppContext &ctx, MainWindow &main)
{
    RegisterComposer(ctx, main);
    main.setCommand(QStringLiteral("help.about"), [&ctx, &main] {
        AboutBox about(ctx, &main);
        about.exec();
    });
    main.setCommand(QStringLiteral("help.contents"), [&main] { main.help().showHelp(); });
    main.setCommand(QStringLiteral("music.off"), [&main] { main.music().chooseNoMusic(); });
    for (int i = 0; i < 4; ++i)
        main.setCommand(QStringLiteral("music.tune%1").arg(i), [&main, i] { main.music().chooseTune(i); });
}
