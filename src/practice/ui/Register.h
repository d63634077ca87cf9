#pragma once
// The text-practice windows and their menu commands.
struct AppContext;
class Shell;

// LinePracticeWindow, RunPanel, "chinese.line", "english.line"; the practice run
// the drill commands and the close-others step use.
void RegisterLinePractice(AppContext &ctx, Shell &shell);
// TextPracticeWindow, FreeInputWindow, "chinese.text", "english.text", free
// input, and the passage (赛文) commands.
void RegisterTextPractice(AppContext &ctx, Shell &shell);
