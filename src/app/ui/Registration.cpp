// The one place that knows every subsystem.
#include "app/ui/Registration.h"

#include "app/ui/MainWindow.h"
#include "club/ui/Register.h"
#include "data/ui/Register.h"
#include "game/ui/Register.h"
#include "keyboard/ui/KeyboardRegistration.h"
#include "pinyin/ui/Register.h"
#include "pinyin/ui/PinyinDrillCommands.h"
#include "practice/ui/Register.h"
#include "progress/ui/Register.h"
#include "records/ui/Register.h"
#include "wubi/ui/Register.h"

void RegisterEverything(AppContext &ctx, MainWindow &main)
{
    RegisterShellCommands(ctx, main);
    RegisterProgress(ctx, main);
    RegisterSettingsDialog(ctx, main);
    RegisterLinePractice(ctx, main);
    RegisterTextPractice(ctx, main);
    RegisterPinyinDrills(ctx, main);
    RegisterRecords(ctx, main);
    RegisterWubi(ctx, main);
    RegisterKeyboard(ctx, main);
    RegisterRace(ctx, main);
    RegisterClub(ctx, main);
    RegisterPinyin(ctx, main);
}
