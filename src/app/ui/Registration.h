#pragma once
// The subsystems register their managed windows and menu commands with the
// shell; a menu item whose command is not registered stays disabled.
struct AppContext;
class MainWindow;

// The shell's own commands: about, help, background music and the
// built-in Wubi composer.
void RegisterShellCommands(AppContext &ctx, MainWindow &main);
// Every subsystem, the shell's own commands included.
void RegisterEverything(AppContext &ctx, MainWindow &main);
