#include "game/ui/RaceWindow.h"

#include "data/Cues.h"
#include "game/ui/RaceSettingsDialog.h"
#include "game/ui/RaceFrames.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/CharacterMark.h"
#include "shell/ui/PictureScale.h"
#include "shell/ui/TypingLine.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <utility>

namespace {

constexpr int kWidth = 710, kHeight = 445;
// Bottom edges of the two lanes: the runners stand on them.
constexpr int kHareGround = 92;
constexpr int kTortoiseGround = 156;
constexpr int kFinishX = 680;

const QString kStartPrompt = QStringLiteral("请做好准备，游戏将在三秒后开始");
const QString kRaceKeys = QStringLiteral("Ctrl+S 中止游戏") + QStringLiteral("   ") + QStringLiteral(" Ctrl+P 暂停游戏");

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent, int x, int y, int w, int h)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(x, y, w, h);
    return label;
}

QFont pixelFont(int size, bool bold = false)
{
    QFont font;
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
}

// The meadow, the two lanes and the finish flags, drawn once.
QPixmap drawBackground(qreal dpr)
{
    QPixmap pixmap = SharpCanvas(QSize(kWidth, kHeight), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0xdf, 0xf1, 0xfb));
    sky.setColorAt(0.45, QColor(0xf4, 0xfa, 0xe8));
    sky.setColorAt(1, QColor(0xe8, 0xf3, 0xd6));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    for (int ground : {kHareGround, kTortoiseGround}) {
        const QRectF lane(8, ground - 54, kWidth - 16, 58);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xb9, 0xdc, 0x8f));
        p.drawRoundedRect(lane, 10, 10);
        p.setBrush(QColor(0xd9, 0xc0, 0x8f));
        p.drawRect(QRectF(lane.left() + 4, ground - 2, lane.width() - 8, 6));
        p.setPen(QPen(QColor(0xff, 0xff, 0xff, 170), 2, Qt::DashLine));
        p.drawLine(QPointF(lane.left() + 10, ground + 1), QPointF(lane.right() - 10, ground + 1));
        // Finish flag.
        p.setPen(QPen(QColor(0x6b, 0x4a, 0x2b), 2));
        p.drawLine(QPointF(kFinishX, ground + 2), QPointF(kFinishX, ground - 46));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.fillRect(QRectF(kFinishX + 1 + col * 6, ground - 46 + row * 6, 6, 6),
                           (row + col) % 2 ? QColor(0x22, 0x22, 0x22) : QColor(Qt::white));
    }
    return pixmap;
}

} // namespace

RaceWindow::RaceWindow(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("Game"));
    setWindowTitle(QStringLiteral("龟兔赛跑"));
    setFixedSize(kWidth, kHeight);

    const RaceFrameImages &frames = RaceFrames(m_ctx.paths.dataRoot);
    for (std::size_t i = 0; i < m_hareFrames.size(); ++i)
        m_hareFrames[i] = QPixmap::fromImage(frames.hare[i]);
    for (std::size_t i = 0; i < m_tortoiseFrames.size(); ++i)
        m_tortoiseFrames[i] = QPixmap::fromImage(frames.tortoise[i]);

    m_background = drawBackground(devicePixelRatioF());
    buildControls();
    buildTimers();
    showHareFrame(2);
    showTortoiseFrame(2);
    placeRunners();

    // On load:
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RaceWindow);
}

RaceWindow::~RaceWindow()
{
    stopTimers();
    m_race.reset();
    status(QString());
}

