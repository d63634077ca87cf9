#pragma once
// The text-practice windows and their menu commands.
struct AppContext;
class Shell;

// LinePracticeWindow, RunPanel, "MenuChinese(1)", "MenuEngLish(1)"; the practice run
// the drill commands and the close-others step use.
void RegisterLinePractice(AppContext &ctx, Shell &shell);
// TextPracticeWindow, FreeInputWindow, "MenuChinese(2)", "MenuEngLish(2)", free input.
void RegisterTextPractice(AppContext &ctx, Shell &shell);
