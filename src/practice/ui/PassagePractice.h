#pragma once
// 赛文 in the whole-text window: the passage of the day from the bundled
// texts, or one from a file or the clipboard. Its tries are filed under the
// exercise kind "passage"; the progress statistics keep and rank them.
#include <QString>

struct AppContext;
class Shell;
class QWidget;

// "chinese.passageDaily", "chinese.passageFile", "chinese.passageClipboard".
void RegisterPassagePractice(AppContext &ctx, Shell &shell);

// The passage once more into the open whole-text window, and the start
// dialog (the start button of a passage practice).
void PreparePassageRun(AppContext &ctx);
