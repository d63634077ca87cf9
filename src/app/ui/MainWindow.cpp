#include "app/ui/MainWindow.h"

#include "shell/AppContext.h"
#include "app/ui/Artwork.h"
#include "app/ui/GraphicButton.h"
#include "app/ui/HelpWindow.h"
#include "data/Audio.h"
#include "app/ui/StartupWindows.h"
#include "app/ui/StatusStrip.h"
#include "data/Settings.h"
#include "practice/ui/RunControl.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QWindow>
#include <cmath>
#include <cstdio>

namespace {

using geometry::kTwipsPerPixel;

// The menu tree: control name, caption, sub-items. "-" is a separator.
struct MenuItem {
    const char *name;
    const char *caption;
    std::vector<MenuItem> items;
};

struct TopMenu {
    int button;
    const char *name;
    const char *caption;
    std::vector<MenuItem> items;
};

const std::vector<TopMenu> &menuTree()
{
    static const std::vector<TopMenu> tree{
        {0, "KeyBoardType", "键盘打字",
         {{"OnlyKeyBoard", "打字键区键位练习", {}},
          {"FingerEx", "打字键区指法练习", {}},
          {"Nline", "-", {}},
          {"NKBExercise", "数字键区键位练习", {}}}},
        {1, "ChineseType", "中文打字", {{"MenuChinese(1)", "中文逐行对打", {}}, {"MenuChinese(2)", "中文文本对打", {}}}},
        {2, "EnglishType", "英文打字",
         {{"MenuEngLish(1)", "英文逐行对打", {}},
          {"MenuEngLish(2)", "英文文本对打", {}},
          {"MenuEngLish(3)", "英文字母打字", {}}}},
        {4, "WbType", "五笔打字",
         {{"ZGEx", "字根练习", {}},
          {"Wbzg", "字根表对照打字", {}},
          {"JMz", "键名字练习", {}},
          {"line1", "-", {}},
          {"Yj", "一级简码练习", {}},
          {"Wb", "二级简码练习", {{"Ej(1)", "五笔86版", {}}, {"Ej(2)", "五笔98版", {}}}},
          {"Wn", "三级简码练习", {{"Sj(1)", "五笔86版", {}}, {"Sj(2)", "五笔98版", {}}}},
          {"line2", "-", {}},
          {"CZ2", "二字词组", {{"CZ2_86", "五笔86版", {}}, {"CZ2_98", "五笔98版", {}}}},
          {"CZ3", "三字词组", {{"CZ3_86", "五笔86版", {}}, {"CZ3_98", "五笔98版", {}}}},
          {"CZ4", "四字词组", {{"CZ4_86", "五笔86版", {}}, {"CZ4_98", "五笔98版", {}}}},
          {"CZM", "多字词组", {{"CZM_86", "五笔86版", {}}, {"CZM_98", "五笔98版", {}}}}}},
        {5, "Games", "打字游戏", {{"GtSp", "龟兔赛跑", {}}}},
        {6, "Other", "其他",
         {{"Config", "系统设置", {}},
          {"Record_View", "记录查看", {}},
          {"Music", "背景音乐",
           {{"Music_not", "无背景音乐", {}},
            {"Music_line", "-", {}},
            {"BackMusic(0)", "我爱你,中国", {}},
            {"BackMusic(1)", "花好月圆", {}},
            {"BackMusic(2)", "高山流水", {}},
            {"BackMusic(3)", "春天的故事", {}}}}}},
        {7, "Help", "帮助",
         {{"WbDf", "五笔打法查找", {}}, {"HelpText", "帮助", {}}, {"About", "关于", {}}}},
    };
    return tree;
}

const char *const kButtonCaptions[8] = {"指法练习", "中文打字", "英文打字", "自由录入",
                                        "五笔练习", "打字游戏", "其他选项", "帮助"};

// The pop-up menus in the colours of the strip (sub-menus inherit it).
const char kMenuStyle[] =
    "QMenu { background: #f7fbff; border: 1px solid #5b8dbf; padding: 4px 0px; }"
    "QMenu::item { padding: 5px 30px 5px 28px; color: #12385c; }"
    "QMenu::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4d6, stop:1 #ffd87a);"
    " color: #6b3a00; }"
    "QMenu::item:disabled { color: #a3b1bf; background: transparent; }"
    "QMenu::separator { height: 1px; background: #c9dbec; margin: 4px 10px; }"
    "QMenu::indicator { left: 8px; }";

// "MenuChinese(1)" -> "MenuChinese_1": a name usable as an object name.
QString objectNameOf(const QString &menuName)
{
    QString name = menuName;
    name.replace(QLatin1Char('('), QLatin1Char('_'));
    name.remove(QLatin1Char(')'));
    return name;
}

bool isMusicItem(const QString &menuName)
{
    return menuName == QLatin1String("Music_not") || menuName.startsWith(QLatin1String("BackMusic("));
}

// The bare strip: paints the background and starts drags.
class Strip : public QWidget {
public:
    Strip(MainWindow *main) : QWidget(main), m_main(main) { setObjectName(QStringLiteral("strip")); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_background.size() != size())
            m_background = artwork::stripBackground(size());
        QPainter(this).drawPixmap(0, 0, m_background);
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        m_main->Form_MouseDown(mapTo(m_main, e->position().toPoint()), e->button());
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        m_main->Form_MouseMove(mapTo(m_main, e->position().toPoint()), e->buttons());
    }
    void mouseReleaseEvent(QMouseEvent *) override { m_main->Form_MouseUp(); }

private:
    MainWindow *m_main;
    QPixmap m_background;
};

