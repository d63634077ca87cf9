#include "shell/ui/TypingLine.h"

#include "practice/TextUnits.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kHorizontalMargin = 2; // between the frame and the text, as QLineEdit has
constexpr int kVerticalMargin = 1;
constexpr int kBlinkingMs = 10000;   // the caret blinks this long after the last key, then stays

// Inside a character of two UTF-16 units: never a caret position.
bool StartsLowSurrogate(const QString &text, int index)
{
    return index > 0 && CharacterUnitsAt(text, index - 1) == 2;
}

void InitFrameOption(const TypingLine *line, QStyleOptionFrame *option)
{
    option->initFrom(line);
    option->rect = line->rect();
    option->lineWidth = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, line);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    if (line->isReadOnly())
        option->state |= QStyle::State_ReadOnly;
    option->features = QStyleOptionFrame::None;
}
} // namespace

// Screen readers see an editable text with its caret and selection.
class TypingLineAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TypingLineAccessible(TypingLine *line) : QAccessibleWidget(line, QAccessible::EditableText) {}

    TypingLine *line() const { return static_cast<TypingLine *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? line()->text() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !line()->isReadOnly();
        s.readOnly = line()->isReadOnly();
        return s;
    }

    // QAccessibleTextInterface
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && line()->hasSelectedText()) {
            *start = std::min(line()->m_anchor, line()->m_cursor);
            *end = std::max(line()->m_anchor, line()->m_cursor);
        }
    }
    int selectionCount() const override { return line()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { line()->setSelection(start, end - start); }
    void removeSelection(int) override { line()->deselect(); }
    void setSelection(int, int start, int end) override { line()->setSelection(start, end - start); }
    int cursorPosition() const override { return line()->cursorPosition(); }
    void setCursorPosition(int position) override { line()->setCursorPosition(position); }
    QString text(int start, int end) const override { return line()->text().mid(start, end - start); }
    int characterCount() const override { return int(line()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const TypingLine *l = line();
        const int from = l->displayIndex(std::clamp(offset, 0, int(l->text().size())));
        const int to = std::min(from + 1, int(l->m_edges.size()) - 1);
        const QRect area = l->textArea();
        const QRect local(int(l->edgeX(from)), area.top(), int(std::ceil(l->edgeX(to) - l->edgeX(from))), area.height());
        return QRect(l->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override { return line()->positionAt(line()->mapFromGlobal(point).x()); }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }
};

namespace {
QAccessibleInterface *TypingLineFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TypingLine") && object && object->isWidgetType())
        return new TypingLineAccessible(static_cast<TypingLine *>(object));
    return nullptr;
}
} // namespace

TypingLine::TypingLine(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(TypingLineFactory), true);
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent fills every pixel it is asked for
    setCursor(Qt::IBeamCursor);
    setBackgroundRole(QPalette::Base);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_drawFont = font();
    m_drawFont.setKerning(false);
    m_glyphs.setFont(m_drawFont);
    measureTextArea();
    relayout(0);
}

TypingLine::~TypingLine() = default;

QString TypingLine::displayText() const
{
    if (m_preedit.isEmpty())
        return m_text;
    QString shown = m_text;
    return shown.insert(m_cursor, m_preedit);
}

int TypingLine::displayIndex(int textIndex) const
{
    return textIndex < m_cursor ? textIndex : textIndex + int(m_preedit.size());
}

void TypingLine::relayout(int firstChanged)
{
    const QString shown = displayText();
    int i = std::clamp(firstChanged, 0, int(std::min(m_edges.size() - 1, qsizetype(shown.size()))));
    if (StartsLowSurrogate(shown, i))
        --i;
    if (m_edges.isEmpty()) {
        m_edges.append(0);
        m_exactEdges = {0};
        i = 0;
    }
    m_edges.resize(shown.size() + 1);
    // Edges sit on whole pixels, so a glyph is rendered once, not once for
    // every fraction of a pixel it happens to start at; the running sum
    // keeps the line as wide as its glyphs.
    qreal x = i < m_exactEdges.size() ? m_exactEdges[i] : 0;
    m_exactEdges.resize(shown.size() + 1);
    while (i < shown.size()) {
        const int length = CharacterUnitsAt(shown, i);
        m_exactEdges[i] = x;
        m_edges[i] = std::round(x);
        if (length == 2) {
            m_exactEdges[i + 1] = x;
            m_edges[i + 1] = m_edges[i];
        }
        x += m_glyphs.advance(shown.mid(i, length));
        i += length;
    }
    m_exactEdges[shown.size()] = x;
    m_edges[shown.size()] = std::round(x);
}

