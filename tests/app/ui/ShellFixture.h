#pragma once
// A main window over a fresh state, private settings and a recorded music
// player, with the shell's own commands and the settings dialog registered.
// Panels of the exercises are stood in for by small ExercisePanel widgets
// that keep the registry contract (shown flag set on load, cleared on unload).
#include "app/ui/Fonts.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Registration.h"
#include "data/ui/Register.h"
#include "practice/PracticeState.h"
#include "support/TestContext.h"

#include <QLineEdit>
#include <QTimer>

class RecordedPlayer final : public MusicPlayer {
public:
    explicit RecordedPlayer(QStringList &log) : m_log(log) {}
    bool play(const QString &path) override
    {
        m_log << "play " + path;
        return false;
    }
    void stop() override { m_log << "stop"; }
    bool isPlaying() const override { return false; }

private:
    QStringList &m_log;
};

class FakePanel : public QWidget, public ExercisePanel {
public:
    // The registry keeps its shown flag.
    FakePanel(PracticeState &state, ManagedWindow which, QWidget *parent)
        : QWidget(parent), m_state(state), m_which(which), input(new QLineEdit(this))
    {
    }
    void clearContents() override
    {
        ++clears;
        input->clear();
    }
    void applyFontSizes() override { ++fontApplications; }

    PracticeState &m_state;
    ManagedWindow m_which;
    QLineEdit *input;
    int clears = 0;
    int fontApplications = 0;
};

struct ShellFixture : TestServices {
    QStringList musicLog;
    MainWindow main{ctx, std::make_unique<RecordedPlayer>(musicLog)};

    ShellFixture() : TestServices(7)
    {
        InstallChineseFonts();
    }

    // Starts the window as the program does, with the timers left to the test.
    void start()
    {
        main.startUp();
        stopTimers();
        RegisterShellCommands(ctx, main);
        RegisterSettingsDialog(ctx, main);
        main.show();
    }
    void stopTimers()
    {
        for (QTimer *t : main.findChildren<QTimer *>())
            t->stop();
    }
    void registerFakes(std::initializer_list<ManagedWindow> windows)
    {
        for (ManagedWindow w : windows)
            main.registerWindow(w, [this, w](QWidget *parent) { return new FakePanel(state, w, parent); });
    }
    FakePanel *panel(ManagedWindow w) const { return dynamic_cast<FakePanel *>(main.window(w)); }
};
