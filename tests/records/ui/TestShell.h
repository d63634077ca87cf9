#pragma once
// A small stand-in for the main window in window tests: a practice area, the
// window registry with factories, a close-others step that unloads every
// window whose opening flag is clear, and menu commands by name. It also
// answers message boxes from a script.
#include "app/AppContext.h"
#include "app/ui/Shell.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <map>

class TestShell : public Shell {
public:
    explicit TestShell(PracticeState &state) : m_state(state)
    {
        m_main.resize(900, 700);
        m_area = new QWidget(&m_main);
        m_area->setGeometry(0, 60, 900, 600);
    }
    ~TestShell() override
    {
        for (auto &entry : m_windows)
            delete entry.second.data();
    }

    QWidget *mainWindow() override { return &m_main; }
    QWidget *practiceArea() override { return m_area; }
    void placeDocked(QWidget *panel, ManagedWindow) override { panel->move(0, 0); }
    void centreDialog(QWidget *) override { ++centredDialogs; }
    QPoint mainTwipsToGlobal(double l, double t) const override { return QPoint(int(l / 15), int(t / 15)); }
    QPointF mainOriginTwips() const override { return QPointF(); }
    void SetStatusMessage(const QString &text) override { statusMessage = text; }
    void SetStatusState(bool ready) override { statusReady = ready; }

    void registerWindow(ManagedWindow which, WindowFactory factory) override { m_factories[which] = factory; }
    QWidget *showWindow(ManagedWindow which) override
    {
        QWidget *w = window(which);
        if (!w && m_factories.count(which)) {
            w = m_factories[which](m_area);
            m_windows[which] = w;
        }
        if (w)
            w->show();
        shownWindows.push_back(which);
        return w;
    }
    QWidget *window(ManagedWindow which) const override
    {
        auto it = m_windows.find(which);
        return it == m_windows.end() ? nullptr : it->second.data();
    }
    void unloadWindow(ManagedWindow which) override
    {
        delete window(which);
        m_windows.erase(which);
    }
    void closeOthers() override
    {
        ++closeOthersCount;
        m_state.runStarted = false;
        m_state.clockRunning = false;
        for (int i = 0; i < kManagedWindowCount; ++i) {
            const auto which = static_cast<ManagedWindow>(i);
            if (window(which) && !m_state.window(which).opening)
                unloadWindow(which);
        }
    }
    void openLinePractice() override { ++openLineCount; }
    void openTextPractice() override
    {
        ++openTextCount;
        m_state.window(ManagedWindow::StateForm).opening = true;
        m_state.window(ManagedWindow::TextForm).opening = true;
        showWindow(ManagedWindow::TextForm);
        closeOthers();
        m_state.window(ManagedWindow::StateForm).opening = false;
        m_state.window(ManagedWindow::TextForm).opening = false;
    }
    void selectDrillKind(int) override {}
    void setCommand(const QString &name, std::function<void()> command) override { m_commands[name] = command; }
    bool runCommand(const QString &name) override
    {
        auto it = m_commands.find(name);
        if (it == m_commands.end() || !it->second)
            return false;
        it->second();
        return true;
    }
    bool hasCommand(const QString &name) const { return m_commands.count(name) > 0; }

    int centredDialogs = 0;
    int closeOthersCount = 0;
    int openLineCount = 0;
    int openTextCount = 0;
    QString statusMessage;
    bool statusReady = false;
    std::vector<ManagedWindow> shownWindows;

private:
    PracticeState &m_state;
    QWidget m_main;
    QWidget *m_area;
    std::map<ManagedWindow, WindowFactory> m_factories;
    std::map<ManagedWindow, QPointer<QWidget>> m_windows;
    std::map<QString, std::function<void()>> m_commands;
};

// Everything a window needs, with a manual clock and recorded cues, in the
// fresh folders of a TestEnv.
struct TestContext {
    explicit TestContext(const QString &root)
        : settings(root + QStringLiteral("/config/quorvel/quorvel.ini")), shell(state),
          ctx{state, settings, cues, clock, random, AppPaths{}, &shell, nullptr}
    {
        ctx.paths.dataRoot = qEnvironmentVariable("QUORVEL_DATA_ROOT");
        ctx.paths.configDir = root + QStringLiteral("/config/quorvel");
        ctx.paths.userDataDir = root + QStringLiteral("/share/quorvel");
        QDir().mkpath(ctx.paths.configDir);
        QDir().mkpath(ctx.paths.userDataDir);
    }
    PracticeState state;
    SettingsStore settings;
    RecordingCuePlayer cues;
    ManualClock clock;
    SeededRandom random{1};
    TestShell shell;
    AppContext ctx;
};

// Answers message boxes as they come up, in order, and remembers what they
// said and which button was preselected.
class MessageBoxScript {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::StandardButton preselected = QMessageBox::NoButton;
    };

    explicit MessageBoxScript(std::deque<QMessageBox::StandardButton> answers) : m_answers(std::move(answers))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    std::vector<Seen> seen;
    bool finished() const { return m_answers.empty(); }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_last || m_answers.empty())
            return;
        m_last = box;
        Seen s;
        s.title = box->windowTitle();
        s.text = box->text();
        if (box->defaultButton())
            s.preselected = box->standardButton(box->defaultButton());
        seen.push_back(s);
        const QMessageBox::StandardButton answer = m_answers.front();
        m_answers.pop_front();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    std::deque<QMessageBox::StandardButton> m_answers;
    QPointer<QMessageBox> m_last;
    QTimer m_timer;
};

// Closes every result window that comes up, remembering its title and values.
class ReportCatcher {
public:
    struct Report {
        QString title;
        QStringList values;
    };

    ReportCatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    std::vector<Report> reports;

private:
    void poll()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QStringLiteral("CountMessage"))
            return;
        Report report;
        report.title = dialog->windowTitle();
        for (int i = 0; i < 6; ++i) {
            auto *label = dialog->findChild<QWidget *>(QStringLiteral("lblMessage(%1)").arg(i));
            report.values << (label ? label->property("text").toString() : QString());
        }
        reports.push_back(report);
        dialog->findChild<QAbstractButton *>(QStringLiteral("comClose"))->click();
    }

    QTimer m_timer;
};