QToolButton *captionButton(QWidget *parent, const QString &name, const QString &glyph, const QString &tip,
                           const QString &hoverColour)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(glyph);
    b->setToolTip(tip);
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
      m_player(player ? std::move(player) : std::make_unique<SdlMusicPlayer>()),
      m_music(*m_player, ctx.paths.data(QStringLiteral("data/midi")))
{
    m_ctx.shell = this;
    setObjectName(QStringLiteral("frmDzy"));
    setWindowTitle(QStringLiteral("QuorvelV1.41"));
    setWindowIcon(QIcon(artwork::emblem(64)));

    buildStrip();
    m_practiceArea = new QWidget(this);
    m_practiceArea->setObjectName(QStringLiteral("practiceArea"));
    m_practiceArea->setAutoFillBackground(true);
    QPalette pal = m_practiceArea->palette();
    pal.setColor(QPalette::Window, QColor(0xe8, 0xf2, 0xfa));
    m_practiceArea->setPalette(pal);
    buildMenus();

    registerWindow(ManagedWindow::BackForm, [this](QWidget *parent) { return new IdleBackground(m_state, parent); });
    registerWindow(ManagedWindow::BaseForm, [this](QWidget *parent) { return new StatusStrip(m_state, parent); });

    // Children by parent, so they can be found by name; as members they are
    // destroyed before the window.
    for (QTimer *t : {&m_timAct, &m_timer1, &m_timGetPointer})
        t->setParent(this);
    m_timAct.setObjectName(QStringLiteral("TimAct"));
    connect(&m_timAct, &QTimer::timeout, this, &MainWindow::TimAct_Timer);
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(50);
    connect(&m_timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    // Short enough to feel immediate without waking the processor every millisecond.
    m_timGetPointer.setObjectName(QStringLiteral("timGetPointer"));
    m_timGetPointer.setInterval(15);
    connect(&m_timGetPointer, &QTimer::timeout, this, &MainWindow::timGetPointer_Timer);
}

MainWindow::~MainWindow()
{
    // Panels refer to the shared state in their destructors: let them go while
    // the registry still exists.
    for (auto &w : m_windows)
        delete w.data();
    delete m_splash.data();
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
    if (m_ctx.shell == this)
        m_ctx.shell = nullptr;
}

void MainWindow::buildStrip()
{
    const QRect strip = geometry::kStripRect;
    m_strip = new Strip(this);
    m_strip->setGeometry(0, 0, strip.width(), strip.height());

    auto *image1 = new QLabel(m_strip);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(artwork::emblem(24));
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
    for (int i = 0; i < 8; ++i) {
        auto *button = new GraphicButton(i, QString::fromUtf8(kButtonCaptions[i]), m_strip);
        button->move(left + i * 80, strip.height() - GraphicButton::kHeight - 6);
        connect(button, &GraphicButton::pressed, this, &MainWindow::imgType_MouseDown);
        m_buttons[std::size_t(i)] = button;
    }
    auto *cmdMin = captionButton(m_strip, QStringLiteral("cmdMin"), QStringLiteral("–"), QStringLiteral("最小化"),
                                 QStringLiteral("rgba(255,255,255,80)"));
    auto *cmdClose = captionButton(m_strip, QStringLiteral("cmdClose"), QStringLiteral("×"), QStringLiteral("关闭"),
                                   QStringLiteral("#c0392b"));
    cmdMin->move(strip.width() - 60, 6);
    cmdClose->move(strip.width() - 32, 6);
    connect(cmdMin, &QToolButton::clicked, this, &MainWindow::cmdMin_Click);
    connect(cmdClose, &QToolButton::clicked, this, &MainWindow::cmdClose_Click);
}

void MainWindow::buildMenus()
{
    QFont font(artwork::songFamily());
    font.setPixelSize(14);
    const auto addItems = [&](QMenu *menu, const std::vector<MenuItem> &items, auto &self) -> void {
        for (const MenuItem &item : items) {
            const QString name = QString::fromLatin1(item.name);
            if (qstrcmp(item.caption, "-") == 0) {
                menu->addSeparator()->setObjectName(name);
                continue;
            }
            if (!item.items.empty()) {
                QMenu *sub = menu->addMenu(QString::fromUtf8(item.caption));
                sub->setObjectName(name);
                sub->setFont(font);
                sub->menuAction()->setObjectName(name);
                self(sub, item.items, self);
                continue;
            }
            QAction *action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(objectNameOf(name));
            if (isMusicItem(name))
                action->setCheckable(true);
            connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
            m_actions.insert(name, action);
        }
    };
    for (const TopMenu &top : menuTree()) {
        auto *menu = new QMenu(QString::fromUtf8(top.caption), this);
        menu->setObjectName(QString::fromLatin1(top.name));
        menu->setFont(font);
        menu->setStyleSheet(QString::fromLatin1(kMenuStyle));
        addItems(menu, top.items, addItems);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateMenuStates);
        m_menus[std::size_t(top.button)] = menu;
    }
    // F1 works anywhere in the program, as the help item's shortcut.
    QAction *help = m_actions.value(QStringLiteral("HelpText"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::ApplicationShortcut);
    addAction(help);
    updateMenuStates();
}

void MainWindow::updateMenuStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_commands.contains(it.key()));
    // A sub-menu none of whose items works is shown disabled too.
    for (QMenu *top : m_menus) {
        if (!top)
            continue;
        for (QMenu *sub : top->findChildren<QMenu *>()) {
            bool any = false;
            for (QAction *a : sub->actions())
                any = any || (!a->isSeparator() && a->isEnabled());
            sub->menuAction()->setEnabled(any);
        }
    }
}

