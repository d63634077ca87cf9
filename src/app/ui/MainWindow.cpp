#include "app/ui/MainWindow.h"

#include "app/ui/Artwork.h"
#include "app/ui/GraphicButton.h"
#include "shell/ui/ComposerInput.h"
#include "app/ui/HoverTracker.h"
#include "app/ui/IdleBackground.h"
#include "app/ui/MusicMenu.h"
#include "app/ui/SplashWindow.h"
#include "app/ui/StatusStrip.h"
#include "app/ui/Strip.h"
#include "data/Settings.h"
#include "shell/AppContext.h"
#include "shell/ui/WindowSystem.h"

#include <QAction>
#include <QPromise>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QWindow>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const char *const kButtonCaptions[GraphicMenu::kButtons] = {"指法练习", "中文打字", "英文打字", "自由录入",
                                                           "五笔练习", "打字游戏", "其他选项", "帮助"};

QToolButton *captionButton(QWidget *parent, const QString &name, const QString &glyph, const QString &tip,
                           const QString &hoverColour)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(glyph);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setFixedSize(24, 20);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QStringLiteral("QToolButton { color: white; background: rgba(255,255,255,28);"
                                    " border: 1px solid rgba(255,255,255,70); border-radius: 5px;"
                                    " font: bold 12px 'DejaVu Sans'; }"
                                    "QToolButton:hover { background: %1; }")
                         .arg(hoverColour));
    return b;
}

} // namespace