QRect TypingLine::textArea() const
{
    return m_textArea;
}

void TypingLine::measureTextArea()
{
    QStyleOptionFrame option;
    InitFrameOption(this, &option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    m_textArea = contents.adjusted(kHorizontalMargin, kVerticalMargin, -kHorizontalMargin, -kVerticalMargin);
}

int TypingLine::baseline() const
{
    const QRect area = textArea();
    const QFontMetrics metrics(m_drawFont);
    return area.top() + (area.height() - metrics.height() + 1) / 2 + metrics.ascent();
}

int TypingLine::textLeft() const
{
    return textArea().left() - m_scroll;
}

qreal TypingLine::edgeX(int displayIndex) const
{
    return textLeft() + m_edges.at(std::clamp(displayIndex, 0, int(m_edges.size()) - 1));
}

QRect TypingLine::cursorRect() const
{
    const QRect area = textArea();
    const int x = int(edgeX(displayIndex(m_cursor) + int(m_preedit.size())));
    return QRect(x, area.top(), 1, area.height());
}

QRect TypingLine::spanRect(qreal from, qreal to) const
{
    if (from > to)
        std::swap(from, to);
    const QRect area = textArea();
    const int left = int(std::floor(from)) - 1;
    const int right = int(std::ceil(to)) + 2;
    return QRect(left, area.top(), right - left, area.height()) & area.adjusted(-1, 0, 1, 0);
}

void TypingLine::showEdit(qreal oldCaret, qreal oldRight, int firstChanged)
{
    // On screen at once, before the exercise hears of the change and judges
    // it: the learner's own character is what a keystroke must show first.
    restartBlink();
    const int scroll = m_scroll;
    keepCursorVisible();
    if (scroll != m_scroll)
        repaint();
    else
        repaint(spanRect(std::min(oldCaret, edgeX(firstChanged)), std::max(oldRight, edgeX(int(m_edges.size()) - 1))));
}

void TypingLine::notifyChange(const QString &before)
{
    updateMicroFocus();
    if (m_text == before)
        return;
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, 0, before, m_text);
        QAccessible::updateAccessibility(&event);
    }
    emit textChanged(m_text);
}

void TypingLine::setText(const QString &text)
{
    const QString before = m_text;
    int common = 0;
    while (common < text.size() && common < m_text.size() && text.at(common) == m_text.at(common))
        ++common;
    const bool hadPreedit = !m_preedit.isEmpty();
    m_text = text;
    m_preedit.clear();
    m_cursor = m_anchor = int(text.size());
    relayout(hadPreedit ? 0 : common);
    update();
    keepCursorVisible();
    notifyChange(before);
}

void TypingLine::insert(const QString &text)
{
    const int start = std::min(m_anchor, m_cursor);
    const int end = std::max(m_anchor, m_cursor);
    replaceRange(start, end, text);
}

void TypingLine::replaceRange(int start, int end, const QString &with)
{
    const QString before = m_text;
    const qreal oldCaret = edgeX(displayIndex(m_cursor) + int(m_preedit.size()));
    const qreal oldRight = edgeX(int(m_edges.size()) - 1);
    const int firstChanged = std::min(displayIndex(start), displayIndex(m_cursor));
    m_text.replace(start, end - start, with);
    m_cursor = m_anchor = start + int(with.size());
    relayout(firstChanged);
    showEdit(oldCaret, oldRight, firstChanged);
    notifyChange(before);
}

void TypingLine::setCursorPosition(int position)
{
    moveCursor(position, false);
}

void TypingLine::setSelection(int start, int length)
{
    const int size = int(m_text.size());
    placeCursor(std::clamp(start + length, 0, size), std::clamp(start, 0, size));
}

void TypingLine::selectAll()
{
    setSelection(0, int(m_text.size()));
}

void TypingLine::deselect()
{
    moveCursor(m_cursor, false);
}

QString TypingLine::selectedText() const
{
    const int start = std::min(m_anchor, m_cursor);
    return m_text.mid(start, std::abs(m_cursor - m_anchor));
}

void TypingLine::moveCursor(int position, bool select)
{
    placeCursor(position, select ? m_anchor : position);
}

