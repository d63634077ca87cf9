#pragma once
// A shell for window tests: a plain widget as main window with the practice
// area inside it, the window registry with its factories, menu commands, and
// a status strip that remembers what it was told. Placement puts a panel at
// the area's corner; centring only counts. The launchers open the status
// window and the practice window together, as the main window does.
#include "shell/Shell.h"
#include "practice/PracticeState.h"

#include <QMap>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <vector>

class FakeShell : public Shell {
public:
    // What the close-others step does: only count, or also end the run and
    // unload every window whose opening flag is clear, as the main window does.
    enum class CloseOthers { CountOnly, Unload };

    explicit FakeShell(PracticeState &state, CloseOthers closeOthers = CloseOthers::Unload)
        : m_state(state), m_closeOthers(closeOthers)
    {
        m_main.setWindowTitle(QStringLiteral("QuorvelV1.41"));
        m_main.resize(800, 600);
        // A separate area, so tests tell the main window from the panels' parent.
        m_area = new QWidget(&m_main);
        m_area->setGeometry(m_main.rect());
    }
    ~FakeShell() override
    {
        for (auto &w : m_windows)
            delete w.data();
    }

    QWidget *mainWindow() override { return &m_main; }
    QWidget *practiceArea() override { return m_area; }
    void placeDocked(QWidget *panel, ManagedWindow) override { panel->move(0, 0); }
    void centreDialog(QWidget *) override { ++centredDialogs; }
    QPoint mainTwipsToGlobal(double leftTwips, double topTwips) const override
    {
        return m_main.mapToGlobal(QPoint(int(leftTwips / 15), int(topTwips / 15)));
    }
    QPointF mainOriginTwips() const override { return QPointF(m_main.x() * 15.0, m_main.y() * 15.0); }

    void SetStatusMessage(const QString &text) override { statusMessage = text; }
    void SetStatusState(bool ready) override { statusReady = ready; }

    void registerWindow(ManagedWindow which, WindowFactory factory) override { m_factories[which] = factory; }
    QWidget *showWindow(ManagedWindow which) override
    {
        QWidget *w = window(which);
        if (!w && m_factories.contains(which)) {
            w = m_factories[which](m_area);
            m_windows[which] = w;
        }
        if (w)
            w->show();
        shownWindows.push_back(which);
        return w;
    }
    QWidget *window(ManagedWindow which) const override { return m_windows.value(which).data(); }
    void unloadWindow(ManagedWindow which) override { delete m_windows.take(which).data(); }

    void closeOthers() override
    {
        ++closeOthersCount;
        if (m_closeOthers == CloseOthers::CountOnly)
            return;
        m_state.runStarted = false;
        m_state.clockRunning = false;
        for (int i = 0; i < kManagedWindowCount; ++i) {
            const auto which = static_cast<ManagedWindow>(i);
            if (window(which) && !m_state.window(which).opening)
                unloadWindow(which);
        }
    }
    void openLinePractice() override
    {
        ++openLineCount;
        openWithStatus(ManagedWindow::LineForm);
    }
    void openTextPractice() override
    {
        ++openTextCount;
        openWithStatus(ManagedWindow::TextForm);
    }
    // The drill flags follow the kind, as the main window sets them.
    void selectDrillKind(int kind) override
    {
        lastDrillKind = kind;
        m_state.lettersOnlyDrill = kind == 1;
        m_state.randomCharDrill = kind == 2;
        for (int i = 2; i <= 5; ++i)
            m_state.phraseDrillKind[i] = kind == i + 1;
    }

    void setCommand(const QString &menuName, std::function<void()> command) override
    {
        if (command)
            m_commands[menuName] = std::move(command);
        else
            m_commands.remove(menuName);
    }
    bool runCommand(const QString &menuName) override
    {
        if (!m_commands.contains(menuName))
            return false;
        // A copy: the command may replace itself while it runs.
        const std::function<void()> command = m_commands[menuName];
        command();
        return true;
    }
    bool hasCommand(const QString &menuName) const { return m_commands.contains(menuName); }

    QString statusMessage;
    bool statusReady = false;
    int centredDialogs = 0;
    int closeOthersCount = 0;
    int openLineCount = 0;
    int openTextCount = 0;
    int lastDrillKind = 0;
    std::vector<ManagedWindow> shownWindows; // every showWindow() call, in order

private:
    // The status window and `practice` survive the close-others step they start.
    void openWithStatus(ManagedWindow practice)
    {
        m_state.window(ManagedWindow::StateForm).opening = true;
        m_state.window(practice).opening = true;
        showWindow(ManagedWindow::StateForm);
        showWindow(practice);
        closeOthers();
        m_state.window(ManagedWindow::StateForm).opening = false;
        m_state.window(practice).opening = false;
    }

    PracticeState &m_state;
    const CloseOthers m_closeOthers;
    QWidget m_main;
    QWidget *m_area = nullptr;
    QMap<ManagedWindow, WindowFactory> m_factories;
    QMap<ManagedWindow, QPointer<QWidget>> m_windows;
    QMap<QString, std::function<void()>> m_commands;
};
