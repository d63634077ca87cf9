#include "records/ui/Register.h"

#include "records/ui/CountMessage.h"
#include "records/ui/TypeRecord.h"
#include "shell/ContextService.h"
#include "shell/ProgressLog.h"
#include "shell/Shell.h"

namespace {
// The result window as the practice windows reach it.
class ResultWindow : public ContextService<ReportWindow> {
public:
    ResultWindow(AppContext &ctx, QObject *owner) : ContextService(ctx, &AppContext::reportWindow, owner) {}
    void showReport(const PracticeReport &report) override
    {
        if (m_ctx.progressLog) // the report closes the run
            m_ctx.progressLog->endRun();
        ShowCountMessage(m_ctx, report);
    }
};
} // namespace

void RegisterRecords(AppContext &ctx, Shell &shell)
{
    new ResultWindow(ctx, shell.mainWindow());
    shell.registerWindow(ManagedWindow::RecordForm, [&ctx](QWidget *parent) { return new TypeRecord(ctx, parent); });
    shell.setCommand(QStringLiteral("Record_View"), [&ctx, &shell] {
        WindowFlags &viewer = ctx.state.window(ManagedWindow::RecordForm);
        viewer.opening = true;
        shell.closeOthers();
        if (!viewer.shown)
            shell.showWindow(ManagedWindow::RecordForm);
        viewer.opening = false;
    });
}
