#pragma once
// The learner's progress: statistics of every judged keystroke, kept in
// quorvel/progress.sqlite in the user's data folder.
struct AppContext;
class Shell;

void RegisterProgress(AppContext &ctx, Shell &shell);
