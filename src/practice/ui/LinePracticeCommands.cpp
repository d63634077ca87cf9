#include "practice/ui/Register.h"

#include "practice/PracticeState.h"
#include "practice/TextFile.h"
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
    void practiseText(const QString &text, const QString &title) override
    {
        Shell &shell = *m_ctx.shell;
        shell.openTextPractice();
        PracticeState &s = m_ctx.state;
        s.chineseText = ContainsHan(text);
        s.practiceTitle = title;
        s.exerciseKind = exercise::kText;
        s.pendingText = TypeableText(text, false); // the whole-text window joins the lines
        auto *w = dynamic_cast<PracticeWindow *>(shell.window(ManagedWindow::TextPracticeWindow));
        if (!w)
            return;
        w->placeMaterial();
        ShowStartDialog(m_ctx);
    }
    TypingRun *run() override { return OpenRun(m_ctx); }

    void notePinyinSyllables(const QString &expectedSyllable, const QString &typedSyllable,
                             const QString &expectedChar) override
    {
        NotePinyinSyllables(m_ctx, expectedSyllable, typedSyllable, expectedChar);
    }

private:
    static bool ContainsHan(const QString &text)
    {
        for (char32_t c : text.toUcs4())
            if (QChar::script(c) == QChar::Script_Han)
                return true;
        return false;
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
