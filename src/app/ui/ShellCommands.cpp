#include "app/ui/Registration.h"

#include "app/ui/AboutBox.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MusicMenu.h"
#include "app/ui/StatusStrip.h"
#include "shell/AppContext.h"
#include "shell/ui/ComposerInput.h"

#include <QAction>
#include <QMessageBox>

namespace {
constexpr int kComposerEditions[] = {0, 86, 98};
const char *const kComposerKeys[] = {"composer.off", "composer.86", "composer.98"};

const QString kPinyinOffKey = QStringLiteral("composer.pinyin.off");

QString pinyinCommandKey(PinyinScheme scheme)
{
    return QStringLiteral("composer.pinyin.") + pinyin::SchemeKey(scheme);
}

// Switching pinyin on without its data says why it will not compose.
void choosePinyin(ComposerMode &mode, PinyinScheme scheme, MainWindow &main)
{
    mode.setPinyinScheme(scheme);
    const QString missing = mode.pinyinEngine().missingDataMessage();
    if (!missing.isEmpty())
        QMessageBox::warning(&main, QStringLiteral("内置拼音输入"), missing);
}

// The built-in composers: their menu items with their check marks, and the
// method and note in the status strip.
void RegisterComposer(AppContext &ctx, MainWindow &main)
{
    auto *mode = new ComposerMode(ctx, &main);
    const auto follow = [mode, &main] {
        for (int i = 0; i < 3; ++i) {
            if (QAction *item = main.menuAction(QLatin1String(kComposerKeys[i])))
                item->setChecked(mode->edition() == kComposerEditions[i]);
        }
        if (QAction *off = main.menuAction(kPinyinOffKey))
            off->setChecked(!mode->pinyinScheme());
        for (PinyinScheme scheme : pinyin::AllSchemes()) {
            if (QAction *item = main.menuAction(pinyinCommandKey(scheme)))
                item->setChecked(mode->pinyinScheme() == scheme);
        }
        if (StatusStrip *strip = main.statusStrip())
            strip->setComposerText(mode->statusText());
    };
    QObject::connect(mode, &ComposerMode::changed, &main, follow);
    for (int i = 0; i < 3; ++i)
        main.setCommand(QLatin1String(kComposerKeys[i]), [mode, i] { mode->setEdition(kComposerEditions[i]); });
    main.setCommand(kPinyinOffKey, [mode] { mode->setPinyinScheme(std::nullopt); });
    for (PinyinScheme scheme : pinyin::AllSchemes())
        main.setCommand(pinyinCommandKey(scheme), [mode, scheme, &main] { choosePinyin(*mode, scheme, main); });
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
