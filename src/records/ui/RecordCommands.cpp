#include "records/ui/Register.h"

#include "records/ui/ShowResultWindow.h"
#include "records/ui/RecordViewer.h"
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
        ShowResultWindow(m_ctx, report);
        // Once closed, so that a name typed in it is the run's learner.
        if (m_ctx.progressLog)
            m_ctx.progressLog->endReportedRun(RunSummaryOf(report));
    }

private:
    static RunSummary RunSummaryOf(const PracticeReport &report)
    {
        RunSummary run;
        run.kind = report.exerciseKind;
        run.start = report.start;
        run.durationMs = qint64(report.figures.elapsedSeconds) * 1000;
        run.characters = report.figures.characters;
        run.errors = report.figures.errors;
        run.reportedSpeed = report.figures.speed();
        run.typing = report.typing;
        return run;
    }
};
} // namespace

void RegisterRecords(AppContext &ctx, Shell &shell)
{
    new ResultWindow(ctx, shell.mainWindow());
    shell.registerWindow(ManagedWindow::RecordViewer, [&ctx](QWidget *parent) { return new RecordViewer(ctx, parent); });
    shell.setCommand(QStringLiteral("other.records"), [&ctx, &shell] {
        shell.closeOthers({ManagedWindow::RecordViewer});
        if (!ctx.state.shown(ManagedWindow::RecordViewer))
            shell.showWindow(ManagedWindow::RecordViewer);
    });
}
