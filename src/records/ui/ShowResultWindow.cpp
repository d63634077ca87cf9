#include "records/ui/ShowResultWindow.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "records/ui/ResultWindow.h"

void ShowResultWindow(AppContext &ctx, const PracticeReport &report)
{
    QWidget *parent = ctx.shell ? ctx.shell->mainWindow() : nullptr;
    ResultWindow window(ctx, report, parent);
    window.exec();
}
