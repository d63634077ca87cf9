#include "keyboard/ui/KeypadDrillWindow.h"

#include "data/Clock.h"
#include "keyboard/KeyCodes.h"
#include "keyboard/ui/PhysicalKeyWindow.h"
#include "keyboard/ui/KeyboardView.h"
#include "keyboard/ui/StatisticsPanel.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/ui/PictureButton.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

namespace {
constexpr int kWidth = 710, kHeight = 445;
constexpr BarScale kBarScale{200, 16, 17, 1};
const char *const kRangeCaptions[] = {"全部", "仅0,1,4,7", "仅2,5,8,/", "仅·,3,6,9,*", "仅Enter,+,-"};

// The codes the keypad sends with Num Lock off (the arrows excepted).
bool NeedsNumLock(int code)
{
    switch (code) {
    case vk::Clear:
    case vk::PageUp:
    case vk::PageDown:
    case vk::End:
    case vk::Home:
    case vk::Insert:
    case vk::Delete: return true;
    default: return false;
    }
}
} // namespace

KeypadDrillWindow::KeypadDrillWindow(AppContext &ctx, QWidget *parent)
    : PhysicalKeyWindow(parent), m_ctx(ctx), m_picture(KeyboardPicture::keypad()), m_drill(m_picture, vk::Pad0)
{
    setObjectName(QStringLiteral("frmNKB"));
    setWindowTitle(QStringLiteral("数字键区键位练习"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildControls();

    // On load:
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::KeypadDrillWindow);
    m_drill.start();
    restartDrill();
}

KeypadDrillWindow::~KeypadDrillWindow()
{
}

void KeypadDrillWindow::buildControls()
{
    m_view = new KeyboardView(m_picture, this);
    m_view->setAccessibleName(QStringLiteral("数字键盘图"));
    m_panel = std::make_unique<StatisticsPanel>(
        this, QPoint(180, 40),
        StatisticsPanel::Captions{QStringLiteral("Label18"), QStringLiteral(" 击中率:"), QStringLiteral("Label19"),
                                  QStringLiteral("击键速度:")},
        kBarScale);

    auto *frame = new QGroupBox(QStringLiteral("指法练习范围选择"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(490, 136, 180, 176);
    auto *column = new QVBoxLayout(frame);
    for (int i = 0; i < 5; ++i) {
        auto *option = new QRadioButton(QString::fromUtf8(kRangeCaptions[i]), frame);
        option->setObjectName(QStringLiteral("CaseOp(%1)").arg(i));
        option->setFocusPolicy(Qt::NoFocus); // every key goes to the drill
        option->setChecked(i == 0);
        column->addWidget(option);
        m_options[size_t(i)] = option;
    }

    m_button = new PictureButton(m_ctx.paths, QStringLiteral("重新开始"), this);
    m_button->setObjectName(QStringLiteral("picB"));
    m_button->captionLabel()->setObjectName(QStringLiteral("Label20"));
    m_button->move(523, 330);
    m_button->setAccessibleDescription(QStringLiteral("击键速度和击中率从零重新统计"));
    connect(m_button, &PictureButton::clicked, this, &KeypadDrillWindow::restartDrill);
}

int KeypadDrillWindow::rangeOption() const
{
    for (int i = 0; i < 5; ++i)
        if (m_options[size_t(i)]->isChecked())
            return i;
    return 0;
}

void KeypadDrillWindow::cue(bool ok)
{
    PlayDrillCue(m_ctx.cues, ok, m_ctx.state.cues.nkPress, m_ctx.state.cues.nkError);
}

void KeypadDrillWindow::restartDrill()
{
    m_drill.statistics().reset();
    m_panel->reset();
    setFocus(Qt::OtherFocusReason); // the keys go back to the drill
}

void KeypadDrillWindow::keyDown(int code)
{
    m_drill.keyDown(code);
    m_view->refresh();
    cue(true);
    // Told once the key is judged: a box opened now would take its key-up.
    m_numLockMessageDue = NeedsNumLock(code);
}

void KeypadDrillWindow::keyUp(int code)
{
    const QTime now = m_ctx.clock.now().time();
    const QString target = m_picture.legend(m_drill.target());
    const KeyVerdict verdict = m_drill.judge(code, KeypadPool(rangeOption()), m_ctx.random, now);
    RecordKeyVerdict(m_ctx.progressLog, exercise::kKeypad, target, verdict);
    if (verdict == KeyVerdict::Wrong)
        cue(false);
    m_panel->show(DisplayOf(m_drill.statistics(), m_panel->scale()));
    m_view->refresh();
    if (std::exchange(m_numLockMessageDue, false))
        QMessageBox::information(this, window()->windowTitle(), QStringLiteral("请先击一下Num Lock键使数字键区生效！"));
}

void KeypadDrillWindow::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->setStatusReady(true);
}

void KeypadDrillWindow::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->setStatusReady(false);
}

void KeypadDrillWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    setFocus(Qt::OtherFocusReason);
}