MainWindow::MainWindow(AppContext &ctx, std::unique_ptr<MusicPlayer> player)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_ctx(ctx),
      m_state(ctx.state),
      m_placement(*this, ctx.state),
      m_help(*this, ctx.settings),
      m_registry(ctx, *this)
{
    m_ctx.shell = this;
    setObjectName(QStringLiteral("frmDzy"));
    setWindowTitle(QStringLiteral("QuorvelV1.41"));
    setWindowIcon(QIcon(artwork::emblem(64)));

    buildStrip();
    buildPracticeArea();
    m_menu = new GraphicMenu(this);
    connect(m_menu, &GraphicMenu::commandChosen, this, [this](const QString &key) { runCommand(key); });
    m_music = std::make_unique<MusicMenu>(*m_menu, player ? std::move(player) : std::make_unique<SdlMusicPlayer>(),
                                          ctx.paths.data(QStringLiteral("data/midi")));
    m_hover = new HoverTracker(*this, this);
    m_hover->watch(m_strip);
    for (QWidget *child : m_strip->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        m_hover->watch(child);
    // F1 works anywhere in the program, as the help item's shortcut.
    QAction *help = menuAction(QStringLiteral("help.contents"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::ApplicationShortcut);
    addAction(help);

    registerWindow(ManagedWindow::IdleBackground, [this](QWidget *parent) { return new IdleBackground(parent); });
    registerWindow(ManagedWindow::StatusStrip, [this](QWidget *parent) { return new StatusStrip(parent); });
    startTimers();
}

void MainWindow::startTimers()
{
    // Children by parent, so they can be found by name; as members they are
    // destroyed before the window.
    for (QTimer *t : {&m_splashTimer, &m_minimizeWatch})
        t->setParent(this);
    m_splashTimer.setObjectName(QStringLiteral("TimAct"));
    m_splashTimer.setSingleShot(true);
    connect(&m_splashTimer, &QTimer::timeout, this, &MainWindow::dismissSplash);
    // Runs once after a minimize, to see whether it was honoured.
    m_minimizeWatch.setObjectName(QStringLiteral("Timer1"));
    m_minimizeWatch.setSingleShot(true);
    m_minimizeWatch.setInterval(kMinimizeGraceMs);
    connect(&m_minimizeWatch, &QTimer::timeout, this, &MainWindow::takeBackIgnoredMinimize);
    connect(&m_tableLoad, &QFutureWatcher<LoadedCodeTables>::finished, this, &MainWindow::installCodeTables);
    // Whatever first needs the code tables waits for them then.
    m_state.loadCodeTables = [this] { waitForCodeTables(); };
}

MainWindow::~MainWindow()
{
    if (m_tableReader.joinable())
        m_tableReader.join();
    m_state.loadCodeTables = nullptr;
    m_registry.unloadAll();
    delete m_splash.data();
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
    if (m_ctx.shell == this)
        m_ctx.shell = nullptr;
}

void MainWindow::buildPracticeArea()
{
    m_practiceArea = new QWidget(this);
    m_practiceArea->setObjectName(QStringLiteral("practiceArea"));
    m_practiceArea->setAutoFillBackground(true);
    QPalette pal = m_practiceArea->palette();
    pal.setColor(QPalette::Window, QColor(0xe8, 0xf2, 0xfa));
    m_practiceArea->setPalette(pal);
}

void MainWindow::buildStrip()
{
    const QRect strip = geometry::kStripRect;
    m_strip = new Strip(this);
    m_strip->setGeometry(0, 0, strip.width(), strip.height());

    auto *image1 = new QLabel(m_strip);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(artwork::emblem(24, devicePixelRatioF()));
    image1->setGeometry(10, 4, 24, 24);
    image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *label1 = new QLabel(QStringLiteral("QuorvelV1.41"), m_strip);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("DejaVu Sans"));
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    label1->setFont(titleFont);
    label1->setStyleSheet(QStringLiteral("color: white;"));
    label1->setGeometry(40, 4, 200, 24);
    label1->setAttribute(Qt::WA_TransparentForMouseEvents);

    const int row = (7 * 80 + GraphicButton::kWidth);
    const int left = (strip.width() - row) / 2;
    for (int i = 0; i < GraphicMenu::kButtons; ++i) {
        auto *button = new GraphicButton(i, QString::fromUtf8(kButtonCaptions[i]), m_strip);
        button->move(left + i * 80, strip.height() - GraphicButton::kHeight - 6);
        connect(button, &GraphicButton::pressed, this, &MainWindow::pressMenuPicture);
        button->installEventFilter(this);
        m_buttons[std::size_t(i)] = button;
    }
    auto *minimizeButton = captionButton(m_strip, QStringLiteral("cmdMin"), QStringLiteral("–"), QStringLiteral("最小化"),
                                 QStringLiteral("rgba(255,255,255,80)"));
    auto *closeButton = captionButton(m_strip, QStringLiteral("cmdClose"), QStringLiteral("×"), QStringLiteral("关闭"),
                                   QStringLiteral("#c0392b"));
    minimizeButton->setAccessibleDescription(QStringLiteral("把主窗口和练习窗口一起最小化"));
    closeButton->setAccessibleDescription(QStringLiteral("退出程序"));
    minimizeButton->move(strip.width() - 60, 6);
    closeButton->move(strip.width() - 32, 6);
    connect(minimizeButton, &QToolButton::clicked, this, &MainWindow::minimizeProgram);
    connect(closeButton, &QToolButton::clicked, this, &MainWindow::closeProgram);
}

// ---- Start-up ---------------------------------------------------------------

void MainWindow::startUp()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyCursor = true;

    auto *splash = new SplashWindow(WindowSystemPlacesWindows() ? nullptr : this);
    m_splash = splash;
    splash->showOnScreenNow();

    // The window is the strip, the practice area and the status strip; its
    // size follows from the two offsets fixed here.
    m_state.dockOffset = 103;
    m_state.dockCorrection = 4;
    const MainGeometry g = m_placement.atOrigin();
    const QPoint practiceTop = ToStripPoint(QPoint(geometry::kLeftMargin, g.practiceTop()));
    setFixedSize(geometry::kStripRect.width(), ToStripPoint(QPoint(0, g.height())).y());
    m_practiceArea->setGeometry(0, practiceTop.y(), width(), geometry::kPracticeHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + qMax(0, (s.height() - height()) / 3));
    }

    m_help.findPage(m_ctx.paths.data(QStringLiteral("help/help.html")));

    showWindow(ManagedWindow::IdleBackground);
    showWindow(ManagedWindow::StatusStrip);

    LoadStartupSettings(m_ctx.settings, m_state.cues, m_state.fonts);

    m_loaded = true;
    // Some platforms never activate a window (no window manager): the splash
    // must not stay for ever then.
    QTimer::singleShot(3000, this, [this] {
        if (m_splash && !m_splashTimer.isActive())
            activated();
    });
}

