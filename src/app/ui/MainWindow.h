#pragma once
// MainWindow: the program's one top-level window. The strip with the graphic menu
// at the top, the practice area where exercise panels dock, the status strip
// at the bottom; start-up, the timers and exit. The window registry, the menu
// commands, placement, hover pictures, music and help are classes of their own
// that it hands the shell's calls and the menu items to.
#include "app/Music.h"
#include "app/ui/GraphicMenu.h"
#include "app/ui/HelpLauncher.h"
#include "app/ui/MainPlacement.h"
#include "app/ui/WindowRegistry.h"
#include "data/CodeTable.h"
#include "shell/Shell.h"

#include <QFutureWatcher>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <thread>

struct AppContext;
class GraphicButton;
class HoverTracker;
class MusicMenu;
class QAction;
class QMenu;
class StatusStrip;

class MainWindow : public QWidget, public Shell {
    Q_OBJECT
public:
    // Builds the window and its controls; `player` sounds the background music
    // (SDL when none is given). Sets ctx.shell.
    explicit MainWindow(AppContext &ctx, std::unique_ptr<MusicPlayer> player = nullptr);
    ~MainWindow() override;

    // Start-up sequence; the window is shown after it returns.
    void startUp();
    // Messages of code tables that did not load (known once they are loaded).
    const QStringList &startupMessages() const { return m_startupMessages; }
    // Starts reading the code tables on a worker thread unless done already.
    void loadCodeTablesInBackground();
    // The code tables are in the practice state when this returns.
    void waitForCodeTables();
    bool menuNeedsCodeTables(int index) const;

    void activated();
    void dismissSplash();        // the splash goes, the pointer returns
    void watchMinimize();        // hide-with-main step, on minimizing
    void takeBackIgnoredMinimize(); // a while after minimizing
    void restoreAfterResize();         // restore-with-main
    void pressMenuPicture(int index, Qt::MouseButton button);
    void clickMenuCaption(int index) { pressMenuPicture(index, Qt::LeftButton); }
    void minimizeProgram();
    void closeProgram();

    QWidget *splash() const;
    QTimer &activationTimer() { return m_splashTimer; }
    GraphicButton *menuButton(int index) const { return m_buttons.at(std::size_t(index)); }
    QMenu *buttonMenu(int index) const { return m_menu->buttonMenu(index); } // nullptr for button 3
    // The QAction of a menu control ("chinese.line", "music.tune2", ...).
    QAction *menuAction(const QString &key) const { return m_menu->menuAction(key); }
    StatusStrip *statusStrip() const;

    HoverTracker &hover() { return *m_hover; }
    MusicMenu &music() { return *m_music; }
    HelpLauncher &help() { return m_help; }

    // Shell
    QWidget *mainWindow() override { return this; }
    QWidget *practiceArea() override { return m_practiceArea; }
    void placeDocked(QWidget *panel, ManagedWindow which) override;
    void centreDialog(QWidget *dialog) override;
    QPoint mainToGlobal(const QPoint &fromMainEdges) const override;
    QPoint mainOrigin() const override;
    void setStatusMessage(const QString &text) override;
    void setStatusReady(bool ready) override;
    void registerWindow(ManagedWindow which, WindowFactory factory) override;
    QWidget *showWindow(ManagedWindow which) override;
    QWidget *window(ManagedWindow which) const override;
    void unloadWindow(ManagedWindow which) override;
    using Shell::closeOthers;
    void closeOthers(std::initializer_list<ManagedWindow> keep) override;
    void openPair(ManagedWindow practice) override;
    void selectDrillKind(int kind) override;
    void setCommand(const QString &key, std::function<void()> command) override;
    bool runCommand(const QString &key) override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStrip();
    void buildPracticeArea();
    void startTimers();
    void installCodeTables();
    void shutDown();

    struct LoadedCodeTables {
        CodeTables tables;
        QStringList messages;
    };
    static constexpr int kMinimizeGraceMs = 1000;

    AppContext &m_ctx;
    PracticeState &m_state;
    MainPlacement m_placement;
    HelpLauncher m_help;

    QWidget *m_strip = nullptr;
    QWidget *m_practiceArea = nullptr;
    std::array<GraphicButton *, GraphicMenu::kButtons> m_buttons{};
    GraphicMenu *m_menu = nullptr;
    std::unique_ptr<MusicMenu> m_music;
    HoverTracker *m_hover = nullptr;
    WindowRegistry m_registry;

    QPointer<QWidget> m_splash;
    bool m_busyCursor = false;
    bool m_loaded = false;
    QStringList m_startupMessages;

    QTimer m_splashTimer;
    QTimer m_minimizeWatch;
    QFutureWatcher<LoadedCodeTables> m_tableLoad;
    std::thread m_tableReader;
    bool m_tablesRequested = false;
    bool m_tablesInstalled = false;
};
