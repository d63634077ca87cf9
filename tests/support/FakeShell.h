#pragma once
// A shell for window tests: a plain widget as main window with the practice
// area inside it, the program's own window registry (so the close-others
// step is the real one), menu commands, and a status strip that remembers
// what it was told. Placement puts a panel at the area's corner; centring
// only counts.
#include "app/ui/WindowRegistry.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

#include <QMap>
#include <QPoint>
#include <QPointF>
#include <QWidget>
#include <vector>

class FakeShell : public Shell {
public:
    explicit FakeShell(AppContext &ctx) : m_registry(ctx, *this)
    {
        m_main.setWindowTitle(QStringLiteral("QuorvelV1.41"));
        m_main.resize(800, 600);
        // A separate area, so tests tell the main window from the panels' parent.
        m_area = new QWidget(&m_main);
        m_area->setGeometry(m_main.rect());
    }
    ~FakeShell() override { m_registry.unloadAll(); }

    QWidget *mainWindow() override { return &m_main; }
    QWidget *practiceArea() override { return m_area; }
    void placeDocked(QWidget *panel, ManagedWindow) override { panel->move(0, 0); }
    void centreDialog(QWidget *) override { ++centredDialogs; }
    QPoint mainToGlobal(const QPoint &fromMainEdges) const override { return m_main.mapToGlobal(fromMainEdges); }
    QPoint mainOrigin() const override { return m_main.pos(); }

    void setStatusMessage(const QString &text) override { statusMessage = text; }
    void setStatusReady(bool ready) override { statusReady = ready; }

    void registerWindow(ManagedWindow which, WindowFactory factory) override
    {
        m_registry.registerWindow(which, std::move(factory));
    }
    QWidget *showWindow(ManagedWindow which) override
    {
        shownWindows.push_back(which);
        return m_registry.showWindow(which);
    }
    QWidget *window(ManagedWindow which) const override { return m_registry.window(which); }
    // A window a test makes itself, shown through the registry as the
    // program's factories' are; the registry owns it from then on.
    template <class Window, class Make>
    Window *showMade(ManagedWindow which, Make make)
    {
        registerWindow(which, [make](QWidget *parent) -> QWidget * { return make(parent); });
        return dynamic_cast<Window *>(showWindow(which));
    }
    void unloadWindow(ManagedWindow which) override { m_registry.unloadWindow(which); }

    using Shell::closeOthers;
    void closeOthers(std::initializer_list<ManagedWindow> keep) override
    {
        ++closeOthersCount;
        m_registry.closeOthers(keep);
    }
    void openPair(ManagedWindow practice) override
    {
        openLineCount += practice == ManagedWindow::LinePracticeWindow;
        openTextCount += practice == ManagedWindow::TextPracticeWindow;
        m_registry.openPair(practice);
    }
    void selectDrillKind(int kind) override
    {
        lastDrillKind = kind;
        m_registry.selectDrillKind(kind);
    }

    void setCommand(const QString &key, std::function<void()> command) override
    {
        if (command)
            m_commands[key] = std::move(command);
        else
            m_commands.remove(key);
    }
    bool runCommand(const QString &key) override
    {
        if (!m_commands.contains(key))
            return false;
        // A copy: the command may replace itself while it runs.
        const std::function<void()> command = m_commands[key];
        command();
        return true;
    }
    bool hasCommand(const QString &key) const { return m_commands.contains(key); }

    QString statusMessage;
    bool statusReady = false;
    int centredDialogs = 0;
    int closeOthersCount = 0;
    int openLineCount = 0;
    int openTextCount = 0;
    int lastDrillKind = 0;
    std::vector<ManagedWindow> shownWindows; // every showWindow() call, in order

private:
    QWidget m_main;
    QWidget *m_area = nullptr;
    WindowRegistry m_registry;
    QMap<QString, std::function<void()>> m_commands;
};
