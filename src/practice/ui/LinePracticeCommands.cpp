#include "shell/AppContext.h"
#include "app/ui/Registration.h"
#include "shell/Shell.h"
#include "practice/ui/LineForm.h"
#include "practice/ui/StateForm.h"

void RegisterLinePractice(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::LineForm, [&ctx](QWidget *parent) { return new LineForm(ctx, parent); });
    shell.registerWindow(ManagedWindow::StateForm, [&ctx](QWidget *parent) { return new StateForm(ctx, parent); });

    auto openLinePractice = [&ctx, &shell](bool chinese, const QString &title) {
        shell.openLinePractice();
        ctx.state.chineseText = chinese;
        ctx.state.practiceTitle = title;
    };
    shell.setCommand(QStringLiteral("MenuChinese(1)"),
                     [openLinePractice] { openLinePractice(true, QStringLiteral("中文逐行对照练习")); });
    shell.setCommand(QStringLiteral("MenuEngLish(1)"),
                     [openLinePractice] { openLinePractice(false, QStringLiteral("英文逐行对照练习")); });
}
