#pragma once
// The generated Wubi and letter drills of the menu, hints and radical cards,
// and the code lookup "help.codeLookup".
struct AppContext;
class Shell;

void RegisterWubi(AppContext &ctx, Shell &shell);
