#include "keyboard/ui/KeyDrillWindow.h"

#include "data/Clock.h"
#include "data/Cues.h"
#include "keyboard/KeyCodes.h"
#include "keyboard/ui/PhysicalKeyWindow.h"
#include "keyboard/ui/KeyboardView.h"
#include "keyboard/ui/StatisticsPanel.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace {
constexpr int kWidth = 710, kHeight = 445;
// The speed bar grows a pixel per 15 keystrokes a minute.
constexpr BarScale kBarScale{300, 1, 1, 15};

const QString &TypingAreaMessage()
{
    static const QString text = QStringLiteral("按F5可切换到打字键区指法练习    按F4可扩展至整个键盘区练习");
    return text;
}
const QString &WholePictureMessage()
{
    static const QString text = QStringLiteral("按F5可切换到打字键区指法练习    按F3可限制在打字区练习");
    return text;
}
const QString &WeakKeysMessage()
{
    static const QString text = QStringLiteral("薄弱键练习：常错和较慢的键出现得更多    按F5可切换到打字键区指法练习");
    return text;
}
const QString kOrdinaryTitle = QStringLiteral("打字键区键位练习");
const QString kWeakKeysTitle = QStringLiteral("薄弱键练习");
const char *const kFingerCaptions[] = {"全部", "小指", "无名指", "中指", "食指"};
} // namespace

KeyDrillWindow::KeyDrillWindow(AppContext &ctx, QWidget *parent)
    : PhysicalKeyWindow(parent)
    , m_ctx(ctx)
    , m_picture(KeyboardPicture::mainBlock())
    , m_drill(m_picture, 'A')
    , m_fingering(m_picture)
    , m_lineStrokes(this, [this](int code) { inputKeyDown(code); }, [this](int code) { inputKeyUp(code); })
{
    setObjectName(QStringLiteral("KBExercise"));
    setWindowTitle(kOrdinaryTitle);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildControls();

    // On load:
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::KeyDrillWindow);
    m_drill.start();
    setFingeringControls(false);
}

KeyDrillWindow::~KeyDrillWindow()
{
}

void KeyDrillWindow::buildControls()
{
    m_view = new KeyboardView(m_picture, this);
    m_panel = std::make_unique<StatisticsPanel>(
        this, QPoint(60, 40),
        StatisticsPanel::Captions{QStringLiteral("Label3"), QStringLiteral("击中率："), QStringLiteral("Label2"),
                                  QStringLiteral("击键速度：")},
        kBarScale);

    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("WordCompare"));
    m_input->setReadOnly(true);
    m_input->setGeometry(40, 44, 641, 44);
    fitLineFont();
    // Nothing but the drill selects in the line: no menu with "全选".
    m_input->setContextMenuPolicy(Qt::NoContextMenu);
    // The character to type stays highlighted when the box has no focus.
    QPalette pal = m_input->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    m_input->setPalette(pal);
    TakeRawKeys(m_input);
    m_input->installEventFilter(this);

    m_weakCaption = new QLabel(kWeakKeysTitle, this);
    m_weakCaption->setObjectName(QStringLiteral("lblWeakKeys"));
    m_weakCaption->setGeometry(560, 40, 130, 22);
    QFont captionFont(QStringLiteral("宋体"));
    captionFont.setPixelSize(16);
    captionFont.setBold(true);
    m_weakCaption->setFont(captionFont);
    m_weakCaption->setStyleSheet(QStringLiteral("color: #b03020;"));
    m_weakCaption->hide();

    m_leftHand = fingerFrame(QStringLiteral("LeftHand"), QStringLiteral("左手指法练习"), 40, m_left, true);
    m_rightHand = fingerFrame(QStringLiteral("RightHand"), QStringLiteral("右手指法练习"), 365, m_right, false);
}

// 18 points, bold, in a fixed-pitch face (the letters of 宋体 are all half
// as wide as a Chinese character), smaller only where that face is too wide:
// a line of the widest drill character fits the box, whatever fingers are
// chosen, so the line never needs to scroll.
void KeyDrillWindow::fitLineFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(18);
    font.setBold(true);
    font.setPixelSize(QFontInfo(font).pixelSize());
    const QString characters = FingerGroup(209) + FingerGroup(210);
    // Inside the frame and the line edit's own margins, with room for the caret.
    const int frame = m_input->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_input);
    const int room = m_input->width() - 2 * frame - 2 * 2 - 2;
    for (; font.pixelSize() > 8; font.setPixelSize(font.pixelSize() - 1)) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (QChar c : characters)
            widest = std::max(widest, metrics.horizontalAdvance(c));
        if (widest * FingeringDrill::kLineLength <= room)
            break;
    }
    m_input->setFont(font);
}

