#pragma once
// The window registry of the practice area: the factories and the loaded
// windows, the close-others step that keeps one exercise open, opening a
// status window with its practice window, the drill-kind selection, and
// hiding the windows with the minimized main window and showing them again.
// The main window and the test shell both run their windows through it.
#include "shell/Shell.h"

#include <QPointer>
#include <array>

struct AppContext;

class WindowRegistry {
public:
    // `shell` gives the parents, the placement rule and the status strip.
    WindowRegistry(AppContext &ctx, Shell &shell);
    ~WindowRegistry(); // unloads what is still loaded
    WindowRegistry(const WindowRegistry &) = delete;
    WindowRegistry &operator=(const WindowRegistry &) = delete;

    void registerWindow(ManagedWindow which, Shell::WindowFactory factory);
    // Creates the window when needed (placed by its rule), shows it and
    // raises it; nullptr when nothing is registered for it.
    QWidget *showWindow(ManagedWindow which);
    QWidget *window(ManagedWindow which) const;
    void unloadWindow(ManagedWindow which);
    void unloadAll();

    // Ends the run and unloads every exercise window but those in `keep`;
    // they are flagged as opening while the step runs.
    void closeOthers(std::initializer_list<ManagedWindow> keep);
    // The status window and `practice` open together and survive the step.
    void openPair(ManagedWindow practice);
    // 1 letters, 2 random characters, 3..6 phrases of 2, 3, 4 and more characters.
    void selectDrillKind(int kind);

    void hideWithMain();
    void restoreWithMain();

private:
    QWidget *parentFor(ManagedWindow which) const;
    void closeAllButOpening();
    void unloadUnlessOpening(ManagedWindow which);
    void clearPanel(ManagedWindow which);
    void hideOne(ManagedWindow which);
    void showOneAgain(ManagedWindow which);

    AppContext &m_ctx;
    PracticeState &m_state;
    Shell &m_shell;
    std::array<Shell::WindowFactory, kManagedWindowCount> m_factories;
    std::array<QPointer<QWidget>, kManagedWindowCount> m_windows;
};
