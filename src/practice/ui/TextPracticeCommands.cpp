#include "practice/ui/Register.h"

#include "practice/ui/FreeInputWindow.h"
#include "practice/ui/PassagePractice.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/TextPracticeWindow.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

void RegisterTextPractice(AppContext &ctx, Shell &shell)
{
    shell.registerWindow(ManagedWindow::TextPracticeWindow, [&ctx](QWidget *parent) { return new TextPracticeWindow(ctx, parent); });
    shell.registerWindow(ManagedWindow::FreeInputWindow, [&ctx](QWidget *parent) { return new FreeInputWindow(ctx, parent); });

    auto openTextPractice = [&ctx, &shell](bool chinese, const QString &title) {
        shell.openTextPractice();
        ctx.state.passageText.clear();
        ctx.state.chineseText = chinese;
        ctx.state.practiceTitle = title;
        ShowWaitingForStart(shell, true);
        ctx.state.exerciseKind = exercise::kText;
    };
    shell.setCommand(QStringLiteral("chinese.text"),
                     [openTextPractice] { openTextPractice(true, QStringLiteral("中文文本对照练习")); });
    shell.setCommand(QStringLiteral("english.text"),
                     [openTextPractice] { openTextPractice(false, QStringLiteral("英文文本对照练习")); });
    shell.setCommand(QStringLiteral("freeInput"), [&ctx, &shell] {
        shell.openPair(ManagedWindow::FreeInputWindow);
        ctx.state.practiceTitle = QStringLiteral("自由录入");
        ShowWaitingForStart(shell, false);
        ctx.state.exerciseKind = exercise::kFree;
    });
    RegisterPassagePractice(ctx, shell);
}
