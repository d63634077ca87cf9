#include "club/ui/Register.h"

#include "club/ResultQueue.h"
#include "club/ui/ClubWindow.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

#include <QPointer>

void RegisterClub(AppContext &ctx, Shell &shell)
{
    // A window of its own beside the practice: opening the practice closes
    // the docked windows, not this one. Closed, it only hides, and its
    // session goes on.
    auto window = std::make_shared<QPointer<ClubWindow>>();
    auto ensure = [&ctx, &shell, window] {
        if (!*window)
            *window = new ClubWindow(ctx, shell.mainWindow());
        return window->data();
    };
    shell.setCommand(QStringLiteral("other.club"), [ensure] {
        ClubWindow *w = ensure();
        w->show();
        w->raise();
        w->activateWindow();
    });
    // Results left from an earlier day are submitted without waiting for the window.
    ResultQueue left(ResultQueuePath(ctx.paths.userDataDir));
    if (left.load().isEmpty() && !left.pending().isEmpty())
        ensure();
}
