#include "app/ui/WindowRegistry.h"

#include "shell/AppContext.h"
#include "practice/TypingRun.h"
#include "shell/PracticeRun.h"

#include <QWidget>

using W = ManagedWindow;

WindowRegistry::WindowRegistry(AppContext &ctx, Shell &shell) : m_ctx(ctx), m_state(ctx.state), m_shell(shell) {}

WindowRegistry::~WindowRegistry()
{
    // Panels refer to the shared state in their destructors: let them go while
    // the registry still exists.
    for (auto &w : m_windows)
        delete w.data();
}

QWidget *WindowRegistry::parentFor(ManagedWindow which) const
{
    return which == W::StatusStrip ? m_shell.mainWindow() : m_shell.practiceArea();
}

void WindowRegistry::registerWindow(ManagedWindow which, Shell::WindowFactory factory)
{
    m_factories[std::size_t(which)] = std::move(factory);
}

QWidget *WindowRegistry::showWindow(ManagedWindow which)
{
    QPointer<QWidget> &slot = m_windows[std::size_t(which)];
    if (!slot) {
        const Shell::WindowFactory &factory = m_factories[std::size_t(which)];
        if (!factory)
            return nullptr;
        slot = factory(parentFor(which));
        if (!slot)
            return nullptr;
        // However the window goes (unloaded, closed, deleted later), it is no
        // longer shown nor being opened.
        QObject::connect(slot, &QObject::destroyed, [this, which] {
            m_state.window(which).shown = false;
            m_state.window(which).opening = false;
        });
        m_shell.placeDocked(slot, which);
    }
    if (!slot->isVisible()) {
        slot->show();
        m_state.window(which).shown = true;
        m_state.window(which).hiddenWithMain = false;
    }
    slot->raise();
    return slot;
}

QWidget *WindowRegistry::window(ManagedWindow which) const
{
    return m_windows[std::size_t(which)].data();
}

void WindowRegistry::unloadWindow(ManagedWindow which)
{
    QPointer<QWidget> &slot = m_windows[std::size_t(which)];
    if (QWidget *w = slot.data()) {
        slot = nullptr;
        w->close();
        delete w;
    }
    m_state.window(which).shown = false;
    m_state.window(which).hiddenWithMain = false;
}

void WindowRegistry::unloadAll()
{
    for (int i = 0; i < kManagedWindowCount; ++i)
        unloadWindow(ManagedWindow(i));
}

// ---- Close-others -----------------------------------------------------------

void WindowRegistry::unloadUnlessOpening(ManagedWindow which)
{
    if (m_state.shown(which) && !m_state.window(which).opening)
        unloadWindow(which);
}

void WindowRegistry::clearPanel(ManagedWindow which)
{
    if (!m_state.shown(which))
        return;
    if (auto *panel = dynamic_cast<ExercisePanel *>(window(which)))
        panel->clearContents();
    unloadUnlessOpening(which);
}

void WindowRegistry::closeOthers(std::initializer_list<ManagedWindow> keep)
{
    for (W w : keep)
        m_state.window(w).opening = true;
    closeAllButOpening();
    for (W w : keep)
        m_state.window(w).opening = false;
}

void WindowRegistry::closeAllButOpening()
{
    m_state.pendingText.clear();
    if (TypingRun *run = m_ctx.practiceRun ? m_ctx.practiceRun->run() : nullptr)
        run->end();
    selectDrillKind(0);
    unloadUnlessOpening(W::RadicalChartDrillWindow);
    unloadUnlessOpening(W::IdleBackground);
    clearPanel(W::LinePracticeWindow);
    clearPanel(W::TextPracticeWindow);
    clearPanel(W::FreeInputWindow);
    for (W w : {W::RadicalDrillWindow, W::KeypadDrillWindow, W::RunPanel, W::RaceWindow})
        unloadUnlessOpening(w);
    m_state.generatedDrill = false;
    if (m_state.shown(W::RunPanel) && m_state.window(W::RunPanel).opening && m_ctx.practiceRun)
        m_ctx.practiceRun->clearLiveFigures();
    unloadUnlessOpening(W::RecordViewer);
    unloadUnlessOpening(W::ProgressWindow);
    unloadUnlessOpening(W::KeyDrillWindow);
    unloadUnlessOpening(W::ShuangpinChartWindow);
    unloadUnlessOpening(W::ShuangpinDrillWindow);
    m_shell.setStatusMessage(QString());
}

void WindowRegistry::openPair(ManagedWindow practice)
{
    if (!m_state.shown(W::RunPanel))
        m_shell.showWindow(W::RunPanel);
    if (!m_state.shown(practice))
        m_shell.showWindow(practice);
    m_shell.closeOthers({W::RunPanel, practice});
}

void WindowRegistry::selectDrillKind(int kind)
{
    m_state.lettersOnlyDrill = kind == 1;
    m_state.randomCharDrill = kind == 2;
    for (int i = 2; i <= 5; ++i)
        m_state.phraseDrillKind[std::size_t(i)] = kind == i + 1;
}

// ---- Hidden with the main window --------------------------------------------

void WindowRegistry::hideOne(ManagedWindow which)
{
    if (!m_state.shown(which))
        return;
    if (QWidget *w = window(which))
        w->hide();
    m_state.window(which).shown = false;
    m_state.window(which).hiddenWithMain = true;
}

void WindowRegistry::showOneAgain(ManagedWindow which)
{
    if (!m_state.window(which).hiddenWithMain)
        return;
    if (QWidget *w = window(which))
        w->show();
    m_state.window(which).hiddenWithMain = false;
    m_state.window(which).shown = true;
}

void WindowRegistry::hideWithMain()
{
    for (W w : {W::RunPanel, W::RecordViewer, W::ProgressWindow, W::RaceWindow, W::RadicalDrillWindow, W::KeyDrillWindow, W::KeypadDrillWindow,
                W::ShuangpinChartWindow, W::ShuangpinDrillWindow})
        hideOne(w);
    if (QWidget *base = window(W::StatusStrip))
        base->hide();
    m_state.window(W::StatusStrip).shown = false;
    m_state.window(W::StatusStrip).hiddenWithMain = true;
    for (W w : {W::IdleBackground, W::RadicalChartDrillWindow})
        hideOne(w);
    for (W w : {W::LinePracticeWindow, W::TextPracticeWindow, W::FreeInputWindow}) {
        if (m_state.shown(w)) {
            hideOne(w);
            break;
        }
    }
}

void WindowRegistry::restoreWithMain()
{
    for (W w : {W::RunPanel, W::RaceWindow})
        showOneAgain(w);
    showWindow(W::StatusStrip);
    m_state.window(W::StatusStrip).hiddenWithMain = false;
    m_state.window(W::StatusStrip).shown = true;
    for (W w : {W::RadicalChartDrillWindow, W::RadicalDrillWindow, W::RecordViewer, W::ProgressWindow, W::KeyDrillWindow, W::KeypadDrillWindow,
                W::ShuangpinChartWindow, W::ShuangpinDrillWindow, W::IdleBackground})
        showOneAgain(w);
    for (W w : {W::LinePracticeWindow, W::TextPracticeWindow, W::FreeInputWindow}) {
        if (m_state.window(w).hiddenWithMain) {
            showOneAgain(w);
            break;
        }
    }
}
