#pragma once
// One reference line of the line-by-line window: read-only text with a
// one-character selection (the character to type next, shown only on the
// active line) and an error mark per character. Characters are code points,
// so a character outside the BMP is one character.
#include "shell/ui/CharacterGlyphs.h"

#include <QString>
#include <QVector>
#include <QWidget>

class ReferenceLine : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceLine(QWidget *parent = nullptr);

    // New text: marks cleared, selection at the first character.
    void setText(const QString &text);
    const QString &text() const { return m_text; }
    int charCount() const { return m_starts.size(); }
    QString charAt(int index) const; // empty outside the text
    // Index of the character that starts `count` characters into the text.
    QString charsFrom(int index, int count) const;

    // Selection of one character at `start` (empty text when past the end).
    void select(int start);
    int selectionStart() const { return m_selStart; }
    QString selectedText() const { return charAt(m_selStart); }
    void setSelectionVisible(bool visible);
    bool selectionVisible() const { return m_selVisible; }

    // Phrase drills: every other phrase gets a light tint, so the learner
    // sees where each starts. `starts` are character indices, ascending; the
    // text and what is judged stay as they are. New text has no tints.
    void setPhraseStarts(const QVector<int> &starts);
    bool isTinted(int index) const;

    // Toned pinyin over each character (one entry per character; empty
    // entries show nothing); an empty list shows none. A character is given
    // the width of its pinyin when that is wider, so each reading sits over
    // its own character. New text has none.
    void setReadings(const QStringList &readings);
    const QStringList &readings() const { return m_readings; }
    // Where the pinyin over character `index` is drawn; empty without one.
    QRect readingRect(int index) const;

    void setMark(int index, bool on);
    bool isMarked(int index) const;
    int markCount() const;

    // Writable only while the program places text; the learner never edits it.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    QSize sizeHint() const override;

signals:
    void selectionChanged();
    // The character to type next: the selected one while the selection is
    // shown, else empty. Screen readers learn it through the input line.
    void nextCharacterChanged(const QString &character);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void layOutCharacters();
    void announceNextCharacter();
    // The x of character `index` (of the end, at charCount()). Characters are
    // measured only as far as asked, so a line of millions of characters
    // costs only what is shown.
    int leftOf(int index) const;
    void keepSelectionInView();
    QRect charRect(int index) const;
    QFont readingFont() const;
    int readingBandHeight() const; // 0 without readings

    QString m_text;
    QVector<int> m_starts;         // UTF-16 offset of each character
    mutable QVector<int> m_lefts;  // x of the characters measured so far
    QVector<bool> m_marks;
    QVector<bool> m_tints;
    QStringList m_readings;
    int m_selStart = 0;
    int m_scroll = 0; // pixels scrolled to the left when the line is wider than the box
    bool m_selVisible = false;
    bool m_readOnly = true;
    QString m_announced; // the next character as last announced
    CharacterGlyphs m_glyphs; // in the widget's font
};
