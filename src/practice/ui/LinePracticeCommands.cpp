#include "practice/ui/Register.h"

#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/ReferencePinyin.h"
#include "practice/ui/RunControl.h"
#include "practice/ui/RunPanel.h"
#include "progress/ProgressData.h"
#include "shell/ContextService.h"
#include "shell/PracticeRun.h"
#include "shell/Shell.h"

namespace {
// The run control as the drill commands and the close-others step reach it.
class LinePracticeRun : public ContextService<PracticeRun> {
public:
    LinePracticeRun(AppContext &ctx, QObject *owner) : ContextService(ctx, &AppContext::practiceRun, owner) {}
    void clearLiveFigures() override
    {
        ClearLiveFigures(m_ctx);
        UpdateRunButtons(m_ctx); // the step ended any run and reset the kind of practice
    }
    void showRunLimits() override
    {
        ShowRunLimits(m_ctx);
        UpdateRunButtons(m_ctx);
    }
    void fillReferencePage() override { FillReferencePage(m_ctx); }
    void showStartDialog() override { ShowStartDialog(m_ctx); }
    void startRun() override { StartRunFigures(m_ctx); }
    void notePinyinSyllables(const QString &expectedSyllable, const QString &typedSyllable,
                             const QString &expectedChar) override
    {
        NotePinyinSyllables(m_ctx, expectedSyllable, typedSyllable, expectedChar);
    }
};
} // namespace

void RegisterLinePractice(AppContext &ctx, Shell &shell)
{
    new LinePracticeRun(ctx, shell.mainWindow());
    shell.registerWindow(ManagedWindow::LinePracticeWindow, [&ctx](QWidget *parent) { return new LinePracticeWindow(ctx, parent); });
    shell.registerWindow(ManagedWindow::RunPanel, [&ctx](QWidget *parent) { return new RunPanel(ctx, parent); });

    auto openLinePractice = [&ctx, &shell](bool chinese, const QString &title) {
        shell.openLinePractice();
        ctx.state.chineseText = chinese;
        ctx.state.practiceTitle = title;
        ShowWaitingForStart(shell, true);
        ctx.state.exerciseKind = exercise::kLine;
    };
    shell.setCommand(QStringLiteral("chinese.line"),
                     [openLinePractice] { openLinePractice(true, QStringLiteral("中文逐行对照练习")); });
    shell.setCommand(QStringLiteral("english.line"),
                     [openLinePractice] { openLinePractice(false, QStringLiteral("英文逐行对照练习")); });
}
