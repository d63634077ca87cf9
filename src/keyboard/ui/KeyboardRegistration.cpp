#include "keyboard/ui/KeyboardRegistration.h"

#include "keyboard/ui/KeypadDrillWindow.h"
#include "keyboard/ui/KeyDrillWindow.h"
#include "shell/AppContext.h"
#include "shell/ContextService.h"
#include "shell/KeyDrills.h"
#include "shell/Shell.h"

namespace {

KeyDrillWindow *KeysWindow(Shell &shell)
{
    return qobject_cast<KeyDrillWindow *>(shell.window(ManagedWindow::KeyDrillWindow));
}

void UnloadStatusWindow(AppContext &ctx, Shell &shell)
{
    if (ctx.state.shown(ManagedWindow::RunPanel))
        shell.unloadWindow(ManagedWindow::RunPanel);
}

// "打字键区键位练习" (an empty pool) and the weak-key drill: opens the
// window, or brings the open one back to the key-position drill.
void OpenKeyPositionDrill(AppContext &ctx, Shell &shell, const std::vector<int> &targetPool)
{
    KeyDrillWindow *open = ctx.state.shown(ManagedWindow::KeyDrillWindow) ? KeysWindow(shell) : nullptr;
    if (!open)
        shell.showWindow(ManagedWindow::KeyDrillWindow);
    UnloadStatusWindow(ctx, shell);
    shell.closeOthers({ManagedWindow::KeyDrillWindow});
    if (open) // F6, once the command is through
        open->restartKeyPositionDrill();
    if (KeyDrillWindow *window = KeysWindow(shell); window && (open || !targetPool.empty()))
        window->setTargetPool(targetPool);
}

class KeyDrillService : public ContextService<KeyDrills> {
public:
    KeyDrillService(AppContext &ctx, Shell &shell, QObject *owner)
        : ContextService(ctx, &AppContext::keyDrills, owner), m_shell(shell)
    {
    }
    void openWeakKeyDrill(const std::vector<int> &targets) override
    {
        OpenKeyPositionDrill(m_ctx, m_shell, targets);
    }

private:
    Shell &m_shell;
};

// "打字键区指法练习": opens the window when needed, in the fingering drill.
void FingerEx(AppContext &ctx, Shell &shell)
{
    if (!ctx.state.shown(ManagedWindow::KeyDrillWindow))
        shell.showWindow(ManagedWindow::KeyDrillWindow);
    UnloadStatusWindow(ctx, shell);
    shell.closeOthers({ManagedWindow::KeyDrillWindow});
    if (KeyDrillWindow *window = KeysWindow(shell))
        window->switchToFingeringDrill();
}

void KeypadDrillExercise(AppContext &ctx, Shell &shell)
{
    if (!ctx.state.shown(ManagedWindow::KeypadDrillWindow))
        shell.showWindow(ManagedWindow::KeypadDrillWindow);
    shell.closeOthers({ManagedWindow::KeypadDrillWindow});
}

} // namespace

void RegisterKeyboard(AppContext &ctx, Shell &shell)
{
    new KeyDrillService(ctx, shell, shell.mainWindow());
    shell.registerWindow(ManagedWindow::KeyDrillWindow, [&ctx](QWidget *parent) { return new KeyDrillWindow(ctx, parent); });
    shell.registerWindow(ManagedWindow::KeypadDrillWindow, [&ctx](QWidget *parent) { return new KeypadDrillWindow(ctx, parent); });
    shell.setCommand(QStringLiteral("keyboard.positions"), [&ctx, &shell] { OpenKeyPositionDrill(ctx, shell, {}); });
    shell.setCommand(QStringLiteral("keyboard.fingering"), [&ctx, &shell] { FingerEx(ctx, shell); });
    shell.setCommand(QStringLiteral("keyboard.keypad"), [&ctx, &shell] { KeypadDrillExercise(ctx, shell); });
}
