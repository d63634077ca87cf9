#include "records/ui/CountMessage.h"

#include "app/AppContext.h"
#include "app/ui/Shell.h"
#include "records/ui/CountMessageWindow.h"

void ShowCountMessage(AppContext &ctx, const PracticeReport &report)
{
    QWidget *parent = ctx.shell ? ctx.shell->mainWindow() : nullptr;
    CountMessageWindow window(ctx, report, parent);
    window.exec();
}
