#include "records/ui/CountMessage.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "records/ui/CountMessageWindow.h"

void ShowCountMessage(AppContext &ctx, const PracticeReport &report)
{
    QWidget *parent = ctx.shell ? ctx.shell->mainWindow() : nullptr;
    CountMessageWindow window(ctx, report, parent);
    window.exec();
}
