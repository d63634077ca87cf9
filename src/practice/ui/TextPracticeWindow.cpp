#include "practice/ui/TextPracticeWindow.h"

#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "data/Cues.h"
#include "practice/PracticeState.h"
#include "practice/TextUnits.h"
#include "practice/TypingRun.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/ReferencePinyin.h"
#include "practice/ui/RunControl.h"
#include "shell/ui/Accessibility.h"
#include "practice/ui/RunPanel.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/SongFont.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kWidth = 598, kHeight = 445;
constexpr double kDesignedPointSize = 10.5;

// Keys that produce a character (what a key-press event of the input box
// sees): not bare modifiers, function or navigation keys.
bool ProducesCharacter(const QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab
        || key == Qt::Key_Escape)
        return true;
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis)
        return true;
    return key < Qt::Key_Escape && !e->text().isEmpty() && e->text().at(0).isPrint();
}

} // namespace

TextPracticeWindow::TextPracticeWindow(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmInT_In"));
    setWindowTitle(QStringLiteral("文本对照练习"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);

    auto *heading = new QLabel(QStringLiteral("对照下面的文章输入，标出的字是下一个要输入的字"), this);
    m_referenceBox = new QPlainTextEdit(this);
    m_referenceBox->setObjectName(QStringLiteral("rtbOut"));
    m_referenceBox->setReadOnly(true);
    m_referenceBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The selection stays visible while the learner types in the other box.
    QPalette pal = m_referenceBox->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    m_referenceBox->setPalette(pal);

    m_input = new QPlainTextEdit(this);
    m_input->setObjectName(QStringLiteral("rtbIn"));
    SetAccessibleText(m_referenceBox, QStringLiteral("对照文本"), QStringLiteral("照着这篇文字输入"));
    SetAccessibleText(m_input, QStringLiteral("输入框"), QStringLiteral("在这里连续输入对照文本"));
    m_input->setReadOnly(true);
    m_input->installEventFilter(this);
    AttachComposer(m_ctx, m_input, [this] { return m_ctx.state.chineseText; });

    m_referenceBox->setFont(SongFont(kDesignedPointSize));
    m_input->setFont(SongFont(kDesignedPointSize));

    m_pinyinBox = new QCheckBox(referencepinyin::kCheckCaption, this);
    m_pinyinBox->setObjectName(QStringLiteral("chkPinyin"));
    m_pinyinBox->setFocusPolicy(Qt::NoFocus); // typing keeps the focus
    SetAccessibleText(m_pinyinBox, QStringLiteral("显示拼音"), QStringLiteral("在正在输入的一行文字上方显示带声调的拼音"));
    connect(m_pinyinBox, &QCheckBox::clicked, this, [this](bool on) {
        SetPinyinChosen(m_ctx, on);
        showReadings();
    });
    m_pinyinLine = new ReferenceLine(this);
    m_pinyinLine->setObjectName(QStringLiteral("rtbPinyin"));
    m_pinyinLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // long lines scroll
    m_pinyinLine->setFont(SongFont(kDesignedPointSize));
    SetAccessibleText(m_pinyinLine, QStringLiteral("拼音对照"), QStringLiteral("正在输入的一行文字和它的拼音"));

    auto *headingRow = new QHBoxLayout;
    headingRow->addWidget(heading, 1);
    headingRow->addWidget(m_pinyinBox);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->addLayout(headingRow);
    layout->addWidget(m_referenceBox, 3);
    layout->addWidget(m_pinyinLine);
    layout->addWidget(m_input, 2);

    connect(m_input, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_placingText)
            judgeInput();
    });
    for (auto signal : {&QPlainTextEdit::cursorPositionChanged, &QPlainTextEdit::selectionChanged}) {
        connect(m_referenceBox, signal, this, [this] {
            if (!m_selecting)
                referenceSelectionChanged();
        });
    }

    // On load:
    applyFontSizes();
    showReadings();
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::TextPracticeWindow);
}

TextPracticeWindow::~TextPracticeWindow()
{
    m_input->removeEventFilter(this);
    m_input->disconnect(this);
    m_referenceBox->disconnect(this);
    EndRunWithoutReport(m_ctx);
}

