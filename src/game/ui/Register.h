#pragma once
// The typing race: its window RaceWindow and the menu item "龟兔赛跑" ("game.race").
struct AppContext;
class Shell;

void RegisterRace(AppContext &ctx, Shell &shell);
