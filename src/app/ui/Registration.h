#pragma once
// Each subsystem registers its managed windows and menu commands with the
// shell. A menu item whose command is not registered stays disabled.
struct AppContext;
class Shell;

void RegisterShellCommands(AppContext &ctx, Shell &shell);  // app: settings, about, help, music
void RegisterLinePractice(AppContext &ctx, Shell &shell);   // practice: frmIn_In, frmState, line commands
void RegisterTextPractice(AppContext &ctx, Shell &shell);   // practice: frmInT_In, frmOut_In, their commands
void RegisterRecords(AppContext &ctx, Shell &shell);        // records: TypeRecord, Record_View
void RegisterWubi(AppContext &ctx, Shell &shell);           // wubi: drills, hints, cards, lookup
#include "keyboard/ui/KeyboardRegistration.h"             // keyboard: KBExercise, frmNKB, their commands

inline void RegisterEverything(AppContext &ctx, Shell &shell)
{
    RegisterShellCommands(ctx, shell);
    RegisterLinePractice(ctx, shell);
    RegisterTextPractice(ctx, shell);
    RegisterRecords(ctx, shell);
    RegisterWubi(ctx, shell);
    RegisterKeyboard(ctx, shell);
}
