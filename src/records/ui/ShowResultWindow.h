#pragma once
// The result window: the six rows of the statistics report, saving the result
// into the record file, opening the record viewer.
#include "shell/PracticeReport.h"

struct AppContext;

// Loads ResultWindow with the report and shows it modally.
void ShowResultWindow(AppContext &ctx, const PracticeReport &report);
