// PLACEHOLDER until the status window lands.
#include "practice/ui/RunControl.h"

void ShowPracticeReport(AppContext &) {}
void ClearLiveFigures(AppContext &) {}
void ClearAccuracyFigure(AppContext &) {}
void ShowStartSettings(AppContext &) {}
void ShowStartDialog(AppContext &) {}
void FillReferencePage(AppContext &) {}
void ClearReferencePage(AppContext &) {}
