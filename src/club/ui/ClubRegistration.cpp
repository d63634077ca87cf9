#include "club/ui/Register.h"

#include "club/ui/ClubWindow.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

#include <QPointer>

void RegisterClub(AppContext &ctx, Shell &shell)
{
    // A window of its own beside the practice: opening the practice closes
    // the docked windows, not this one.
    auto window = std::make_shared<QPointer<ClubWindow>>();
    shell.setCommand(QStringLiteral("other.club"), [&ctx, &shell, window] {
        if (!*window)
            *window = new ClubWindow(ctx, shell.mainWindow());
        (*window)->show();
        (*window)->raise();
        (*window)->activateWindow();
    });
}
