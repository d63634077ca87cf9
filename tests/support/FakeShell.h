#pragma once
// A shell for window tests: one plain widget as main window and practice
// area, the window registry with its factories, menu commands, and a status
// strip that remembers what it was told. Placement and centring do nothing.
#include "app/ui/Shell.h"

#include <QMap>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>

class FakeShell : public Shell {
public:
    FakeShell()
    {
        m_main.setWindowTitle(QStringLiteral("QuorvelV1.41"));
        m_main.resize(800, 600);
    }
    ~FakeShell() override
    {
        for (auto &w : m_windows)
            delete w.data();
    }

    QWidget *mainWindow() override { return &m_main; }
    QWidget *practiceArea() override { return &m_main; }
    void placeDocked(QWidget *, ManagedWindow) override {}
    void centreDialog(QWidget *) override {}
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
            w = m_factories[which](&m_main);
            m_windows[which] = w;
        }
        if (w)
            w->show();
        return w;
    }
    QWidget *window(ManagedWindow which) const override { return m_windows.value(which).data(); }
    void unloadWindow(ManagedWindow which) override { delete m_windows.take(which).data(); }

    void closeOthers() override { ++closeOthersCount; }
    void openLinePractice() override
    {
        showWindow(ManagedWindow::StateForm);
        showWindow(ManagedWindow::LineForm);
        closeOthers();
    }
    void openTextPractice() override
    {
        showWindow(ManagedWindow::StateForm);
        showWindow(ManagedWindow::TextForm);
        closeOthers();
    }
    void selectDrillKind(int kind) override { lastDrillKind = kind; }

    void setCommand(const QString &menuName, std::function<void()> command) override
    {
        m_commands[menuName] = std::move(command);
    }
    bool runCommand(const QString &menuName) override
    {
        if (!m_commands.contains(menuName))
            return false;
        m_commands[menuName]();
        return true;
    }
    bool hasCommand(const QString &menuName) const { return m_commands.contains(menuName); }

    QString statusMessage;
    bool statusReady = false;
    int closeOthersCount = 0;
    int lastDrillKind = 0;

private:
    QWidget m_main;
    QMap<ManagedWindow, WindowFactory> m_factories;
    QMap<ManagedWindow, QPointer<QWidget>> m_windows;
    QMap<QString, std::function<void()>> m_commands;
};
