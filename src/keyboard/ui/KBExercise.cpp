#include "keyboard/ui/KBExercise.h"

#include "data/Clock.h"
#include "data/Cues.h"
#include "keyboard/KeyCodes.h"
#include "keyboard/ui/DrillKeys.h"
#include "keyboard/ui/KeyboardView.h"
#include "keyboard/ui/StatisticsPanel.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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
    QFont font(QStringLiteral("宋体"), 18);
    font.setBold(true);
    m_wordCompare->setFont(font);
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
    m_wordCompare->setSelection(m_fingering.position(), 1);
    if (m_wordCompare->hasFocus())
        WordCompare_GotFocus();
    else
        m_wordCompare->setFocus(Qt::OtherFocusReason);
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
    m_view->update();
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
        m_wordCompare->setSelection(m_fingering.position(), 1);
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
    m_wordCompare->setSelection(m_fingering.position(), 1);
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
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat()) {
            const int code = VirtualKeyOf(key);
            event->type() == QEvent::KeyPress ? WordCompare_KeyDown(code) : WordCompare_KeyUp(code);
        }
        return true; // the drill line is never edited or moved by keys
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        m_wordCompare->setFocus(Qt::MouseFocusReason);
        return true;
    case QEvent::FocusIn: WordCompare_GotFocus(); break;
    case QEvent::FocusOut: WordCompare_LostFocus(); break;
    default: break;
    }
    return false;
}