void RaceWindow::buildControls()
{
    m_harePicture = makeLabel(QStringLiteral("imgt"), QString(), this, race::kTrackStart, 0, 0, 0);
    m_tortoisePicture = makeLabel(QStringLiteral("imgG"), QString(), this, race::kTrackStart, 0, 0, 0);

    m_referenceBox = new QTextEdit(this);
    m_referenceBox->setObjectName(QStringLiteral("rtbOut"));
    m_referenceBox->setGeometry(96, 167, 583, 40);
    m_referenceBox->setReadOnly(true);
    m_referenceBox->setTextInteractionFlags(Qt::NoTextInteraction);
    m_referenceBox->setFocusPolicy(Qt::NoFocus);
    m_referenceBox->setContextMenuPolicy(Qt::NoContextMenu);
    m_referenceBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_referenceBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_referenceBox->setLineWrapMode(QTextEdit::NoWrap);
    m_referenceBox->setFont(pixelFont(20));

    const QFont labelFont = pixelFont(15);
    const int rowA = 222, rowB = 256;
    for (QLabel *l : {makeLabel(QStringLiteral("lbl2"), QStringLiteral("兔跑的字数:"), this, 96, rowA, 100, 26),
                      makeLabel(QStringLiteral("lbl1"), QStringLiteral("龟跑的字数:"), this, 96, rowB, 100, 26)})
        l->setFont(labelFont);
    m_hareCountLabel = makeLabel(QStringLiteral("lblT"), QString(), this, 196, rowA, 80, 26);
    m_tortoiseCountLabel = makeLabel(QStringLiteral("lblG"), QString(), this, 196, rowB, 80, 26);
    for (QLabel *l : {m_hareCountLabel, m_tortoiseCountLabel})
        l->setFont(pixelFont(18, true));
    m_lengthLabel = makeLabel(QStringLiteral("lblC"), QString(), this, 300, rowA, 140, 26);
    m_lengthLabel->setFont(labelFont);
    m_clockLabel = makeLabel(QStringLiteral("lblTimeCount"), QString(), this, 300, rowB - 4, 140, 34);
    m_clockLabel->setFont(pixelFont(26, true));
    m_clockLabel->setStyleSheet(QStringLiteral("color: #b03a2e"));
    m_hareCountLabel->setAccessibleDescription(QStringLiteral("兔跑的字数"));
    m_tortoiseCountLabel->setAccessibleDescription(QStringLiteral("龟跑的字数"));

    m_settingsButton = new QPushButton(QStringLiteral("游戏设置"), this);
    m_settingsButton->setObjectName(QStringLiteral("ComSet"));
    m_settingsButton->setGeometry(520, rowA + 6, 120, 40);
    connect(m_settingsButton, &QPushButton::clicked, this, &RaceWindow::openSettings);

    m_input = new TypingLine(this);
    m_input->setObjectName(QStringLiteral("rtbIn"));
    m_input->setGeometry(96, 354, 583, 38);
    m_input->setFont(pixelFont(20));
    m_input->setReadOnly(true);
    m_input->installEventFilter(this);
    SetAccessibleText(m_referenceBox, QStringLiteral("比赛文字"), QStringLiteral("照着这一行输入"));
    SetAccessibleText(m_input, QStringLiteral("比赛输入"));
    m_settingsButton->setAccessibleDescription(QStringLiteral("选择比赛材料和兔子的速度，然后开始比赛"));
    AttachComposer(m_ctx, m_input, [this] { return m_race && m_race->material() != race::Material::Letters; });
    connect(m_input, &TypingLine::textChanged, this, &RaceWindow::judgeInput);
}

void RaceWindow::buildTimers()
{
    auto makeTimer = [this](const QString &name) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(race::kCountdownInterval);
        return timer;
    };
    m_countdownTimer = makeTimer(QStringLiteral("TimeS"));
    m_paceTimer = makeTimer(QStringLiteral("MeTime"));
    m_clockTimer = makeTimer(QStringLiteral("Timer1"));
    connect(m_countdownTimer, &QTimer::timeout, this, &RaceWindow::tickCountdown);
    connect(m_paceTimer, &QTimer::timeout, this, &RaceWindow::moveTortoise);
    connect(m_clockTimer, &QTimer::timeout, this, &RaceWindow::tickClock);
}

void RaceWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_background);
}

// ---- Starting ---------------------------------------------------------------

void RaceWindow::openSettings()
{
    RaceSettingsDialog dialog(m_ctx, this);
    if (dialog.exec() == QDialog::Accepted)
        startRace(dialog.setup());
}

void RaceWindow::startRace(const RaceSetup &setup)
{
    stopTimers();
    m_race = std::make_unique<race::Race>(setup.material, setup.settings.seconds);
    m_pool = setup.pool;
    showLine(setup.firstLine);
    m_paceTimer->setInterval(setup.settings.paceInterval);
    m_settingsButton->hide();
    m_countdownTimer->setInterval(race::kCountdownInterval);
    m_countdownTimer->start();
    status(kStartPrompt);
    selectTarget(0);
    m_input->clear();
    lockInput(true);
    m_input->setFocus();
}

