#include "practice/ui/LinePracticeWindow.h"

#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "data/Cues.h"
#include "practice/PracticeState.h"
#include "practice/Statistics.h"
#include "practice/TextUnits.h"
#include "practice/TypingRun.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/ReferencePinyin.h"
#include "practice/ui/RunControl.h"
#include "practice/ui/RunPanel.h"
#include "wubi/Wubi.h"
#include "wubi/PhraseBreaks.h"
#include "shell/WubiHelp.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/TypingLine.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <utility>

namespace {
// Layout in pixels: line i+1 sits 96 px below line i.
constexpr int kWidth = 598, kHeight = 445;
constexpr int kLeft = 16, kTop = 30, kLineStep = 96;
constexpr int kRefHeight = 34, kInHeight = 28, kGap = 4;
// With pinyin over it a reference line grows upwards into the space above.
constexpr int kReadingRise = 8;

QPixmap DecorationStrip()
{
    QPixmap pix(kWidth, 22);
    QPainter p(&pix);
    QLinearGradient g(0, 0, kWidth, 0);
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    g.setColorAt(1, QColor(0x9c, 0xc3, 0xe6));
    p.fillRect(pix.rect(), g);
    p.setPen(Qt::white);
    p.drawText(pix.rect().adjusted(10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("逐行对照  ·  每行输完自动换行"));
    return pix;
}

const QString &WubiHintText()
{
    static const QString text = QStringLiteral("F5显示五笔86版打法提示  ") + QStringLiteral("F6显示五笔98版打法提示  ")
                                + QStringLiteral("Alt+?、Ctrl+Alt+? 显示?键86、98版字根卡片");
    return text;
}
} // namespace

LinePracticeWindow::LinePracticeWindow(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmIn_In"));
    setWindowTitle(QStringLiteral("内部对照练习"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setPixmap(DecorationStrip());
    m_picture->setGeometry(0, 0, kWidth, 22);

    // A generated drill line holds 30 Chinese characters: the reference font
    // is sized so that a whole line fits the box.
    const QFont refFont(QStringLiteral("宋体"), 13);
    const QFont inFont(QStringLiteral("宋体"), 12);
    for (int i = 0; i < kLines; ++i) {
        const int top = kTop + i * kLineStep;
        auto *out = new ReferenceLine(this);
        out->setObjectName(QStringLiteral("rtbOut(%1)").arg(i));
        out->setFont(refFont);
        out->setGeometry(kLeft, top, kWidth - 2 * kLeft, kRefHeight);
        auto *in = new TypingLine(this);
        in->setObjectName(QStringLiteral("rtbIn(%1)").arg(i));
        in->setFont(inFont);
        in->setGeometry(kLeft, top + kRefHeight + kGap, kWidth - 2 * kLeft, kInHeight);
        in->installEventFilter(this);
        AttachComposer(m_ctx, in, [this] { return m_ctx.state.chineseText; });
        m_out[i] = out;
        m_in[i] = in;
        connect(in, &TypingLine::textChanged, this, [this, i] {
            if (!m_placingText)
                judgeInput(i);
        });
        connect(out, &ReferenceLine::selectionChanged, this, [this, i] { referenceSelectionChanged(i); });
        SetAccessibleText(out, QStringLiteral("第%1行对照文字").arg(i + 1));
        SetAccessibleText(in, QStringLiteral("第%1行输入").arg(i + 1));
        connect(out, &ReferenceLine::nextCharacterChanged, in, [in](const QString &next) {
            AnnounceDescription(in, NextCharacterDescription(next));
        });
    }

    m_pinyinBox = new QCheckBox(referencepinyin::kCheckCaption, this);
    m_pinyinBox->setObjectName(QStringLiteral("chkPinyin"));
    m_pinyinBox->setFocusPolicy(Qt::NoFocus); // typing keeps the focus
    m_pinyinBox->setStyleSheet(QStringLiteral("QCheckBox { color: #12385c; }")); // on the light end of the strip
    m_pinyinBox->adjustSize();
    m_pinyinBox->move(kWidth - m_pinyinBox->width() - 8, (22 - m_pinyinBox->height()) / 2);
    SetAccessibleText(m_pinyinBox, QStringLiteral("显示拼音"), QStringLiteral("在对照文字上方显示带声调的拼音"));
    connect(m_pinyinBox, &QCheckBox::clicked, this, [this](bool on) {
        SetPinyinChosen(m_ctx, on);
        showReadings();
    });
    showReadings();
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::LinePracticeWindow);
}

LinePracticeWindow::~LinePracticeWindow()
{
    for (int i = 0; i < kLines; ++i) {
        m_in[i]->removeEventFilter(this);
        m_in[i]->disconnect(this);
        m_out[i]->disconnect(this);
    }
    PracticeState &s = m_ctx.state;
    EndRunWithoutReport(m_ctx);
    s.randomCharDrill = false;
    s.activeLine = 0;
}

// Judging one change of input line `index`. A change that adds several
// characters (an input-method phrase) is judged as if they were typed one
// after another; what runs past the end of the line goes on in the next.
void LinePracticeWindow::judgeInput(int index)
{
    PracticeState &s = m_ctx.state;
    const QString typed = m_in[index]->text();
    const QString before = std::exchange(m_lastInput[index], typed);
    m_in[index]->setCursorPosition(int(typed.size()));
    s.activeLine = index;

    if (!IsRunStarted(m_ctx)) {
        m_out[index]->select(CharacterCount(typed));
        updateTypedText(index);
    } else {
        TypingOutcome outcome = judgeLine(index, before, typed);
        while (outcome.finished) {
            if (finishLine(index))
                return; // the run ended
            m_out[index]->select(0);
            if (outcome.overflow.isEmpty())
                break;
            index = s.activeLine;
            const QString lineBefore = m_lastInput[index];
            const QString lineAfter = lineBefore + outcome.overflow;
            setInputText(index, lineAfter);
            outcome = judgeLine(index, lineBefore, lineAfter);
        }
        playPendingCue();
    }

    if (s.hintShown && m_ctx.wubiHelp)
        m_ctx.wubiHelp->closeHint();
}

TypingOutcome LinePracticeWindow::judgeLine(int index, const QString &before, const QString &after)
{
    TypingOutcome outcome = m_judges[index].judgeChange(before, after);
    RecordVerdicts(m_ctx.progressLog, RunExerciseKind(m_ctx.state), outcome.verdicts);
    NotePinyinMistakes(m_ctx, outcome.verdicts, [this, index](int position) { return lineReadings(index).value(position); });
    for (int position : outcome.marksCleared)
        m_out[index]->setMark(position, false);
    for (int position : outcome.marksSet)
        m_out[index]->setMark(position, true);
    if (TypingRun *run = OpenRun(m_ctx))
        run->addErrors(outcome.errorChange);
    m_pendingCue = std::max(m_pendingCue, outcome.cue); // an error outweighs a confirm
    if (outcome.kept != after)
        setInputText(index, outcome.kept); // the overflow belongs to the next line
    updateTypedText(index);
    if (!outcome.finished)
        m_out[index]->select(outcome.caret);
    return outcome;
}

void LinePracticeWindow::updateTypedText(int index)
{
    if (TypingRun *run = OpenRun(m_ctx))
        run->setPageTyped(pageInput(index));
}

void LinePracticeWindow::playPendingCue()
{
    if (m_pendingCue != JudgeCue::None)
        CueForJudgedKeystroke(m_ctx.cues, m_ctx.state.cues, m_pendingCue == JudgeCue::Confirm);
    m_pendingCue = JudgeCue::None;
}

QString LinePracticeWindow::expectedChar() const
{
    const int index = qBound(0, m_ctx.state.activeLine, kLines - 1);
    return m_out[index]->selectedText();
}

// A finished line: the caret moves on, or the page turns, or the run ends.
// Returns true when the run ended.
bool LinePracticeWindow::finishLine(int index)
{
    if (index == kLines - 1)
        return finishPage();

    activateLine(index + 1);
    if (m_out[index + 1]->charCount() == 0 && restOfPageEmpty(index + 1)
        && m_ctx.state.pendingText.isEmpty()) {
        appendInputs(index);
        endRun(false);
        return true;
    }
    return false;
}

bool LinePracticeWindow::finishPage()
{
    PracticeState &s = m_ctx.state;
    if (s.generatedDrill)
        prepareNextDrillPage();
    appendInputs(kLines - 1);
    if (s.pendingText.isEmpty()) {
        endRun(true);
        return true;
    }
    fillReferencePage();
    for (int i = 0; i < kLines; ++i)
        m_in[i]->setReadOnly(i != 0);
    m_in[0]->setFocus();
    showSelectionOnly(0);
    m_out[0]->select(0);
    s.activeLine = 0;
    return false;
}

// Lines after `fromLine` hold no text either. A blank line in the middle of
// the last page must not end the run before the text below it is typed.
bool LinePracticeWindow::restOfPageEmpty(int fromLine) const
{
    for (int i = fromLine; i < kLines; ++i)
        if (m_out[i]->charCount() > 0)
            return false;
    return true;
}

void LinePracticeWindow::prepareNextDrillPage()
{
    PracticeState &s = m_ctx.state;
    if (s.timeLimited || s.unlimitedRun) {
        const int remaining = s.charBudget - s.charsGenerated;
        if (s.lettersOnlyDrill && remaining <= 240)
            s.charBudget += 240;
        if (!s.lettersOnlyDrill && remaining <= 120)
            s.charBudget += 120;
    }
    // The last drill kind that applies makes the page; only it draws from the
    // budget.
    std::function<QString()> next;
    if (s.lettersOnlyDrill)
        next = [&] {
            return wubi::CharacterDrillText(s, s.letterPool, wubi::kLetterDrillPerLine, wubi::kDrillPageLines,
                                            m_ctx.random);
        };
    if (s.randomCharDrill)
        next = [&] {
            return wubi::CharacterDrillText(s, s.drillPool, wubi::kDrillCharsPerLine, wubi::kDrillPageLines,
                                            m_ctx.random);
        };
    for (int length = 2; length <= 4; ++length)
        if (s.phraseDrillKind[length])
            next = [&s, this, length] { return wubi::PhraseDrillText(s, s.drillPool, length, m_ctx.random); };
    if (s.phraseDrillKind[5])
        next = [&] { return wubi::LongPhraseDrillText(s, s.phraseEdition86, m_ctx.random); };
    if (next)
        s.pendingText = next();
}

QString LinePracticeWindow::pageInput(int lastLine) const
{
    QString typed;
    for (int i = 0; i <= lastLine; ++i)
        typed += m_in[i]->text();
    return typed;
}

// The finished lines join the run's text; what the live figures have already
// seen of it is kept from then on as counts only.
void LinePracticeWindow::appendInputs(int lastLine)
{
    if (TypingRun *run = OpenRun(m_ctx))
        run->finishPage(pageInput(lastLine));
}

void LinePracticeWindow::endRun(bool pageFinished)
{
    playPendingCue(); // the last character's cue comes before the report
    QPointer<LinePracticeWindow> self(this);
    ShowPracticeReport(m_ctx);
    if (!self)
        return;
    if (pageFinished)
        m_ctx.state.activeLine = 0;
}

void LinePracticeWindow::activateLine(int index)
{
    m_out[index]->select(0);
    m_in[index - 1]->setReadOnly(true);
    m_in[index]->setReadOnly(false);
    m_in[index]->setFocus();
    showSelectionOnly(index);
    m_ctx.state.activeLine = index;
}

void LinePracticeWindow::showSelectionOnly(int index)
{
    for (int i = 0; i < kLines; ++i)
        m_out[i]->setSelectionVisible(i == index);
}

bool LinePracticeWindow::backspaceToLineAbove(int index)
{
    PracticeState &s = m_ctx.state;
    if (!IsClockRunning(m_ctx))
        return false;
    if (!m_in[index]->text().isEmpty() || index == 0)
        return false; // the line edit erases; the change is judged
    // Backspace at the start of a line goes back to the end of the line above.
    const int above = index - 1;
    m_in[index]->setReadOnly(true);
    m_in[above]->setReadOnly(false);
    m_in[above]->setFocus();
    m_in[above]->setCursorPosition(int(m_in[above]->text().size()));
    showSelectionOnly(above);
    m_out[above]->select(m_out[above]->charCount());
    s.activeLine = above;
    return true;
}

bool LinePracticeWindow::handleInputKey(int index, int keyCode, Qt::KeyboardModifiers modifiers)
{
    const PracticeState &s = m_ctx.state;
    if (keyCode == referencepinyin::kToggleKey && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        if (m_pinyinBox->isEnabled())
            m_pinyinBox->click();
        return true;
    }
    if (!IsRunStarted(m_ctx))
        return false;
    const bool wubiDrill = s.chineseText && s.generatedDrill;
    const bool letter = keyCode >= Qt::Key_A && keyCode <= Qt::Key_Z;
    if (letter && (modifiers & Qt::AltModifier)) {
        // Never lets the letter reach the input line.
        if (wubiDrill && keyCode <= Qt::Key_Y && m_ctx.wubiHelp) {
            const bool ctrl = modifiers & Qt::ControlModifier;
            m_ctx.wubiHelp->showRadicalCard(keyCode, !ctrl);
        }
        return true;
    }
    if (keyCode == Qt::Key_F5 || keyCode == Qt::Key_F6) {
        if (wubiDrill && m_ctx.wubiHelp)
            m_ctx.wubiHelp->hintKey(keyCode == Qt::Key_F5, m_out[index]->text(), m_out[index]->selectionStart(),
                                    index, this, m_in[index]);
        return true;
    }
    return false;
}

void LinePracticeWindow::inputFocusGained(int index)
{
    ShowReadyWhileRunning(m_ctx);
    if (index == 0 && m_in[0]->text().isEmpty())
        m_out[0]->select(0);
}

void LinePracticeWindow::inputFocusLost(int)
{
    if (m_ctx.shell)
        m_ctx.shell->setStatusReady(false);
}

void LinePracticeWindow::referenceSelectionChanged(int index)
{
    PracticeState &s = m_ctx.state;
    const QString selected = m_out[index]->selectedText();
    if (selected.isEmpty() || !s.generatedDrill || !s.chineseText || !m_ctx.shell)
        return;
    m_ctx.shell->setStatusMessage(LookUpCode(s, selected, true) ? WubiHintText() : QString());
}

void LinePracticeWindow::setInputText(int index, const QString &text)
{
    m_placingText = true;
    m_in[index]->setText(text);
    m_placingText = false;
    m_lastInput[index] = text;
}

void LinePracticeWindow::clearReferencePage()
{
    for (int i = 0; i < kLines; ++i) {
        m_in[i]->setReadOnly(false);
        m_out[i]->setReadOnly(false);
        setInputText(i, QString());
        m_out[i]->setText(QString());
        m_judges[i].setReference(QString());
        m_readingsKnown[i] = false;
    }
}

void LinePracticeWindow::fillReferencePage()
{
    clearReferencePage();
    QString &pending = m_ctx.state.pendingText;
    for (int i = 0; i < kLines && !pending.isEmpty(); ++i) {
        const int end = int(pending.indexOf(QStringLiteral("\r\n")));
        const int lineLength = end < 0 ? int(pending.size()) : end;
        m_out[i]->setText(pending.left(lineLength));
        m_out[i]->setPhraseStarts(wubi::PhraseStarts(m_ctx.state, m_out[i]->text()));
        m_judges[i].setReference(m_out[i]->text());
        m_out[i]->setReadOnly(true);
        pending.remove(0, end < 0 ? lineLength : lineLength + 2);
    }
    showReadings();
}

const QStringList &LinePracticeWindow::lineReadings(int index)
{
    if (!m_readingsKnown[index]) {
        m_readings[index] = ReferenceReadings(m_ctx, m_out[index]->text());
        m_readingsKnown[index] = true;
    }
    return m_readings[index];
}

void LinePracticeWindow::showReadings()
{
    const bool drill = PinyinDrillRun(m_ctx);
    const bool shown = PinyinOverReference(m_ctx);
    m_pinyinBox->setChecked(shown);
    m_pinyinBox->setEnabled(!drill); // a pinyin drill always shows it
    for (int i = 0; i < kLines; ++i) {
        const int top = kTop + i * kLineStep;
        const int rise = shown ? kReadingRise : 0;
        m_out[i]->setGeometry(kLeft, top - rise, kWidth - 2 * kLeft, kRefHeight + rise);
        m_out[i]->setReadings(shown ? lineReadings(i) : QStringList());
    }
}

void LinePracticeWindow::beginRun()
{
    showReadings(); // the drill's kind is known now
    for (int i = 0; i < kLines; ++i) {
        m_out[i]->setReadOnly(true);
        m_in[i]->setReadOnly(i != 0);
    }
    m_pendingCue = JudgeCue::None;
    m_ctx.state.activeLine = 0;
    showSelectionOnly(0);
    m_in[0]->setFocus();
    if (m_in[0]->text().isEmpty())
        m_out[0]->select(0);
}

void LinePracticeWindow::lockInput()
{
    m_in[qBound(0, m_ctx.state.activeLine, kLines - 1)]->setReadOnly(true);
}

void LinePracticeWindow::resumeInput()
{
    TypingLine *in = m_in[qBound(0, m_ctx.state.activeLine, kLines - 1)];
    in->setReadOnly(false);
    in->setFocus();
    in->setCursorPosition(int(in->text().size()));
}

int LinePracticeWindow::indexOfInput(QObject *watched) const
{
    for (int i = 0; i < kLines; ++i)
        if (m_in[i] == watched)
            return i;
    return -1;
}

bool LinePracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    const int index = indexOfInput(watched);
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A locked line that got the focus by a click takes no key at all.
        if (m_in[index]->isReadOnly() && index != m_ctx.state.activeLine)
            return true;
        auto *key = static_cast<QKeyEvent *>(event);
        if (handleInputKey(index, key->key(), key->modifiers()))
            return true;
        return key->key() == Qt::Key_Backspace && backspaceToLineAbove(index);
    }
    case QEvent::FocusIn:
        inputFocusGained(index);
        return false;
    case QEvent::FocusOut:
        inputFocusLost(index);
        return false;
    default:
        return false;
    }
}

namespace {
LinePracticeWindow *OpenLinePracticeWindow(AppContext &ctx)
{
    if (!ctx.shell || !ctx.state.shown(ManagedWindow::LinePracticeWindow))
        return nullptr;
    return qobject_cast<LinePracticeWindow *>(ctx.shell->window(ManagedWindow::LinePracticeWindow));
}
} // namespace

void FillReferencePage(AppContext &ctx)
{
    if (LinePracticeWindow *lineWindow = OpenLinePracticeWindow(ctx))
        lineWindow->fillReferencePage();
}

void ClearReferencePage(AppContext &ctx)
{
    if (LinePracticeWindow *lineWindow = OpenLinePracticeWindow(ctx))
        lineWindow->clearReferencePage();
}
