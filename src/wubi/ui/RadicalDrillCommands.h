#pragma once
// Registers RadicalChartDrillWindow and RadicalDrillWindow with their menu commands Wbzg and ZGEx.
struct AppContext;
class Shell;

void RegisterRadicalDrills(AppContext &ctx, Shell &shell);