QGroupBox *KeyDrillWindow::fingerFrame(const QString &name, const QString &caption, int left,
                                   std::array<QRadioButton *, 5> &buttons, bool leftHand)
{
    auto *frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    frame->setGeometry(left, 372, 316, 60);
    auto *row = new QHBoxLayout(frame);
    for (int i = 0; i < 5; ++i) {
        auto *option = new QRadioButton(QString::fromUtf8(kFingerCaptions[i]), frame);
        option->setObjectName(QStringLiteral("%1(%2)").arg(leftHand ? "LFinger" : "RFinger").arg(i));
        option->setFocusPolicy(Qt::NoFocus); // the keys stay with the drill line
        option->setChecked(i == 0);
        connect(option, &QRadioButton::clicked, this,
                [this, i, leftHand] { leftHand ? chooseLeftFinger(i) : chooseRightFinger(i); });
        row->addWidget(option);
        buttons[size_t(i)] = option;
    }
    return frame;
}

// ---- switching between the drills ----

void KeyDrillWindow::setFingeringControls(bool fingering)
{
    setKeyPreview(!fingering);
    // While the drill line has the keys, a click elsewhere must not take them.
    setFocusPolicy(fingering ? Qt::NoFocus : Qt::StrongFocus);
    m_panel->setVisible(!fingering);
    m_input->setEnabled(fingering);
    m_input->setVisible(fingering);
    m_leftHand->setVisible(fingering);
    m_rightHand->setVisible(fingering);
    m_weakCaption->setVisible(!fingering && weakKeyDrill());
}

void KeyDrillWindow::switchToFingeringDrill()
{
    setFingeringControls(true);
    m_fingeringMode = true;
    m_picture.paint(m_drill.target(), KeyState::Normal);
    for (int i = 0; i < 5; ++i) {
        m_left[size_t(i)]->setChecked(i == 0);
        m_right[size_t(i)]->setChecked(i == 0);
    }
    m_fingering.enter(m_ctx.random);
    showDrillLine();
    if (m_drill.wrongMarksShown())
        m_drill.clearWrongMarks();
    repaintKeys();
}

void KeyDrillWindow::restartKeyPositionDrill()
{
    m_panel->reset();
    m_drill.statistics().reset();
    setFingeringControls(false);
    // The fingering drill's key first: it may be the target itself.
    m_fingering.leave();
    m_drill.setTarget(m_drill.target());
    m_fingeringMode = false;
    m_input->clear();
    setFocus(Qt::OtherFocusReason);
    if (hasFocus())
        activated();
    repaintKeys();
}

void KeyDrillWindow::setTargetPool(std::vector<int> pool)
{
    m_targetPool = std::move(pool);
    setWindowTitle(weakKeyDrill() ? kWeakKeysTitle : kOrdinaryTitle);
    m_weakCaption->setVisible(!m_fingeringMode && weakKeyDrill());
    if (weakKeyDrill() && !m_fingeringMode)
        m_drill.newTarget(m_targetPool, m_ctx.random);
    if (hasFocus())
        activated();
    repaintKeys();
}

void KeyDrillWindow::showDrillLine()
{
    m_input->setText(m_fingering.line());
    selectCharacterToType();
    if (m_input->hasFocus())
        inputFocusGained();
    else
        m_input->setFocus(Qt::OtherFocusReason);
}

// The line edit scrolls only to keep its caret in view, from where it last
// scrolled. A caret after the first character of a fresh line would leave
// that character out of view when the last line had scrolled, so there the
// caret goes before it.
void KeyDrillWindow::selectCharacterToType()
{
    const int position = m_fingering.position();
    if (position == 0)
        m_input->setSelection(1, -1);
    else
        m_input->setSelection(position, 1);
}

// ---- the key-position drill ----

void KeyDrillWindow::activated()
{
    if (!m_ctx.shell || m_input->isEnabled())
        return;
    m_ctx.shell->setStatusReady(true);
    poolMessage();
}

void KeyDrillWindow::deactivated()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->setStatusReady(false);
    m_ctx.shell->setStatusMessage(QString());
}

