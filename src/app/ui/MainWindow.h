#pragma once
// frmDzy: the program's one top-level window. The strip with the graphic menu
// at the top, the practice area where exercise panels dock, the status strip
// at the bottom. Keeps the window registry, runs the close-others step and
// holds the menu commands the subsystems register.
#include "app/Music.h"
#include "app/Placement.h"
#include "shell/Shell.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

struct AppContext;
class GraphicButton;
class HelpWindow;
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
    void Form_Load();
    // The steps Form_Load ran, in order.
    const QStringList &startupSteps() const { return m_startupSteps; }
    // Messages of code tables that did not load.
    const QStringList &startupMessages() const { return m_startupMessages; }

    void Form_Activate();
    void TimAct_Timer();        // the splash goes, the pointer returns
    void Timer1_Timer();        // hide-with-main watch
    void takeBackIgnoredMinimize();
    void Form_Resize();         // restore-with-main
    void timGetPointer_Timer(); // hover pictures
    void hoverOver(QWidget *widgetUnderPointer);
    void imgType_MouseDown(int index, Qt::MouseButton button);
    void lblType_Click(int index) { imgType_MouseDown(index, Qt::LeftButton); }
    void cmdMin_Click();
    void cmdClose_Click();

    QWidget *splash() const;
    QTimer &activationTimer() { return m_timAct; }
    GraphicButton *menuButton(int index) const { return m_buttons.at(std::size_t(index)); }
    QMenu *buttonMenu(int index) const; // nullptr for button 3
    // The QAction of a menu control ("MenuChinese(1)", "BackMusic(2)", ...).
    QAction *menuAction(const QString &menuName) const { return m_actions.value(menuName); }
    StatusStrip *statusStrip() const;

    // Background music: the check marks follow the choice.
    void chooseTune(int index);
    void chooseNoMusic();
    BackgroundMusic &music() { return m_music; }

    // Help: the program's help page when it exists (found at start-up).
    QString helpFile() const { return m_helpFile; }
    void showHelp();
    HelpWindow *helpWindow() const;

    // Shell
    QWidget *mainWindow() override { return this; }
    QWidget *practiceArea() override { return m_practiceArea; }
    void placeDocked(QWidget *panel, ManagedWindow which) override;
    void centreDialog(QWidget *dialog) override;
    QPoint mainTwipsToGlobal(double leftTwips, double topTwips) const override;
    QPointF mainOriginTwips() const override;
    void SetStatusMessage(const QString &text) override;
    void SetStatusState(bool ready) override;
    void registerWindow(ManagedWindow which, WindowFactory factory) override;
    QWidget *showWindow(ManagedWindow which) override;
    QWidget *window(ManagedWindow which) const override;
    void unloadWindow(ManagedWindow which) override;
    void closeOthers() override;
    void openLinePractice() override;
    void openTextPractice() override;
    void selectDrillKind(int kind) override;
    void setCommand(const QString &menuName, std::function<void()> command) override;
    bool runCommand(const QString &menuName) override;

    // Strip dragging (presses on the bare strip).
    void Form_MouseDown(const QPoint &windowPos, Qt::MouseButton button);
    void Form_MouseMove(const QPoint &windowPos, Qt::MouseButtons buttons);
    void Form_MouseUp();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStrip();
    void buildMenus();
    void updateMenuStates();
    void syncMusicChecks();
    MainGeometry geometryAtOrigin() const;
    QWidget *parentFor(ManagedWindow which);
    void unloadUnlessOpening(ManagedWindow which);
    void clearPanel(ManagedWindow which);
    void hideWithMain();
    void restoreWithMain();
    void hideOne(ManagedWindow which);
    void showOneAgain(ManagedWindow which);
    void Form_Unload();

    AppContext &m_ctx;
    PracticeState &m_state;
    std::unique_ptr<MusicPlayer> m_player;
    BackgroundMusic m_music;

    QWidget *m_strip = nullptr;
    QWidget *m_practiceArea = nullptr;
    std::array<GraphicButton *, 8> m_buttons{};
    std::array<QMenu *, 8> m_menus{};
    QHash<QString, QAction *> m_actions;
    QHash<QString, std::function<void()>> m_commands;

    std::array<WindowFactory, kManagedWindowCount> m_factories;
    std::array<QPointer<QWidget>, kManagedWindowCount> m_windows;

    QPointer<QWidget> m_splash;
    QPointer<HelpWindow> m_help;
    QString m_helpFile;
    bool m_busyCursor = false;
    bool m_loaded = false;
    QStringList m_startupSteps;
    QStringList m_startupMessages;

    QTimer m_timAct;
    QTimer m_timer1;
    // How long the window has stayed on the screen since minimizing was asked.
    QElapsedTimer m_minimizedOnScreen;
    QTimer m_timGetPointer;
    QObject *m_lastHover = nullptr;

    bool m_dragging = false;
    QPoint m_grab;
};
