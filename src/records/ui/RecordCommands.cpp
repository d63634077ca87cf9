#include "shell/AppContext.h"
#include "app/ui/Registration.h"
#include "shell/Shell.h"
#include "records/ui/TypeRecord.h"

void RegisterRecords(AppContext &ctx, Shell &shell)
{
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
