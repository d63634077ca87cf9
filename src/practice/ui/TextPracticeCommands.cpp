#include "practice/ui/Register.h"

#include "practice/ui/FreeForm.h"
#include "practice/ui/TextForm.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

namespace {

// The free-input button: the status window and the free-input window open
// together, everything else closes.
void OpenFreeInput(AppContext &ctx, Shell &shell)
{
    PracticeState &s = ctx.state;
    WindowFlags &status = s.window(ManagedWindow::StateForm);
    WindowFlags &free = s.window(ManagedWindow::FreeForm);
    status.opening = true;
    free.opening = true;
    if (!status.shown)
        shell.showWindow(ManagedWindow::StateForm);
    if (!free.shown)
        shell.showWindow(ManagedWindow::FreeForm);
    shell.closeOthers();
    s.practiceTitle = QStringLiteral("自由录入");
    status.opening = false;
    free.opening = false;
}

} // namespace

void RegisterTextPractice(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::TextForm, [&ctx](QWidget *parent) { return new TextForm(ctx, parent); });
    shell.registerWindow(ManagedWindow::FreeForm, [&ctx](QWidget *parent) { return new FreeForm(ctx, parent); });

    auto openTextPractice = [&ctx, &shell](bool chinese, const QString &title) {
        shell.openTextPractice();
        ctx.state.chineseText = chinese;
        ctx.state.practiceTitle = title;
    };
    shell.setCommand(QStringLiteral("MenuChinese(2)"),
                     [openTextPractice] { openTextPractice(true, QStringLiteral("中文文本对照练习")); });
    shell.setCommand(QStringLiteral("MenuEngLish(2)"),
                     [openTextPractice] { openTextPractice(false, QStringLiteral("英文文本对照练习")); });
    shell.setCommand(QStringLiteral("imgType(3)"), [&ctx, &shell] { OpenFreeInput(ctx, shell); });
}