void KeyDrillWindow::poolMessage()
{
    if (!m_ctx.shell)
        return;
    if (weakKeyDrill())
        m_ctx.shell->setStatusMessage(WeakKeysMessage());
    else
        m_ctx.shell->setStatusMessage(m_typingAreaOnly ? TypingAreaMessage() : WholePictureMessage());
}

void KeyDrillWindow::cue(bool ok)
{
    PlayDrillCue(m_ctx.cues, ok, m_ctx.state.cues.tkPress, m_ctx.state.cues.tkError);
}

void KeyDrillWindow::keyDown(int code)
{
    if (code == vk::Tab)
        return;
    m_drill.keyDown(code);
    cue(true);
    repaintKeys();
}

void KeyDrillWindow::keyUp(int code)
{
    switch (code) {
    case vk::F3:
        m_typingAreaOnly = true;
        poolMessage();
        return;
    case vk::F4:
        m_typingAreaOnly = false;
        poolMessage();
        return;
    case vk::F5: switchToFingeringDrill(); return;
    case vk::F6: restartKeyPositionDrill(); return;
    case vk::NumLock: return;
    default: judge(code);
    }
}

void KeyDrillWindow::judge(int code)
{
    static const std::vector<int> wholePicture;
    const QTime now = m_ctx.clock.now().time();
    const QString target = m_picture.legend(m_drill.target());
    const std::vector<int> &pool = weakKeyDrill() ? m_targetPool : m_typingAreaOnly ? TypingAreaPool() : wholePicture;
    const KeyVerdict verdict = m_drill.judge(code, pool, m_ctx.random, now);
    RecordKeyVerdict(m_ctx.progressLog, exercise::kKeys, target, verdict);
    if (verdict == KeyVerdict::Wrong)
        cue(false);
    m_panel->show(DisplayOf(m_drill.statistics(), m_panel->scale()));
    repaintKeys();
}

void KeyDrillWindow::repaintKeys()
{
    m_view->refresh();
}

// ---- the fingering drill ----

void KeyDrillWindow::chooseLeftFinger(int index)
{
    m_fingering.chooseLeft(index, m_ctx.random);
    showDrillLine();
}

void KeyDrillWindow::chooseRightFinger(int index)
{
    m_fingering.chooseRight(index, m_ctx.random);
    showDrillLine();
}

void KeyDrillWindow::inputFocusGained()
{
    if (m_input->selectionLength() != 1)
        selectCharacterToType();
    if (!m_ctx.shell)
        return;
    m_ctx.shell->setStatusReady(true);
    m_ctx.shell->setStatusMessage(QStringLiteral("按F6可切换到打字键区键位练习"));
}

void KeyDrillWindow::inputFocusLost()
{
    deactivated();
}

void KeyDrillWindow::inputKeyDown(int code)
{
    if (!m_fingering.keyDown(code))
        return;
    CueForJudgedKeystroke(m_ctx.cues, m_ctx.state.cues, true);
    repaintKeys();
}

void KeyDrillWindow::inputKeyUp(int code)
{
    if (code == vk::F6) {
        restartKeyPositionDrill();
        return;
    }
    const QString target = m_fingering.line().mid(m_fingering.position(), 1);
    const KeyVerdict verdict = m_fingering.keyUp(code, m_ctx.random);
    RecordKeyVerdict(m_ctx.progressLog, exercise::kFingering, target, verdict);
    if (verdict == KeyVerdict::Wrong)
        cue(false);
    if (m_input->text() != m_fingering.line()) // a new line after the last character
        m_input->setText(m_fingering.line());
    selectCharacterToType();
    repaintKeys();
}

// ---- events ----

void KeyDrillWindow::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // After the command that opened the window has run its close-others
    // step, which clears the status strip.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            activated();
    });
}

void KeyDrillWindow::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    deactivated();
}

void KeyDrillWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_fingeringMode)
        m_input->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

bool KeyDrillWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_input)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride: event->accept(); return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        m_lineStrokes.take(event);
        return true; // the drill line is never edited or moved by keys
    case QEvent::ContextMenu: return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        m_input->setFocus(Qt::MouseFocusReason);
        return true;
    case QEvent::FocusIn: inputFocusGained(); break;
    case QEvent::FocusOut:
        m_lineStrokes.take(event);
        inputFocusLost();
        break;
    default: break;
    }
    return false;
}