void TypingLine::placeCursor(int cursor, int anchor)
{
    auto boundary = [this](int position) {
        position = std::clamp(position, 0, int(m_text.size()));
        return StartsLowSurrogate(m_text, position) ? position - 1 : position;
    };
    cursor = boundary(cursor);
    anchor = boundary(anchor);
    if (cursor == m_cursor && anchor == m_anchor)
        return; // the window sets the caret where it is after every change
    const qreal before[] = {edgeX(displayIndex(m_anchor)), edgeX(displayIndex(m_cursor) + int(m_preedit.size()))};
    const bool preeditMoves = !m_preedit.isEmpty() && cursor != m_cursor;
    m_cursor = cursor;
    m_anchor = anchor;
    if (preeditMoves) {
        relayout(0);
        update();
    } else {
        const qreal after[] = {edgeX(displayIndex(m_anchor)), edgeX(displayIndex(m_cursor))};
        update(spanRect(std::min({before[0], before[1], after[0], after[1]}), std::max({before[0], before[1], after[0], after[1]})));
    }
    restartBlink();
    keepCursorVisible();
    updateMicroFocus();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent event(this, m_cursor);
        QAccessible::updateAccessibility(&event);
    }
}

void TypingLine::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    // Like QLineEdit: a read-only box takes no input method.
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImReadOnly);
    if (readOnly)
        stopBlink();
    else
        restartBlink();
    showCursor(!readOnly && hasFocus());
}

int TypingLine::positionAt(int x) const
{
    if (!m_preedit.isEmpty())
        return m_cursor;
    const qreal t = x - textLeft();
    const auto upper = std::upper_bound(m_edges.cbegin(), m_edges.cend(), t);
    int index = int(upper - m_edges.cbegin());
    if (index >= m_edges.size())
        return int(m_text.size());
    if (index > 0 && t - m_edges[index - 1] < m_edges[index] - t)
        --index;
    if (StartsLowSurrogate(m_text, index))
        --index;
    return index;
}

void TypingLine::keepCursorVisible()
{
    const int width = textArea().width();
    const qreal caret = m_edges.at(displayIndex(m_cursor) + int(m_preedit.size()));
    const qreal total = m_edges.last();
    int scroll = m_scroll;
    if (caret - scroll > width - 1)
        scroll = int(std::ceil(caret)) - width + 1;
    if (caret < scroll)
        scroll = int(std::floor(caret));
    if (scroll > 0 && total - scroll < width - 1)
        scroll = std::max(0, int(std::ceil(total)) - width + 1);
    if (scroll != m_scroll) {
        m_scroll = scroll;
        update();
    }
}

void TypingLine::showCursor(bool visible)
{
    if (m_cursorShown == visible)
        return;
    m_cursorShown = visible;
    update(cursorRect().adjusted(-1, 0, 1, 0));
}

void TypingLine::restartBlink()
{
    if (!hasFocus() || m_readOnly)
        return;
    showCursor(true);
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_blinkTimer)
        killTimer(m_blinkTimer);
    m_blinkTimer = flash >= 2 ? startTimer(flash / 2) : 0;
    m_blinksLeft = flash >= 2 ? 2 * (kBlinkingMs / flash) : 0; // even: the caret ends shown
}

void TypingLine::stopBlink()
{
    if (m_blinkTimer)
        killTimer(m_blinkTimer);
    m_blinkTimer = 0;
}

void TypingLine::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_blinkTimer)
        return QWidget::timerEvent(event);
    showCursor(!m_cursorShown);
    if (--m_blinksLeft <= 0 && m_cursorShown)
        stopBlink();
}

bool TypingLine::isTypedText(const QKeyEvent *event) const
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    return !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

int TypingLine::wordEdge(int from, int direction) const
{
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, m_text);
    words.setPosition(from);
    const qsizetype edge = direction < 0 ? words.toPreviousBoundary() : words.toNextBoundary();
    return edge < 0 ? (direction < 0 ? 0 : int(m_text.size())) : int(edge);
}