void MainWindow::activated()
{
    // Without a window manager nothing keeps the splash on top.
    if (m_splash)
        m_splash->raise();
    m_splashTimer.setInterval(400);
    m_splashTimer.start();
}

void MainWindow::dismissSplash()
{
    if (m_splash) {
        m_splash->close();
        delete m_splash.data();
#ifdef __GLIBC__
        // What start-up used and freed (the splash picture, font and style
        // set-up) goes back to the system instead of staying with the allocator.
        malloc_trim(0);
#endif
    }
    if (m_busyCursor) {
        QApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    m_splashTimer.stop();
}

QWidget *MainWindow::splash() const
{
    return m_splash.data();
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        activated();
    return QWidget::event(event);
}

// ---- Graphic menu -----------------------------------------------------------

void MainWindow::pressMenuPicture(int index, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || index < 0 || index > 7)
        return;
    if (menuNeedsCodeTables(index))
        loadCodeTablesInBackground();
    if (index == 3) {
        runCommand(QStringLiteral("freeInput"));
        return;
    }
    const GraphicButton *b = m_buttons[std::size_t(index)];
    buttonMenu(index)->popup(b->mapToGlobal(QPoint(0, b->height())));
}

// ---- Placement --------------------------------------------------------------

void MainWindow::placeDocked(QWidget *panel, ManagedWindow which)
{
    m_placement.placeDocked(panel, which);
}

void MainWindow::centreDialog(QWidget *dialog)
{
    m_placement.centreDialog(dialog);
}

QPoint MainWindow::mainToGlobal(const QPoint &fromMainEdges) const
{
    return m_placement.mainToGlobal(fromMainEdges);
}

QPoint MainWindow::mainOrigin() const
{
    return m_placement.mainOrigin();
}

// ---- Status strip -----------------------------------------------------------

StatusStrip *MainWindow::statusStrip() const
{
    return qobject_cast<StatusStrip *>(window(ManagedWindow::StatusStrip));
}

void MainWindow::setStatusMessage(const QString &text)
{
    if (!statusStrip())
        showWindow(ManagedWindow::StatusStrip);
    if (StatusStrip *strip = statusStrip())
        strip->setMessage(text);
}

void MainWindow::setStatusReady(bool ready)
{
    if (!statusStrip())
        showWindow(ManagedWindow::StatusStrip);
    if (StatusStrip *strip = statusStrip())
        strip->setReady(ready);
}

// ---- Window registry and menu commands --------------------------------------

void MainWindow::registerWindow(ManagedWindow which, WindowFactory factory)
{
    m_registry.registerWindow(which, std::move(factory));
}

QWidget *MainWindow::showWindow(ManagedWindow which)
{
    return m_registry.showWindow(which);
}

QWidget *MainWindow::window(ManagedWindow which) const
{
    return m_registry.window(which);
}

void MainWindow::unloadWindow(ManagedWindow which)
{
    m_registry.unloadWindow(which);
}

void MainWindow::closeOthers(std::initializer_list<ManagedWindow> keep)
{
    m_registry.closeOthers(keep);
}

void MainWindow::openPair(ManagedWindow practice)
{
    m_registry.openPair(practice);
}

void MainWindow::selectDrillKind(int kind)
{
    m_registry.selectDrillKind(kind);
}

void MainWindow::setCommand(const QString &key, std::function<void()> command)
{
    m_menu->setCommand(key, std::move(command));
}

