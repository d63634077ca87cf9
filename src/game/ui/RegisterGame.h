#pragma once
// The typing race registers its window Game and the menu item "龟兔赛跑".
struct AppContext;
class Shell;

void RegisterGame(AppContext &ctx, Shell &shell);
