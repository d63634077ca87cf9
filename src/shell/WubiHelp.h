#pragma once
// Hints and radical cards as the line-by-line window asks for them.
class QWidget;
class QString;

class WubiHelp {
public:
    virtual ~WubiHelp() = default;
    // F5 (edition86) / F6 on the highlighted character `pos` of reference line
    // `line` (0..3) of the line-by-line window `window`, whose input line is
    // `inputLine`. Does nothing when the character has no entry.
    virtual void hintKey(bool edition86, const QString &referenceLine, int pos, int line,
                         QWidget *window, QWidget *inputLine) = 0;
    // Alt / Ctrl+Alt with a letter A..Y: the radical card, modal.
    virtual void showRadicalCard(int keyCode, bool edition86) = 0;
    // Typing goes on: close the balloon when it is shown.
    virtual void closeHint() = 0;
};