// ---- Code tables ------------------------------------------------------------

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The code tables stay on disk until something needs them. When the
    // learner reaches for a menu whose exercises draw on them, they are read
    // on a worker thread while a command is being chosen; the first use
    // waits for whatever is left.
    if (event->type() == QEvent::Enter) {
        if (auto *button = qobject_cast<GraphicButton *>(watched); button && menuNeedsCodeTables(button->index()))
            loadCodeTablesInBackground();
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::menuNeedsCodeTables(int index) const
{
    switch (index) {
    case 0: // 指法练习
    case 2: // 英文打字
        return false;
    case 1: // 中文打字 and 自由录入: only the built-in Wubi composer reads them at once
    case 3:
        return m_ctx.composer && m_ctx.composer->edition() != 0;
    default: // 五笔打字, the race, the statistics, the code lookup
        return true;
    }
}

void MainWindow::loadCodeTablesInBackground()
{
    if (m_tablesRequested)
        return;
    m_tablesRequested = true;
    QPromise<LoadedCodeTables> promise;
    m_tableLoad.setFuture(promise.future());
    m_tableReader = std::thread([promise = std::move(promise), dataRoot = m_ctx.paths.dataRoot]() mutable {
        promise.start();
        LoadedCodeTables loaded;
        loaded.messages = LoadCodeTables(dataRoot, true, true, loaded.tables);
        promise.addResult(std::move(loaded));
        promise.finish();
    });
}

void MainWindow::waitForCodeTables()
{
    loadCodeTablesInBackground();
    if (m_tableReader.joinable())
        m_tableReader.join();
    installCodeTables();
}

void MainWindow::installCodeTables()
{
    if (m_tablesInstalled || !m_tablesRequested || !m_tableLoad.future().isFinished())
        return;
    LoadedCodeTables loaded = m_tableLoad.future().takeResult();
    m_state.tables = std::move(loaded.tables);
    m_state.loadCodeTables = nullptr;
    m_startupMessages = std::move(loaded.messages);
    m_tablesInstalled = true;
    for (const QString &message : std::as_const(m_startupMessages))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

bool MainWindow::runCommand(const QString &key)
{
    return m_menu->runCommand(key);
}

// ---- Minimize, restore, exit ------------------------------------------------

void MainWindow::minimizeProgram()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void MainWindow::closeProgram()
{
    close();
}

void MainWindow::watchMinimize()
{
    if (isMinimized() && (m_state.shown(ManagedWindow::StatusStrip) || m_state.shown(ManagedWindow::IdleBackground) ||
                          m_state.shown(ManagedWindow::RunPanel)))
        m_registry.hideWithMain();
}

void MainWindow::takeBackIgnoredMinimize()
{
    // Where no window manager honours the request, the window stays on the
    // screen while it counts as minimized, and nothing would ever restore the
    // panels: after the grace period it counts as restored again.
    const bool onScreen = windowHandle() && windowHandle()->isExposed();
    if (isMinimized() && onScreen)
        setWindowState(windowState() & ~Qt::WindowMinimized); // restoreAfterResize restores
}

void MainWindow::restoreAfterResize()
{
    if (m_loaded && !isMinimized() && !m_state.shown(ManagedWindow::StatusStrip))
        m_registry.restoreWithMain();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange) {
        // Minimized: the companions go at once; restored: they come back.
        if (isMinimized()) {
            watchMinimize();
            m_minimizeWatch.start();
        } else {
            m_minimizeWatch.stop();
            restoreAfterResize();
        }
    }
    // Shown or activated again: the learner is back, whatever the window
    // manager made of the minimize request.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        else
            restoreAfterResize();
    }
    QWidget::changeEvent(event);
}

void MainWindow::shutDown()
{
    closeOthers();
    // Everything goes, also the windows hidden with the main window.
    m_registry.unloadAll();
    m_help.close();
    m_music->stop();
    m_minimizeWatch.stop();
    dismissSplash();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}
