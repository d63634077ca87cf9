#include "shell/ui/CharacterMark.h"

#include <QTextEdit>

void MarkCharacter(QTextEdit *box, int position, int length, const QColor &background, const QColor &foreground)
{
    QList<QTextEdit::ExtraSelection> marks;
    if (position < length) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(box->document());
        mark.cursor.setPosition(position);
        mark.cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        mark.format.setBackground(background);
        mark.format.setForeground(foreground);
        marks << mark;
    }
    box->setExtraSelections(marks);
}
