#include "keyboard/ui/KBExercise.h"

#include "data/Clock.h"
#include "data/Cues.h"
#include "keyboard/KeyCodes.h"
#include "keyboard/ui/DrillKeys.h"
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
constexpr int kWidth = 710, kHeight = 445; // 10650 x 6675 twips
constexpr double kTwipsPerPixel = 15;
constexpr double kAccuracyFrameTwips = 4500;

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

KBExercise::KBExercise(AppContext &ctx, QWidget *parent)
    : KeyDrillWindow(parent)
    , m_ctx(ctx)
    , m_picture(KeyboardPicture::mainBlock())
    , m_drill(m_picture, 'A')
    , m_fingering(m_picture)
    , m_lineStrokes(this, [this](int code) { WordCompare_KeyDown(code); }, [this](int code) { WordCompare_KeyUp(code); })
{
    setObjectName(QStringLiteral("KBExercise"));
    setWindowTitle(kOrdinaryTitle);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildControls();

    // Form_Load
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::KeysForm);
    m_ctx.state.window(ManagedWindow::KeysForm).shown = true;
    m_drill.start();
    setFingeringControls(false);
}

KBExercise::~KBExercise()
{
    m_ctx.state.window(ManagedWindow::KeysForm).shown = false;
    m_ctx.state.window(ManagedWindow::KeysForm).opening = false;
}

void KBExercise::buildControls()
{
    m_view = new KeyboardView(m_picture, this);
    m_panel = std::make_unique<StatisticsPanel>(
        this, QPoint(60, 40),
        StatisticsPanel::Captions{QStringLiteral("Label3"), QStringLiteral("击中率："), QStringLiteral("Label2"),
                                  QStringLiteral("击键速度：")},
        kAccuracyFrameTwips, kTwipsPerPixel);

    m_wordCompare = new QLineEdit(this);
    m_wordCompare->setObjectName(QStringLiteral("WordCompare"));
    m_wordCompare->setReadOnly(true);
    m_wordCompare->setGeometry(40, 44, 641, 44);
    fitLineFont();
    // Nothing but the drill selects in the line: no menu with "全选".
    m_wordCompare->setContextMenuPolicy(Qt::NoContextMenu);
    // The character to type stays highlighted when the box has no focus.
    QPalette pal = m_wordCompare->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    m_wordCompare->setPalette(pal);
    TakeRawKeys(m_wordCompare);
    m_wordCompare->installEventFilter(this);

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
void KBExercise::fitLineFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(18);
    font.setBold(true);
    font.setPixelSize(QFontInfo(font).pixelSize());
    const QString characters = FingerGroup(209) + FingerGroup(210);
    // Inside the frame and the line edit's own margins, with room for the caret.
    const int frame = m_wordCompare->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_wordCompare);
    const int room = m_wordCompare->width() - 2 * frame - 2 * 2 - 2;
    for (; font.pixelSize() > 8; font.setPixelSize(font.pixelSize() - 1)) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (QChar c : characters)
            widest = std::max(widest, metrics.horizontalAdvance(c));
        if (widest * FingeringDrill::kLineLength <= room)
            break;
    }
    m_wordCompare->setFont(font);
}

QGroupBox *KBExercise::fingerFrame(const QString &name, const QString &caption, int left,
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
                [this, i, leftHand] { leftHand ? LFinger_Click(i) : RFinger_Click(i); });
        row->addWidget(option);
        buttons[size_t(i)] = option;
    }
    return frame;
}

// ---- switching between the drills ----

void KBExercise::setFingeringControls(bool fingering)
{
    setKeyPreview(!fingering);
    // While the drill line has the keys, a click elsewhere must not take them.
    setFocusPolicy(fingering ? Qt::NoFocus : Qt::StrongFocus);
    m_panel->setVisible(!fingering);
    m_wordCompare->setEnabled(fingering);
    m_wordCompare->setVisible(fingering);
    m_leftHand->setVisible(fingering);
    m_rightHand->setVisible(fingering);
    m_weakCaption->setVisible(!fingering && weakKeyDrill());
}

void KBExercise::switchToFingeringDrill()
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

void KBExercise::restartKeyPositionDrill()
{
    m_panel->reset();
    m_drill.statistics().reset();
    setFingeringControls(false);
    // The fingering drill's key first: it may be the target itself.
    m_fingering.leave();
    m_drill.setTarget(m_drill.target());
    m_fingeringMode = false;
    m_wordCompare->clear();
    setFocus(Qt::OtherFocusReason);
    if (hasFocus())
        Form_Activate();
    repaintKeys();
}