bool TypingLine::handleEditingKey(QKeyEvent *event)
{
    const int start = std::min(m_anchor, m_cursor);
    const int end = std::max(m_anchor, m_cursor);
    auto step = [this](int from, int direction) {
        int to = std::clamp(from + direction, 0, int(m_text.size()));
        if (StartsLowSurrogate(m_text, to))
            to += direction;
        return to;
    };
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        if (hasSelectedText())
            QGuiApplication::clipboard()->setText(selectedText());
    } else if (event->matches(QKeySequence::MoveToPreviousChar) || event->matches(QKeySequence::SelectPreviousChar)) {
        const bool select = event->matches(QKeySequence::SelectPreviousChar);
        moveCursor(!select && hasSelectedText() ? start : step(m_cursor, -1), select);
    } else if (event->matches(QKeySequence::MoveToNextChar) || event->matches(QKeySequence::SelectNextChar)) {
        const bool select = event->matches(QKeySequence::SelectNextChar);
        moveCursor(!select && hasSelectedText() ? end : step(m_cursor, 1), select);
    } else if (event->matches(QKeySequence::MoveToPreviousWord) || event->matches(QKeySequence::SelectPreviousWord)) {
        moveCursor(wordEdge(m_cursor, -1), event->matches(QKeySequence::SelectPreviousWord));
    } else if (event->matches(QKeySequence::MoveToNextWord) || event->matches(QKeySequence::SelectNextWord)) {
        moveCursor(wordEdge(m_cursor, 1), event->matches(QKeySequence::SelectNextWord));
    } else if (event->matches(QKeySequence::MoveToStartOfLine) || event->matches(QKeySequence::MoveToStartOfBlock)) {
        moveCursor(0, false);
    } else if (event->matches(QKeySequence::SelectStartOfLine) || event->matches(QKeySequence::SelectStartOfBlock)) {
        moveCursor(0, true);
    } else if (event->matches(QKeySequence::MoveToEndOfLine) || event->matches(QKeySequence::MoveToEndOfBlock)) {
        moveCursor(int(m_text.size()), false);
    } else if (event->matches(QKeySequence::SelectEndOfLine) || event->matches(QKeySequence::SelectEndOfBlock)) {
        moveCursor(int(m_text.size()), true);
    } else if (m_readOnly) {
        return false;
    } else if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            QGuiApplication::clipboard()->setText(selectedText());
            replaceRange(start, end, QString());
        }
    } else if (event->matches(QKeySequence::Paste)) {
        const QString pasted = QGuiApplication::clipboard()->text();
        insert(pasted.left(pasted.indexOf(QLatin1Char('\n')) < 0 ? pasted.size() : pasted.indexOf(QLatin1Char('\n'))));
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        replaceRange(start != end ? start : wordEdge(start, -1), end, QString());
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        replaceRange(start, start != end ? end : wordEdge(end, 1), QString());
    } else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        if (start != end || start > 0)
            replaceRange(start != end ? start : step(start, -1), end, QString());
    } else if (event->matches(QKeySequence::Delete)) {
        if (start != end || end < m_text.size())
            replaceRange(start, start != end ? end : step(end, 1), QString());
    } else {
        return false;
    }
    return true;
}

void TypingLine::keyPressEvent(QKeyEvent *event)
{
    // Typed text first: it is most keys, and no editing key is printable
    // text without Control or Meta.
    if (!m_readOnly && isTypedText(event)) {
        insert(event->text());
        event->accept();
    } else if (handleEditingKey(event)) {
        restartBlink();
        event->accept();
    } else {
        event->ignore();
    }
}

bool TypingLine::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Editing keys and typed text belong to the box, not to a shortcut.
        auto *key = static_cast<QKeyEvent *>(event);
        if (isTypedText(key)) {
            key->accept();
            return true;
        }
        const bool editing = key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy)
                             || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste)
                             || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace
                             || key->key() == Qt::Key_Home || key->key() == Qt::Key_End
                             || key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
        if (editing) {
            key->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void TypingLine::inputMethodEvent(QInputMethodEvent *event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    const QString before = m_text;
    const qreal oldRight = edgeX(int(m_edges.size()) - 1);
    const qreal oldCaret = edgeX(displayIndex(m_cursor) + int(m_preedit.size()));
    int firstChanged = displayIndex(std::min(m_anchor, m_cursor));
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        int start = std::min(m_anchor, m_cursor);
        int end = std::max(m_anchor, m_cursor);
        if (event->replacementLength() > 0) {
            start = std::clamp(m_cursor + event->replacementStart(), 0, int(m_text.size()));
            end = std::clamp(start + event->replacementLength(), start, int(m_text.size()));
        }
        firstChanged = std::min(firstChanged, start);
        m_text.replace(start, end - start, event->commitString());
        m_cursor = m_anchor = start + int(event->commitString().size());
    }
    m_preedit = event->preeditString();
    relayout(firstChanged);
    showEdit(oldCaret, oldRight, firstChanged);
    event->accept();
    notifyChange(before);
}