bool TextPracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_input) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == referencepinyin::kToggleKey && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                if (m_pinyinBox->isEnabled())
                    m_pinyinBox->click();
                return true;
            }
            if (ProducesCharacter(key))
                noteKeyPressed();
            break;
        }
        case QEvent::InputMethod:
            // An input method delivers its text as a commit, not as key
            // presses: a commit counts as a key press, or nothing would be
            // judged for learners who type Chinese.
            if (!static_cast<QInputMethodEvent *>(event)->commitString().isEmpty())
                noteKeyPressed();
            break;
        default:
            ForwardFocus(event, [this] { inputFocusGained(); }, [this] { inputFocusLost(); });
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TextPracticeWindow::noteKeyPressed()
{
    m_keyPressed = true;
}

// Judging a change of the input. Composition (pre-edit) text is not part of
// the box's text, so a change that only composes changes nothing here.
void TextPracticeWindow::judgeInput()
{
    const QString typed = m_input->toPlainText();
    if (typed == m_lastInput)
        return;
    const QString before = std::exchange(m_lastInput, typed);
    if (!m_keyPressed)
        return;
    m_keyPressed = false;

    TypingRun *run = OpenRun(m_ctx);
    if (!run || !run->isStarted()) {
        selectReference(CharacterCount(typed));
        return;
    }
    const TypingOutcome outcome = m_judge.judgeChange(before, typed);
    RecordVerdicts(m_ctx.progressLog, RunExerciseKind(m_ctx.state), outcome.verdicts);
    NotePinyinMistakes(m_ctx, outcome.verdicts, [this](int position) {
        return ReadingsInContext(m_ctx, [this](int p) { return referenceChar(p); }, position, 1).value(0);
    });
    run->addErrors(outcome.errorChange);
    if (outcome.cue != JudgeCue::None)
        CueForJudgedKeystroke(m_ctx.cues, m_ctx.state.cues, outcome.cue == JudgeCue::Confirm);
    if (outcome.finished) {
        endOfText(*run, outcome.kept);
        return;
    }
    selectReference(outcome.caret);
    run->setTyped(typed);
}

// The character that completes the text has been judged and is counted.
void TextPracticeWindow::endOfText(TypingRun &run, const QString &typed)
{
    run.setTyped(typed);
    ShowPracticeReport(m_ctx);
}

QString TextPracticeWindow::expectedChar() const
{
    return m_judge.charAt(CharacterCount(m_lastInput));
}

void TextPracticeWindow::inputFocusGained()
{
    ShowReadyWhileRunning(m_ctx);
    if (m_input->document()->isEmpty() && CharacterCount(selectedReference()) != 1)
        selectReference(0);
}

void TextPracticeWindow::inputFocusLost()
{
    if (m_ctx.shell)
        m_ctx.shell->setStatusReady(false);
}

void TextPracticeWindow::referenceSelectionChanged()
{
    // Whatever the learner clicked, one character stays selected.
    const QTextCursor cursor = m_referenceBox->textCursor();
    const int start = cursor.selectionStart();
    const int wanted = CharacterUnitsAt(m_reference, m_sliceStart + start);
    if (cursor.selectionEnd() - start != wanted) {
        QTextCursor one(m_referenceBox->document());
        one.setPosition(start);
        one.setPosition(start + wanted, QTextCursor::KeepAnchor);
        m_selecting = true;
        m_referenceBox->setTextCursor(one);
        m_selecting = false;
    }
    m_referenceBox->ensureCursorVisible();
}

void TextPracticeWindow::showReferenceAround(int position)
{
    // reference holds a stretch of the reference around the character to type:
    // laying out and painting a whole long text (tens of megabytes) would
    // take seconds, and its every keystroke tens of milliseconds. The
    // stretch moves on when the typing nears its end.
    constexpr int kStretch = 32768;  // UTF-16 units shown
    constexpr int kBehind = 4096;    // of them before the character to type
    constexpr int kAhead = 2048;     // at least this many after it, unless the text ends
    const int shownEnd = m_sliceStart + referenceShownLength();
    const bool endShown = shownEnd >= referenceLength();
    if (m_sliceValid && position >= m_sliceStart && (position <= shownEnd - kAhead || endShown))
        return;
    int start = qMax(0, position - kBehind);
    if (start > 0 && m_reference.at(start).isLowSurrogate())
        --start; // a surrogate pair stays whole
    int end = qMin(referenceLength(), start + kStretch);
    if (end < referenceLength() && m_reference.at(end).isLowSurrogate())
        ++end;
    m_sliceStart = start;
    m_sliceValid = true;
    m_selecting = true;
    m_referenceBox->setPlainText(m_reference.mid(start, end - start));
    m_selecting = false;
}