QMenu *MainWindow::buttonMenu(int index) const
{
    return m_menus.at(std::size_t(index));
}

// ---- Start-up ---------------------------------------------------------------

void MainWindow::Form_Load()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyCursor = true;
    m_startupSteps << QStringLiteral("busy cursor");

    auto *splash = new SplashWindow;
    m_splash = splash;
    splash->showOnScreenNow();
    m_startupSteps << QStringLiteral("splash");

    // The window is the strip, the practice area and the status strip; its
    // size follows from the two offsets fixed here.
    m_state.dockOffset = 1545;
    m_state.dockCorrection = 53;
    const MainGeometry g = geometryAtOrigin();
    const QPoint practiceTop = TwipsToStripPixels(geometry::kLeftMargin, g.practiceTop());
    const int practiceHeight = int(std::lround(geometry::kPracticeHeight / kTwipsPerPixel));
    const int statusHeight = int(std::lround(geometry::kStatusHeight / kTwipsPerPixel));
    setFixedSize(geometry::kStripRect.width(), practiceTop.y() + practiceHeight + statusHeight);
    m_practiceArea->setGeometry(0, practiceTop.y(), width(), practiceHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + qMax(0, (s.height() - height()) / 3));
    }
    m_startupSteps << QStringLiteral("shape");

    m_startupMessages = LoadCodeTables(m_ctx.paths.dataRoot, true, true, m_state.tables);
    for (const QString &message : std::as_const(m_startupMessages))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    m_startupSteps << QStringLiteral("code tables");

    const QString help = m_ctx.paths.data(QStringLiteral("help/help.html"));
    if (FileExists(help))
        m_helpFile = help;
    m_startupSteps << QStringLiteral("help file");

    showWindow(ManagedWindow::BackForm);
    showWindow(ManagedWindow::BaseForm);
    m_startupSteps << QStringLiteral("background and status strip");

    m_state.runStarted = false;
    m_state.clockRunning = false;
    m_startupSteps << QStringLiteral("run flags");

    LoadStartupSettings(m_ctx.settings, m_state.cues, m_state.fonts);
    m_startupSteps << QStringLiteral("settings");

    m_loaded = true;
    m_timer1.start();
    m_timGetPointer.start();
    // Some platforms never activate a window (no window manager): the splash
    // must not stay for ever then.
    QTimer::singleShot(3000, this, [this] {
        if (m_splash && !m_timAct.isActive())
            Form_Activate();
    });
}

