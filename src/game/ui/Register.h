#pragma once
// The typing race: its window Game and the menu item "龟兔赛跑" ("GtSp").
struct AppContext;
class Shell;

void RegisterGame(AppContext &ctx, Shell &shell);