void TextPracticeWindow::selectReference(int position)
{
    const int start = m_judge.unitOf(position);
    showReferenceAround(start);
    QTextCursor cursor(m_referenceBox->document());
    cursor.setPosition(start - m_sliceStart);
    m_selecting = true;
    m_referenceBox->setTextCursor(cursor);
    m_selecting = false;
    m_position = position;
    referenceSelectionChanged();
    updatePinyinLine();
    AnnounceDescription(m_input, NextCharacterDescription(m_judge.charAt(position)));
}

QString TextPracticeWindow::selectedReference() const
{
    return m_referenceBox->textCursor().selectedText();
}

int TextPracticeWindow::referenceLength() const
{
    return int(m_reference.size());
}

int TextPracticeWindow::referenceShownLength() const
{
    return m_referenceBox->document()->characterCount() - 1; // without the closing paragraph mark
}

void TextPracticeWindow::setInputText(const QString &text)
{
    m_placingText = true;
    m_input->setPlainText(text);
    m_placingText = false;
    m_lastInput = text;
}

void TextPracticeWindow::placeMaterial()
{
    // The text was read without line breaks: one paragraph.
    m_reference = m_ctx.state.pendingText;
    m_sliceValid = false;
    m_judge.setReference(m_reference);
    setInputText(QString());
    m_keyPressed = false;
    selectReference(0);
}

void TextPracticeWindow::beginRun()
{
    showReadings(); // the run's kind is known now
    m_input->setReadOnly(false);
    m_referenceBox->setReadOnly(true);
    m_keyPressed = false;
    m_input->setFocus();
    if (m_input->document()->isEmpty())
        selectReference(0);
}

void TextPracticeWindow::lockInput()
{
    m_input->setReadOnly(true);
}

void TextPracticeWindow::resumeInput()
{
    ResumeTyping(m_input);
}

void TextPracticeWindow::clearContents()
{
    setInputText(QString());
    m_referenceBox->clear();
    m_reference.clear();
    m_sliceStart = 0;
    m_sliceValid = false;
    m_judge.setReference(QString());
    m_keyPressed = false;
}

void TextPracticeWindow::applyFontSizes()
{
    ApplyPointSize({m_referenceBox, m_input, m_pinyinLine}, m_ctx.state.fonts.intIn);
}

void TextPracticeWindow::showReadings()
{
    m_pinyinShown = PinyinOverReference(m_ctx);
    m_pinyinBox->setChecked(m_pinyinShown);
    m_pinyinBox->setEnabled(!PinyinDrillRun(m_ctx)); // a pinyin drill always shows it
    m_pinyinLine->setVisible(m_pinyinShown);
    updatePinyinLine();
}

void TextPracticeWindow::updatePinyinLine()
{
    if (!m_pinyinShown)
        return;
    // The line of the box that holds the character to type, as laid out now.
    const QTextCursor cursor = m_referenceBox->textCursor();
    const QTextBlock block = cursor.block();
    if (auto *layout = qobject_cast<QPlainTextDocumentLayout *>(m_referenceBox->document()->documentLayout()))
        layout->ensureBlockLayout(block);
    const QTextLine line = block.layout() ? block.layout()->lineForTextPosition(cursor.selectionStart() - block.position())
                                          : QTextLine();
    QString text;
    int lineStart = m_position; // in characters of the text
    if (line.isValid()) {
        const int unitsBefore = cursor.selectionStart() - block.position() - line.textStart();
        text = block.text().mid(line.textStart(), line.textLength());
        lineStart = m_position - CharacterCount(QStringView(text).left(unitsBefore));
    }
    if (text != m_pinyinLine->text()) {
        m_pinyinLine->setText(text);
        m_pinyinLine->setReadings(ReadingsInContext(m_ctx, [this](int p) { return referenceChar(p); }, lineStart,
                                                    CharacterCount(text)));
    }
    m_pinyinLine->setSelectionVisible(true);
    m_pinyinLine->select(m_position - lineStart);
}
