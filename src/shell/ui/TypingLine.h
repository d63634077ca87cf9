#pragma once
// TypingLine: the one-line box an exercise types into. It keeps the x edge of
// every character, so a keystroke repaints only the characters and the caret
// it changes: QLineEdit lays out and redraws its whole line on every change
// and again when the caret blink restarts on the key's release. An edit is
// painted at once, before textChanged lets the exercise judge it.
//
// It edits like a line edit (caret keys, Shift selection, Home/End, copy, cut,
// paste, select all, mouse) and speaks the input-method protocol: commits are
// inserted, the composition is shown underlined at the caret and never counts
// as text.
#include "shell/ui/CharacterGlyphs.h"

#include <QFont>
#include <QString>
#include <QVector>
#include <QWidget>

class TypingLine : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged USER true)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
public:
    explicit TypingLine(QWidget *parent = nullptr);
    ~TypingLine() override;

    const QString &text() const { return m_text; }
    // Replaces the text; the caret goes to its end. Emits textChanged when it differs.
    void setText(const QString &text);
    // Inserts at the caret, replacing the selection, as if typed.
    void insert(const QString &text);
    void clear() { setText(QString()); }

    int cursorPosition() const { return m_cursor; }
    void setCursorPosition(int position);
    // The caret to the end of the text; `mark` selects what it passes.
    void end(bool mark) { moveCursor(int(m_text.size()), mark); }

    // Selection from `start` over `length` characters (UTF-16 units, like QLineEdit).
    void setSelection(int start, int length);
    void selectAll();
    void deselect();
    bool hasSelectedText() const { return m_anchor != m_cursor; }
    QString selectedText() const;

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

    // The input method's composition, shown at the caret and not part of text().
    const QString &preeditText() const { return m_preedit; }
    // Where the caret is drawn, in widget coordinates.
    QRect cursorRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void textChanged(const QString &text);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TypingLineAccessible;

    // Text and composition as drawn: the preedit sits at the caret.
    QString displayText() const;
    int displayIndex(int textIndex) const;
    // Measures the drawn text again from `firstChanged` on (a UTF-16 index of
    // the drawn text); the edges before it stay.
    void relayout(int firstChanged);
    // Replaces text [start, end) with `with`; the caret ends after it.
    void replaceRange(int start, int end, const QString &with);
    void moveCursor(int position, bool select);
    // Caret and selection anchor together; repaints what they leave and reach.
    void placeCursor(int cursor, int anchor);
    bool handleEditingKey(QKeyEvent *event);
    int wordEdge(int from, int direction) const; // the next word boundary that way
    bool isTypedText(const QKeyEvent *event) const;
    int positionAt(int x) const; // nearest character edge in the text
    int textLeft() const;        // x of the text's start, scroll included
    QRect textArea() const;      // where text is drawn: inside the frame and margins
    void measureTextArea();      // on resize and style change
    int baseline() const;
    qreal edgeX(int displayIndex) const;
    // The drawn text from x `from` to x `to` (widget coordinates).
    QRect spanRect(qreal from, qreal to) const;
    // Paints an edit now: what lay from the old caret (or the first changed
    // character) to the old or new end of the text.
    void showEdit(qreal oldCaret, qreal oldRight, int firstChanged);
    void keepCursorVisible();
    void showCursor(bool visible);
    void restartBlink();
    void stopBlink();
    void notifyChange(const QString &before);

    QString m_text;
    QString m_preedit;
    int m_cursor = 0;
    int m_anchor = 0;        // the selection's other end; equal to m_cursor without one
    bool m_readOnly = false;
    QFont m_drawFont;        // the widget's font without kerning: glyph edges add up
    CharacterGlyphs m_glyphs; // in m_drawFont
    QRect m_textArea;
    QVector<qreal> m_edges;  // x of each UTF-16 boundary of displayText(), from 0, on whole pixels
    QVector<qreal> m_exactEdges; // the same before rounding
    int m_scroll = 0;        // pixels of text scrolled off at the left
    bool m_cursorShown = false;
    int m_blinkTimer = 0;
    int m_blinksLeft = 0;    // the caret stops blinking (and waking the program) when idle
    bool m_selecting = false;
};
