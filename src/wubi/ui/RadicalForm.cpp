#include "wubi/ui/RadicalForm.h"

#include "data/Clock.h"
#include "data/Cues.h"
#include "keyboard/KeyMapping.h"
#include "practice/PracticeState.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/Shell.h"
#include "shell/ui/DataPicture.h"
#include "shell/ui/PictureButton.h"
#include "wubi/ui/RadicalCard.h"
#include "wubi/ui/RadicalDrillSet.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int kWidth = 710, kHeight = 445; // 10650 x 6675 twips
constexpr int kFirstCellLeft = 28, kFirstCellTop = 79, kRowStep = 88;
constexpr int kCellWidth = 32, kCellHeight = 44;
const QColor kRightColour(0, 0, 255);
const QColor kWrongColour(255, 150, 150); // light, so the radical stays legible
} // namespace

RadicalForm::RadicalForm(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_settings(settings), m_drill(settings, ctx.random)
{
    setObjectName(QStringLiteral("frmZGEx"));
    setWindowTitle(QStringLiteral("字根练习"));
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false); // answers are keys, not text

    for (int k = 0; k < wubi::kBoardCells; ++k) {
        QLabel *cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("picZGEx(%1)").arg(k + 1));
        cell->setGeometry(kFirstCellLeft + (k % wubi::kBoardColumns) * kCellWidth,
                          kFirstCellTop + (k / wubi::kBoardColumns) * kRowStep, kCellWidth, kCellHeight);
        cell->setAlignment(Qt::AlignCenter);
        cell->setAutoFillBackground(true);
        picZGEx[std::size_t(k)] = cell;
    }
    QFont figures = font();
    figures.setPointSize(12);
    figures.setBold(true);
    lblTime = new QLabel(this);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    lblTime->setGeometry(kFirstCellLeft, 400, 110, 28);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    lblCount->setGeometry(kFirstCellLeft + 120, 400, 160, 28);
    lblTime->setAccessibleDescription(QStringLiteral("所用时间"));
    lblCount->setAccessibleDescription(QStringLiteral("打字速度"));
    for (QLabel *label : {lblTime, lblCount}) {
        label->setFont(figures);
        label->hide();
    }

    picB = new PictureButton(ctx.paths, QStringLiteral("练习设置"), this);
    picB->setObjectName(QStringLiteral("picB"));
    picB->move(kWidth - picB->width() - 30, 392);
    picB->setAccessibleDescription(QStringLiteral("选择字根表版本、练习方式和范围，然后开始练习"));
    connect(picB, &PictureButton::clicked, this, &RadicalForm::picB_Click);

    zgTime = new QTimer(this);
    zgTime->setObjectName(QStringLiteral("zgTime"));
    zgTime->setInterval(10);
    connect(zgTime, &QTimer::timeout, this, &RadicalForm::zgTime_Timer);

    // Form_Load
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RadicalForm);
    WindowFlags &flags = m_ctx.state.window(ManagedWindow::RadicalForm);
    flags.shown = true;
    flags.hiddenWithMain = false;
    m_background = QPixmap::fromImage(WithPictureScale(QImage(m_ctx.paths.data(QStringLiteral("data/pic/zgpic.jpg")))));
    showBoard();
}

RadicalForm::~RadicalForm()
{
    m_ctx.state.window(ManagedWindow::RadicalForm).shown = false;
    m_ctx.state.window(ManagedWindow::RadicalForm).opening = false;
    m_settings.drillRequested = false;
}

int RadicalForm::now() const
{
    return secondOfDay(m_ctx.clock.now().time());
}

void RadicalForm::startDrill()
{
    const QStringList names = QDir(m_ctx.paths.data(QStringLiteral("data/piczg")))
                                  .entryList(QDir::Files, QDir::Name);
    m_drill.start(wubi::RadicalList(names, m_settings));
    lblTime->clear();
    lblCount->clear();
    showBoard();
    if (!m_drill.armed() && m_ctx.shell)
        m_ctx.shell->SetStatusMessage(QStringLiteral("没有可练习的字根图片"));
}

void RadicalForm::showBoard()
{
    const PictureProblemBatch problems(this);
    for (int k = 0; k < wubi::kBoardCells; ++k) {
        colourCell(k, Qt::white);
        const QString &name = m_drill.board().at(k);
        picZGEx[std::size_t(k)]->setPixmap(name.isEmpty() ? QPixmap() : radicalPicture(name));
        picZGEx[std::size_t(k)]->setAccessibleName(name.isEmpty() ? QString() : QStringLiteral("字根 %1").arg(wubi::RadicalOfPicture(name)));
    }
}

