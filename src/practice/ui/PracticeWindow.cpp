#include "practice/ui/PracticeWindow.h"

#include <QEvent>
#include <QPlainTextEdit>

void ShowWaitingForStart(Shell &shell, bool choosesText)
{
    shell.setStatusMessage(choosesText ? QStringLiteral("请点击左边的 ▶ 按钮，选好对照文本后按回车键开始练习")
                                       : QStringLiteral("请点击左边的 ▶ 按钮，然后按回车键开始自由录入"));
}

void ResumeTyping(QPlainTextEdit *box)
{
    box->setReadOnly(false);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
}

void ApplyPointSize(std::initializer_list<QWidget *> boxes, int size)
{
    if (size == 0)
        return;
    for (QWidget *box : boxes) {
        QFont font = box->font();
        font.setPointSize(size);
        box->setFont(font);
    }
}

void ForwardFocus(const QEvent *event, const std::function<void()> &gotFocus,
                  const std::function<void()> &lostFocus)
{
    if (event->type() == QEvent::FocusIn)
        gotFocus();
    else if (event->type() == QEvent::FocusOut)
        lostFocus();
}
