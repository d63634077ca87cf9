#pragma once
// The character to type next, marked in a reference box: a coloured
// selection of one character that leaves the box's own cursor alone.
#include <QColor>

class QTextEdit;

// Marks position `position` of the box's text; at or past `length` nothing
// is marked.
void MarkCharacter(QTextEdit *box, int position, int length, const QColor &background, const QColor &foreground);