QPixmap RadicalForm::radicalPicture(const QString &name)
{
    auto it = m_pictures.find(name);
    if (it == m_pictures.end())
        it = m_pictures.insert(name, PictureFromDataFile(m_ctx.paths, QStringLiteral("piczg/") + name, this));
    return it.value();
}

void RadicalForm::Form_Activate()
{
    if (m_settings.drillRequested) {
        startDrill();
        if (m_ctx.shell)
            m_ctx.shell->SetStatusState(true);
    } else if (m_drill.armed()) {
        m_settings.drillRequested = true;
        if (m_ctx.shell)
            m_ctx.shell->SetStatusState(true);
    }
}

void RadicalForm::Form_Deactivate()
{
    if (!m_drill.armed())
        return;
    m_settings.drillRequested = false;
    if (m_ctx.shell)
        m_ctx.shell->SetStatusState(false);
}

void RadicalForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() == m_active)
        return;
    m_active = isActiveWindow();
    if (m_active)
        Form_Activate();
    else
        Form_Deactivate();
}

void RadicalForm::picB_Click()
{
    // The dialog takes the activation; closing it gives it back.
    if (m_active) {
        m_active = false;
        Form_Deactivate();
    }
    RadicalDrillSet dialog(m_ctx, m_settings, this);
    dialog.exec();
    setFocus();
    if (!m_active) {
        m_active = true;
        Form_Activate();
    }
}

void RadicalForm::keyPressEvent(QKeyEvent *event)
{
    Form_KeyDown(VirtualKeyOf(event->key(), event->modifiers(), event->nativeScanCode()), event->modifiers());
}

void RadicalForm::Form_KeyDown(int keyCode, Qt::KeyboardModifiers modifiers)
{
    const wubi::RadicalDrill::KeyOutcome outcome = m_drill.press(
        keyCode, modifiers.testFlag(Qt::AltModifier), modifiers.testFlag(Qt::ControlModifier), now());
    // The first answer starts the run's clock; it shows the time only while it runs.
    if (m_drill.running() && !zgTime->isActive())
        zgTime->start();
    using Kind = wubi::RadicalDrill::KeyOutcome;
    switch (outcome.kind) {
    case Kind::Ignored:
        return;
    case Kind::Card:
        ShowRadicalCard(m_ctx, outcome.cardKey, outcome.card86);
        return;
    case Kind::Wrong:
        // Seen as well as heard: the cell to answer turns red until it is right.
        colourCell(outcome.cell, kWrongColour);
        recordAnswer(keyCode, false);
        if (outcome.wrongCue)
            m_ctx.cues.play(Cue::Error);
        return;
    case Kind::Right:
        recordAnswer(keyCode, true);
        break;
    }
    colourCell(outcome.cell, kRightColour);
    m_ctx.cues.play(Cue::Confirm);
    if (outcome.ended)
        endRun(outcome.total);
    if (outcome.boardRefilled)
        showBoard();
}

void RadicalForm::colourCell(int k, const QColor &colour)
{
    QLabel *cell = picZGEx[std::size_t(k)];
    QPalette pal = cell->palette();
    pal.setColor(QPalette::Window, colour);
    cell->setPalette(pal);
}

void RadicalForm::zgTime_Timer()
{
    const wubi::RadicalDrill::Tick tick = m_drill.tick(now());
    if (!tick.running) {
        zgTime->stop();
        return;
    }
    lblTime->show();
    lblCount->show();
    lblTime->setText(tick.timeText);
    lblCount->setText(tick.speedText);
    if (tick.ended)
        endRun(tick.total);
}

void RadicalForm::recordAnswer(int keyCode, bool right)
{
    // The statistics keep the key answered, as for the other key drills.
    if (m_ctx.progressLog && keyCode >= 'A' && keyCode <= 'Z')
        m_ctx.progressLog->recordKeystroke(exercise::kRadicalDrill, QString(QChar(keyCode)), right);
}

void RadicalForm::endRun(int total)
{
    if (m_ctx.progressLog)
        m_ctx.progressLog->endRun();
    const QString text = QStringLiteral("统计结果：\n打字速度：%1\n所用时间：%2\n总字数：%3")
                             .arg(lblCount->text(), lblTime->text())
                             .arg(total);
    QMessageBox(QMessageBox::NoIcon, QStringLiteral("练习结束"), text, QMessageBox::Ok, this).exec();
}

void RadicalForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), QColor(0xdf, 0xea, 0xf7));
    else
        p.drawPixmap(0, 0, m_background);
}