void KBExercise::setTargetPool(std::vector<int> pool)
{
    m_targetPool = std::move(pool);
    setWindowTitle(weakKeyDrill() ? kWeakKeysTitle : kOrdinaryTitle);
    m_weakCaption->setVisible(!m_fingeringMode && weakKeyDrill());
    if (weakKeyDrill() && !m_fingeringMode)
        m_drill.newTarget(m_targetPool, m_ctx.random);
    if (hasFocus())
        Form_Activate();
    repaintKeys();
}

void KBExercise::showDrillLine()
{
    m_wordCompare->setText(m_fingering.line());
    selectCharacterToType();
    if (m_wordCompare->hasFocus())
        WordCompare_GotFocus();
    else
        m_wordCompare->setFocus(Qt::OtherFocusReason);
}

// The line edit scrolls only to keep its caret in view, from where it last
// scrolled. A caret after the first character of a fresh line would leave
// that character out of view when the last line had scrolled, so there the
// caret goes before it.
void KBExercise::selectCharacterToType()
{
    const int position = m_fingering.position();
    if (position == 0)
        m_wordCompare->setSelection(1, -1);
    else
        m_wordCompare->setSelection(position, 1);
}

// ---- the key-position drill ----

void KBExercise::Form_Activate()
{
    if (!m_ctx.shell || m_wordCompare->isEnabled())
        return;
    m_ctx.shell->SetStatusState(true);
    poolMessage();
}

void KBExercise::Form_Deactivate()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->SetStatusState(false);
    m_ctx.shell->SetStatusMessage(QString());
}

void KBExercise::poolMessage()
{
    if (!m_ctx.shell)
        return;
    if (weakKeyDrill())
        m_ctx.shell->SetStatusMessage(WeakKeysMessage());
    else
        m_ctx.shell->SetStatusMessage(m_typingAreaOnly ? TypingAreaMessage() : WholePictureMessage());
}

void KBExercise::cue(bool ok)
{
    PlayDrillCue(m_ctx.cues, ok, m_ctx.state.cues.tkPress, m_ctx.state.cues.tkError);
}

void KBExercise::Form_KeyDown(int code)
{
    if (code == vk::Tab)
        return;
    m_drill.keyDown(code);
    cue(true);
    repaintKeys();
}

void KBExercise::Form_KeyUp(int code)
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

void KBExercise::judge(int code)
{
    static const std::vector<int> wholePicture;
    const QTime now = m_ctx.clock.now().time();
    const QString target = m_picture.legend(m_drill.target());
    const std::vector<int> &pool = weakKeyDrill() ? m_targetPool : m_typingAreaOnly ? TypingAreaPool() : wholePicture;
    const KeyVerdict verdict = m_drill.judge(code, pool, m_ctx.random, now);
    RecordKeyVerdict(m_ctx.progressLog, exercise::kKeys, target, verdict);
    if (verdict == KeyVerdict::Wrong)
        cue(false);
    m_panel->show(DisplayOf(m_drill.statistics(), m_panel->frameWidth()));
    repaintKeys();
}

void KBExercise::repaintKeys()
{
    m_view->refresh();
}

// ---- the fingering drill ----

void KBExercise::LFinger_Click(int index)
{
    m_fingering.chooseLeft(index, m_ctx.random);
    showDrillLine();
}

void KBExercise::RFinger_Click(int index)
{
    m_fingering.chooseRight(index, m_ctx.random);
    showDrillLine();
}

void KBExercise::WordCompare_GotFocus()
{
    if (m_wordCompare->selectionLength() != 1)
        selectCharacterToType();
    if (!m_ctx.shell)
        return;
    m_ctx.shell->SetStatusState(true);
    m_ctx.shell->SetStatusMessage(QStringLiteral("按F6可切换到打字键区键位练习"));
}

void KBExercise::WordCompare_LostFocus()
{
    Form_Deactivate();
}

void KBExercise::WordCompare_KeyDown(int code)
{
    if (!m_fingering.keyDown(code))
        return;
    CueForJudgedKeystroke(m_ctx.cues, m_ctx.state.cues, true);
    repaintKeys();
}

void KBExercise::WordCompare_KeyUp(int code)
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
    if (m_wordCompare->text() != m_fingering.line()) // a new line after the last character
        m_wordCompare->setText(m_fingering.line());
    selectCharacterToType();
    repaintKeys();
}

// ---- events ----

void KBExercise::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // After the command that opened the window has run its close-others
    // step, which clears the status strip.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            Form_Activate();
    });
}

void KBExercise::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    Form_Deactivate();
}

void KBExercise::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_fingeringMode)
        m_wordCompare->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

bool KBExercise::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_wordCompare)
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
        m_wordCompare->setFocus(Qt::MouseFocusReason);
        return true;
    case QEvent::FocusIn: WordCompare_GotFocus(); break;
    case QEvent::FocusOut:
        m_lineStrokes.take(event);
        WordCompare_LostFocus();
        break;
    default: break;
    }
    return false;
}