void RaceWindow::tickCountdown()
{
    if (!m_race || m_race->ended())
        return;
    if (!m_race->running()) {
        m_clockLabel->setText(race::CountdownText(m_race->countdownTicks()));
        m_ctx.cues.play(Cue::Tick);
        if (!m_race->countdownTick())
            return;
        m_countdownTimer->setInterval(race::kAnimationInterval);
        m_paceTimer->start();
        m_clockTimer->start();
        m_lengthLabel->setText(QStringLiteral("共%1秒").arg(m_race->lengthSeconds()));
        m_hareCountLabel->setText(QString::number(m_race->hareCount()));
        m_tortoiseCountLabel->setText(QString::number(m_race->tortoiseCount()));
        showRaceKeys();
        lockInput(false);
        return;
    }
    if (m_race->paused())
        return;
    showHareFrame(m_race->frameNumber());
    showTortoiseFrame(m_race->tortoiseSecondFrame() ? 2 : 1);
    m_race->animationTick();
}

void RaceWindow::moveTortoise()
{
    if (!m_race || !m_race->acceptsTyping())
        return;
    m_race->paceTick();
    m_tortoiseCountLabel->setText(QString::number(m_race->tortoiseCount()));
    placeRunners();
}

void RaceWindow::tickClock()
{
    if (!m_race || !m_race->acceptsTyping())
        return;
    QString shown;
    const bool timeUp = m_race->clockTick(&shown);
    m_clockLabel->setText(shown);
    if (timeUp)
        endRace(QStringLiteral("赛跑时间到"));
}

// ---- Typing -----------------------------------------------------------------

QString RaceWindow::judgeTyped(const QString &typed)
{
    if (!m_race || !m_race->acceptsTyping())
        return QString();
    const race::Judgement judgement = race::JudgeTyped(m_judge, m_input->text(), typed);
    RecordVerdicts(m_ctx.progressLog, exercise::kRace, judgement.verdicts);
    if (judgement.wrong)
        m_ctx.cues.play(Cue::Error);
    m_overflow = judgement.overflow;
    return judgement.accepted;
}

void RaceWindow::judgeInput()
{
    if (!m_race || !m_race->running())
        return;
    if (m_race->setTyped(int(m_input->text().size()))) {
        const QString overflow = std::exchange(m_overflow, QString());
        showLine(race::NextLine(m_ctx.state, m_pool, m_race->material(), false, m_ctx.random));
        m_input->clear(); // comes back here with an empty input
        m_input->setFocus();
        // What a commit brought past the end of the line starts the next one.
        if (!overflow.isEmpty())
            m_input->insert(judgeTyped(overflow));
        return;
    }
    placeRunners();
    selectTarget(m_race->typedInLine());
    m_hareCountLabel->setText(QString::number(m_race->hareCount()));
}

bool RaceWindow::handleInputKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier) || !m_race)
        return false;
    switch (key) {
    case Qt::Key_S:
        if (m_race->stop())
            endRace(QStringLiteral("赛跑结束"));
        return true;
    case Qt::Key_P:
        if (m_race->pause()) {
            stopTimers();
            lockInput(true);
            status(QStringLiteral("Ctrl+R继续游戏"));
        }
        return true;
    case Qt::Key_R:
        if (m_race->resume()) {
            startTimers();
            lockInput(false);
            m_input->setFocus();
            showRaceKeys();
        }
        return true;
    default:
        return false;
    }
}

// Keys reach the input box only through here. What they type is judged;
// Backspace, Delete, cursor keys and shortcuts (paste, undo) do nothing, so
// accepted characters can neither be taken back nor come from elsewhere.
bool RaceWindow::filterKey(QKeyEvent *key)
{
    if (handleInputKey(key->key(), key->modifiers()))
        return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    const QString text = key->text();
    const bool typesCharacter = !text.isEmpty()
        && (text.at(0).isPrint() || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || key->key() == Qt::Key_Tab);
    if (typesCharacter) {
        const QString accepted = judgeTyped(text);
        if (!accepted.isEmpty()) {
            m_input->end(false);
            m_input->insert(accepted);
        }
    }
    return true;
}

