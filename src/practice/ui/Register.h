#pragma once
// The text-practice windows and their menu commands.
struct AppContext;
class Shell;

// frmIn_In, frmState, "MenuChinese(1)", "MenuEngLish(1)"; the practice run
// the drill commands and the close-others step use.
void RegisterLinePractice(AppContext &ctx, Shell &shell);
// frmInT_In, frmOut_In, "MenuChinese(2)", "MenuEngLish(2)", free input.
void RegisterTextPractice(AppContext &ctx, Shell &shell);