QVariant TypingLine::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return isEnabled() && !m_readOnly;
    case Qt::ImCursorRectangle:
        return cursorRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
    case Qt::ImAbsolutePosition:
        return m_cursor;
    case Qt::ImAnchorPosition:
        return m_anchor;
    case Qt::ImSurroundingText:
        return m_text;
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImTextBeforeCursor:
        return m_text.left(m_cursor);
    case Qt::ImTextAfterCursor:
        return m_text.mid(m_cursor);
    case Qt::ImReadOnly:
        return m_readOnly;
    case Qt::ImMaximumTextLength:
        return QVariant(); // no limit
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void TypingLine::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_selecting = true;
    moveCursor(positionAt(int(event->position().x())), event->modifiers() & Qt::ShiftModifier);
}

void TypingLine::mouseMoveEvent(QMouseEvent *event)
{
    if (m_selecting && (event->buttons() & Qt::LeftButton))
        moveCursor(positionAt(int(event->position().x())), true);
}

void TypingLine::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        selectAll();
}

void TypingLine::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update(); // the frame shows the focus
    restartBlink();
}

void TypingLine::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_selecting = false;
    stopBlink();
    m_cursorShown = false;
    if (!m_preedit.isEmpty()) {
        m_preedit.clear(); // the input method starts afresh in the next box
        relayout(displayIndex(m_cursor));
    }
    update();
}

void TypingLine::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_drawFont = font();
        m_drawFont.setKerning(false);
        m_glyphs.setFont(m_drawFont);
        m_edges.clear();
        m_exactEdges.clear();
        relayout(0);
        keepCursorVisible();
        update();
    } else if (event->type() == QEvent::StyleChange) {
        measureTextArea();
        keepCursorVisible();
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void TypingLine::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    measureTextArea();
    keepCursorVisible();
}

QSize TypingLine::sizeHint() const
{
    const QFontMetrics metrics(m_drawFont);
    QStyleOptionFrame option;
    InitFrameOption(this, &option);
    const int h = std::max(metrics.height(), 14) + 2 * kVerticalMargin + 2 * option.lineWidth;
    const int w = metrics.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * kHorizontalMargin + 2 * option.lineWidth;
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(w, h), this);
}

QSize TypingLine::minimumSizeHint() const
{
    return QSize(sizeHint().height(), sizeHint().height());
}

void TypingLine::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    QStyleOptionFrame option;
    InitFrameOption(this, &option);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, option.palette.window()); // the corners a rounded frame leaves
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);

    const QRect area = textArea();
    painter.setClipRect(area.adjusted(-1, 0, 1, 0), Qt::IntersectClip);
    const QString shown = displayText();
    const qreal left = textLeft();
    const int y = baseline();
    // Only the characters that reach into the dirty rectangle are drawn.
    auto indexAt = [&](qreal x) { return int(std::upper_bound(m_edges.cbegin(), m_edges.cend(), x - left) - m_edges.cbegin()); };
    int first = std::max(0, indexAt(dirty.left()) - 1);
    int last = std::min(int(shown.size()), indexAt(dirty.right()) + 1);
    if (StartsLowSurrogate(shown, first))
        --first;
    if (StartsLowSurrogate(shown, last))
        ++last;

    const int selStart = displayIndex(std::min(m_anchor, m_cursor));
    const int selEnd = displayIndex(std::max(m_anchor, m_cursor));
    auto drawRun = [&](int from, int to, const QColor &color) {
        from = std::max(from, first);
        to = std::min(to, last);
        painter.setPen(color);
        for (int i = from; i < to;) {
            const int length = CharacterUnitsAt(shown, i);
            m_glyphs.draw(painter, QPointF(left + m_edges[i], y), shown.mid(i, length));
            i += length;
        }
    };
    const QPalette &palette = option.palette;
    if (selStart != selEnd) {
        painter.fillRect(QRectF(left + m_edges[selStart], area.top(), m_edges[selEnd] - m_edges[selStart], area.height()),
                         palette.highlight());
    }
    drawRun(0, selStart, palette.text().color());
    drawRun(selStart, selEnd, palette.highlightedText().color());
    drawRun(selEnd, int(shown.size()), palette.text().color());

    if (!m_preedit.isEmpty()) {
        const int from = displayIndex(m_cursor);
        const qreal underline = y + 2;
        painter.setPen(palette.text().color());
        painter.drawLine(QPointF(left + m_edges[from], underline),
                         QPointF(left + m_edges[from + m_preedit.size()], underline));
    }
    if (m_cursorShown && hasFocus() && !m_readOnly)
        painter.fillRect(cursorRect(), palette.text());
}