bool RaceWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_input)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(static_cast<QKeyEvent *>(event));
    case QEvent::ShortcutOverride:
        // Ctrl+S/P/R belong to the race, not to any application shortcut.
        if (static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier)
            event->accept();
        return false;
    case QEvent::InputMethod: {
        // A commit (one character or a phrase) is judged; the pre-edit is not.
        auto *im = static_cast<QInputMethodEvent *>(event);
        if (!im->commitString().isEmpty()) {
            const QString accepted = judgeTyped(im->commitString());
            m_input->end(false);
            im->setCommitString(accepted);
        }
        return false;
    }
    case QEvent::FocusIn:
        inputFocusGained();
        return false;
    case QEvent::FocusOut:
        inputFocusLost();
        return false;
    default:
        return false;
    }
}

void RaceWindow::inputFocusGained()
{
    if (!m_race || !m_race->running() || !m_ctx.shell)
        return;
    m_ctx.shell->setStatusReady(true);
    if (m_race->paused())
        status(QStringLiteral("Ctrl+R 继续游戏"));
    else
        showRaceKeys();
}

void RaceWindow::inputFocusLost()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->setStatusReady(false);
    status(QString());
}

// ---- Display ----------------------------------------------------------------

void RaceWindow::showLine(const QString &line)
{
    m_line = line;
    m_judge.setReference(line);
    m_overflow.clear();
    m_referenceBox->setPlainText(line);
    selectTarget(0);
}

// The character to type next stands out, as a selection of length 1.
void RaceWindow::selectTarget(int position)
{
    MarkCharacter(m_referenceBox, position, int(m_line.size()), palette().color(QPalette::Active, QPalette::Highlight),
                  palette().color(QPalette::Active, QPalette::HighlightedText));
    AnnounceDescription(m_input, NextCharacterDescription(m_line.mid(position, 1)));
}

void RaceWindow::showHareFrame(int number)
{
    showFrame(m_harePicture, m_hareFrames[std::size_t(number - 1)], QStringLiteral("gt%1").arg(number), m_hareFrame);
}

void RaceWindow::showTortoiseFrame(int number)
{
    showFrame(m_tortoisePicture, m_tortoiseFrames[std::size_t(number - 1)], QStringLiteral("gg%1").arg(number),
              m_tortoiseFrame);
}

// A frame that could not be read leaves the previous picture.
void RaceWindow::showFrame(QLabel *picture, const QPixmap &frame, const QString &name, QString &shownName)
{
    if (frame.isNull())
        return;
    picture->setPixmap(frame);
    picture->resize(frame.deviceIndependentSize().toSize());
    shownName = name;
}

void RaceWindow::placeRunners()
{
    const int hareLeft = m_race ? m_race->hareLeft() : race::kTrackStart;
    const int tortoiseLeft = m_race ? m_race->tortoiseLeft() : race::kTrackStart;
    m_harePicture->move(hareLeft, kHareGround - m_harePicture->height());
    m_tortoisePicture->move(tortoiseLeft, kTortoiseGround - m_tortoisePicture->height());
}

void RaceWindow::lockInput(bool locked)
{
    m_input->setReadOnly(locked);
}

void RaceWindow::endRace(const QString &message)
{
    stopTimers();
    lockInput(true);
    showHareFrame(2);
    showTortoiseFrame(2);
    placeRunners();
    m_settingsButton->show();
    status(message);
}

void RaceWindow::stopTimers()
{
    for (QTimer *t : {m_countdownTimer, m_paceTimer, m_clockTimer})
        t->stop();
}

void RaceWindow::startTimers()
{
    for (QTimer *t : {m_countdownTimer, m_paceTimer, m_clockTimer})
        t->start();
}

void RaceWindow::showRaceKeys()
{
    status(kRaceKeys);
}

void RaceWindow::status(const QString &text)
{
    if (m_ctx.shell)
        m_ctx.shell->setStatusMessage(text);
}