void MainWindow::Form_Activate()
{
    // Without a window manager nothing keeps the splash on top.
    if (m_splash)
        m_splash->raise();
    m_timAct.setInterval(400);
    m_timAct.start();
}

void MainWindow::TimAct_Timer()
{
    if (m_splash) {
        m_splash->close();
        delete m_splash.data();
    }
    if (m_busyCursor) {
        QApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    m_timAct.stop();
}

QWidget *MainWindow::splash() const
{
    return m_splash.data();
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

// ---- Graphic menu and hover -------------------------------------------------

void MainWindow::imgType_MouseDown(int index, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || index < 0 || index > 7)
        return;
    if (index == 3) {
        runCommand(QStringLiteral("imgType(3)"));
        return;
    }
    const GraphicButton *b = m_buttons[std::size_t(index)];
    m_menus[std::size_t(index)]->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void MainWindow::timGetPointer_Timer()
{
    hoverOver(QApplication::widgetAt(QCursor::pos()));
}

void MainWindow::hoverOver(QWidget *h)
{
    // Which "window" the pointer is over: a button (its caption included),
    // the main strip, or something else that leaves the pictures alone.
    QObject *target = nullptr;
    for (QWidget *w = h; w; w = w->parentWidget()) {
        if (auto *button = qobject_cast<GraphicButton *>(w)) {
            target = button;
            break;
        }
        if (w == this) {
            target = this;
            break;
        }
        if (w == m_practiceArea || w->isWindow() || qobject_cast<QToolButton *>(w) ||
            w == window(ManagedWindow::BaseForm))
            break;
    }
    if (!target || target == m_lastHover)
        return;
    if (auto *last = qobject_cast<GraphicButton *>(m_lastHover))
        last->setHoverPicture(false);
    if (auto *button = qobject_cast<GraphicButton *>(target))
        button->setHoverPicture(true);
    m_lastHover = target;
}

// ---- Dragging ---------------------------------------------------------------

void MainWindow::Form_MouseDown(const QPoint &windowPos, Qt::MouseButton button)
{
    if (m_dragging)
        return;
    // The window manager moves the window itself where it can; only the left
    // button moves it either way.
    if (button == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove())
        return;
    m_grab = windowPos;
    m_dragging = true;
}

void MainWindow::Form_MouseMove(const QPoint &windowPos, Qt::MouseButtons buttons)
{
    if (!m_dragging || !(buttons & Qt::LeftButton))
        return;
    // The docked panels are children of this window and move with it.
    move(pos() + (windowPos - m_grab));
}

void MainWindow::Form_MouseUp()
{
    m_dragging = false;
}

// ---- Placement --------------------------------------------------------------

MainGeometry MainWindow::geometryAtOrigin() const
{
    MainGeometry g;
    g.dockOffset = m_state.dockOffset;
    g.dockCorrection = m_state.dockCorrection;
    return g;
}

void MainWindow::placeDocked(QWidget *panel, ManagedWindow which)
{
    const std::optional<TwipRect> rect = DockedRect(which, geometryAtOrigin());
    if (!panel || !rect)
        return;
    const QPoint windowPos = TwipsToStripPixels(rect->left, rect->top);
    const QSize size(int(std::lround(rect->width / kTwipsPerPixel)), int(std::lround(rect->height / kTwipsPerPixel)));
    QWidget *parent = panel->parentWidget();
    QPoint pos = mapToGlobal(windowPos);
    if (parent && !panel->isWindow())
        pos = parent->mapFromGlobal(pos);
    panel->setGeometry(QRect(pos, size));
}

void MainWindow::centreDialog(QWidget *dialog)
{
    if (!dialog)
        return;
    const QSize size = dialog->isVisible() ? dialog->frameGeometry().size()
                       : dialog->testAttribute(Qt::WA_Resized) ? dialog->size()
                                                               : dialog->sizeHint();
    const QPointF origin = mainOriginTwips();
    MainGeometry g = geometryAtOrigin();
    g.left = origin.x();
    g.top = origin.y();
    const QPointF topLeft = CentredDialogPosition(g, size.width() * kTwipsPerPixel, size.height() * kTwipsPerPixel);
    dialog->move(int(std::lround(topLeft.x() / kTwipsPerPixel)), int(std::lround(topLeft.y() / kTwipsPerPixel)));
}

QPoint MainWindow::mainTwipsToGlobal(double leftTwips, double topTwips) const
{
    return mapToGlobal(TwipsToStripPixels(leftTwips, topTwips));
}

QPointF MainWindow::mainOriginTwips() const
{
    const QPoint origin = mapToGlobal(QPoint(0, 0)) - geometry::kStripRect.topLeft();
    return {origin.x() * kTwipsPerPixel, origin.y() * kTwipsPerPixel};
}

// ---- Status strip -----------------------------------------------------------

StatusStrip *MainWindow::statusStrip() const
{
    return qobject_cast<StatusStrip *>(window(ManagedWindow::BaseForm));
}

void MainWindow::SetStatusMessage(const QString &text)
{
    if (!statusStrip())
        showWindow(ManagedWindow::BaseForm);
    if (StatusStrip *strip = statusStrip())
        strip->setMessage(text);
}

void MainWindow::SetStatusState(bool ready)
{
    if (!statusStrip())
        showWindow(ManagedWindow::BaseForm);
    if (StatusStrip *strip = statusStrip())
        strip->setReady(ready);
}

// ---- Window registry --------------------------------------------------------

QWidget *MainWindow::parentFor(ManagedWindow which)
{
    return which == ManagedWindow::BaseForm ? static_cast<QWidget *>(this) : m_practiceArea;
}

void MainWindow::registerWindow(ManagedWindow which, WindowFactory factory)
{
    m_factories[std::size_t(which)] = std::move(factory);
}

QWidget *MainWindow::showWindow(ManagedWindow which)
{
    QPointer<QWidget> &slot = m_windows[std::size_t(which)];
    if (!slot) {
        const WindowFactory &factory = m_factories[std::size_t(which)];
        if (!factory)
            return nullptr;
        slot = factory(parentFor(which));
        if (!slot)
            return nullptr;
        placeDocked(slot, which);
    }
    if (!slot->isVisible()) {
        slot->show();
        m_state.window(which).shown = true;
        m_state.window(which).hiddenWithMain = false;
    }
    slot->raise();
    return slot;
}

QWidget *MainWindow::window(ManagedWindow which) const
{
    return m_windows[std::size_t(which)].data();
}

void MainWindow::unloadWindow(ManagedWindow which)
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

// ---- Launching --------------------------------------------------------------

void MainWindow::unloadUnlessOpening(ManagedWindow which)
{
    if (m_state.shown(which) && !m_state.window(which).opening)
        unloadWindow(which);
}

void MainWindow::clearPanel(ManagedWindow which)
{
    if (!m_state.shown(which))
        return;
    if (auto *panel = dynamic_cast<ExercisePanel *>(window(which)))
        panel->clearContents();
    unloadUnlessOpening(which);
}

void MainWindow::closeOthers()
{
    m_state.pendingText.clear();
    m_state.typedText.clear();
    m_state.typedSnapshot.clear();
    m_state.runStarted = false;
    m_state.clockRunning = false;
    selectDrillKind(0);
    unloadUnlessOpening(ManagedWindow::WordForm);
    unloadUnlessOpening(ManagedWindow::BackForm);
    clearPanel(ManagedWindow::LineForm);
    clearPanel(ManagedWindow::TextForm);
    clearPanel(ManagedWindow::FreeForm);
    for (ManagedWindow w : {ManagedWindow::RadicalForm, ManagedWindow::KeypadForm, ManagedWindow::StateForm,
                            ManagedWindow::RaceForm})
        unloadUnlessOpening(w);
    m_state.generatedDrill = false;
    if (m_state.shown(ManagedWindow::StateForm) && m_state.window(ManagedWindow::StateForm).opening)
        ClearLiveFigures(m_ctx);
    unloadUnlessOpening(ManagedWindow::RecordForm);
    unloadUnlessOpening(ManagedWindow::KeysForm);
    SetStatusMessage(QString());
}

static void openPair(MainWindow &main, PracticeState &state, ManagedWindow practice)
{
    state.window(ManagedWindow::StateForm).opening = true;
    state.window(practice).opening = true;
    if (!state.shown(ManagedWindow::StateForm))
        main.showWindow(ManagedWindow::StateForm);
    if (!state.shown(practice))
        main.showWindow(practice);
    main.closeOthers();
    state.window(ManagedWindow::StateForm).opening = false;
    state.window(practice).opening = false;
}

void MainWindow::openLinePractice()
{
    openPair(*this, m_state, ManagedWindow::LineForm);
}

void MainWindow::openTextPractice()
{
    openPair(*this, m_state, ManagedWindow::TextForm);
}

void MainWindow::selectDrillKind(int kind)
{
    m_state.lettersOnlyDrill = kind == 1;
    m_state.randomCharDrill = kind == 2;
    for (int i = 2; i <= 5; ++i)
        m_state.phraseDrillKind[std::size_t(i)] = kind == i + 1;
}

void MainWindow::setCommand(const QString &menuName, std::function<void()> command)
{
    if (command)
        m_commands.insert(menuName, std::move(command));
    else
        m_commands.remove(menuName);
    updateMenuStates();
}

bool MainWindow::runCommand(const QString &menuName)
{
    const auto it = m_commands.constFind(menuName);
    if (it == m_commands.cend())
        return false;
    // The first command is the first use of sound: the device is probed
    // then, on a worker thread, and never on the way to the first window.
    AudioDevice::openInBackground();
    // A copy: the command may replace itself while it runs.
    const std::function<void()> command = it.value();
    command();
    return true;
}

// ---- Music and help ---------------------------------------------------------

void MainWindow::chooseTune(int index)
{
    m_music.chooseTune(index);
    syncMusicChecks();
}

void MainWindow::chooseNoMusic()
{
    m_music.chooseNone();
    syncMusicChecks();
}

void MainWindow::syncMusicChecks()
{
    const int checked = m_music.checkedItem();
    m_actions.value(QStringLiteral("Music_not"))->setChecked(checked == BackgroundMusic::kMusicOff);
    for (int i = 0; i < 4; ++i)
        m_actions.value(QStringLiteral("BackMusic(%1)").arg(i))->setChecked(checked == i);
}

void MainWindow::showHelp()
{
    if (m_helpFile.isEmpty())
        return;
    if (!m_help) {
        m_help = new HelpWindow(m_helpFile, m_ctx.settings, this);
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen)
            m_help->move(BesideMainWindow(frameGeometry(), m_help->frameGeometry().size(), screen->availableGeometry()));
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

HelpWindow *MainWindow::helpWindow() const
{
    return m_help.data();
}

// ---- Minimize, restore, exit ------------------------------------------------

void MainWindow::cmdMin_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void MainWindow::cmdClose_Click()
{
    close();
}

void MainWindow::Timer1_Timer()
{
    if (isMinimized() && (m_state.shown(ManagedWindow::BaseForm) || m_state.shown(ManagedWindow::BackForm) ||
                          m_state.shown(ManagedWindow::StateForm)))
        hideWithMain();
    takeBackIgnoredMinimize();
}

void MainWindow::takeBackIgnoredMinimize()
{
    // Where no window manager honours the request, the window stays on the
    // screen while it counts as minimized, and nothing would ever restore the
    // panels: after a grace period it counts as restored again.
    constexpr qint64 kGraceMs = 1000;
    const bool onScreen = windowHandle() && windowHandle()->isExposed();
    if (!isMinimized() || !onScreen) {
        m_minimizedOnScreen.invalidate();
        return;
    }
    if (!m_minimizedOnScreen.isValid())
        m_minimizedOnScreen.start();
    else if (m_minimizedOnScreen.elapsed() >= kGraceMs)
        setWindowState(windowState() & ~Qt::WindowMinimized); // Form_Resize restores
}

void MainWindow::Form_Resize()
{
    if (m_loaded && !isMinimized() && !m_state.shown(ManagedWindow::BaseForm))
        restoreWithMain();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
    // Shown or activated again: the learner is back, whatever the window
    // manager made of the minimize request.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        else
            Form_Resize();
    }
    QWidget::changeEvent(event);
}

void MainWindow::hideOne(ManagedWindow which)
{
    if (!m_state.shown(which))
        return;
    if (QWidget *w = window(which))
        w->hide();
    m_state.window(which).shown = false;
    m_state.window(which).hiddenWithMain = true;
}

void MainWindow::showOneAgain(ManagedWindow which)
{
    if (!m_state.window(which).hiddenWithMain)
        return;
    if (QWidget *w = window(which))
        w->show();
    m_state.window(which).hiddenWithMain = false;
    m_state.window(which).shown = true;
}

void MainWindow::hideWithMain()
{
    using W = ManagedWindow;
    for (W w : {W::StateForm, W::RecordForm, W::RaceForm, W::RadicalForm, W::KeysForm, W::KeypadForm})
        hideOne(w);
    if (QWidget *base = window(W::BaseForm))
        base->hide();
    m_state.window(W::BaseForm).shown = false;
    m_state.window(W::BaseForm).hiddenWithMain = true;
    for (W w : {W::BackForm, W::WordForm})
        hideOne(w);
    for (W w : {W::LineForm, W::TextForm, W::FreeForm}) {
        if (m_state.shown(w)) {
            hideOne(w);
            break;
        }
    }
}

void MainWindow::restoreWithMain()
{
    using W = ManagedWindow;
    for (W w : {W::StateForm, W::RaceForm})
        showOneAgain(w);
    showWindow(W::BaseForm);
    m_state.window(W::BaseForm).hiddenWithMain = false;
    m_state.window(W::BaseForm).shown = true;
    for (W w : {W::WordForm, W::RadicalForm, W::RecordForm, W::KeysForm, W::KeypadForm, W::BackForm})
        showOneAgain(w);
    for (W w : {W::LineForm, W::TextForm, W::FreeForm}) {
        if (m_state.window(w).hiddenWithMain) {
            showOneAgain(w);
            break;
        }
    }
}

void MainWindow::Form_Unload()
{
    closeOthers();
    // Everything goes, also the windows hidden with the main window.
    for (int i = 0; i < kManagedWindowCount; ++i)
        unloadWindow(ManagedWindow(i));
    if (m_help)
        m_help->close();
    m_player->stop();
    m_timer1.stop();
    m_timGetPointer.stop();
    TimAct_Timer();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}
