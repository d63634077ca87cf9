#pragma once
// Registers frmWord and frmZGEx with their menu commands Wbzg and ZGEx.
struct AppContext;
class Shell;

void RegisterRadicalDrills(AppContext &ctx, Shell &shell);
