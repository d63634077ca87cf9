#include "shell/ui/LimitBox.h"

#include "practice/Statistics.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"

#include <QLineEdit>
#include <QMessageBox>

namespace {
QString ProgramTitle(const AppContext &ctx)
{
    return ctx.shell && ctx.shell->mainWindow() ? ctx.shell->mainWindow()->windowTitle()
                                                : QStringLiteral("QuorvelV1.41");
}
} // namespace

bool ReadLimitBox(const AppContext &ctx, QWidget *dialog, QLineEdit *box, LimitKind kind, int &value)
{
    const StartNumber number = ReadStartNumber(box->text());
    switch (number.check) {
    case StartNumberCheck::Accepted:
        value = number.value;
        return true;
    case StartNumberCheck::Empty:
        QMessageBox::information(dialog, ProgramTitle(ctx),
                                 kind == LimitKind::Count ? QStringLiteral("请先填写要练习的字数！")
                                                          : QStringLiteral("请先填写要练习的秒数！"));
        box->setFocus();
        return false;
    case StartNumberCheck::NotNumeric:
        QMessageBox::question(dialog, ProgramTitle(ctx), QStringLiteral("你必须输入数字"), QMessageBox::StandardButtons(QMessageBox::Ok));
        break;
    case StartNumberCheck::OutOfRange:
        QMessageBox::question(dialog, ProgramTitle(ctx), QStringLiteral("你输入的数字太大或太小了！"),
                              QMessageBox::StandardButtons(QMessageBox::Ok));
        break;
    }
    box->setFocus();
    box->selectAll();
    return false;
}
