#include "practice/ui/RunLimitsDialog.h"

#include "shell/ui/LimitBox.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "practice/Statistics.h"
#include "shell/ui/DialogButtons.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QColor kIdleBoxColour(0x80, 0xff, 0xff); // &HFFFF80 (BGR)

void SetBoxColour(QLineEdit *box, const QColor &colour)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colour);
    box->setPalette(pal);
}
} // namespace

RunLimitsDialog::RunLimitsDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmStartSet"));
    setWindowTitle(QStringLiteral("定量练习设置"));
    setModal(true);

    PracticeState &s = m_ctx.state;
    s.charsGenerated = 0;
    s.charBudget = 0;
    s.timeLimitSeconds = 0;

    auto *heading = new QLabel(QStringLiteral("定量练习设置"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 2);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);

    const char *captions[] = {"定字数", "定时间", "无限制"};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        limitKindButtons[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        limitKindButtons[i]->setObjectName(QStringLiteral("op(%1)").arg(i));
        grid->addWidget(limitKindButtons[i], i, 0);
        connect(limitKindButtons[i], &QRadioButton::clicked, this, [this, i] { chooseLimitKind(i); });
    }
    countLimitBox = new QLineEdit(this);
    countLimitBox->setObjectName(QStringLiteral("txtSetN"));
    timeLimitBox = new QLineEdit(this);
    timeLimitBox->setObjectName(QStringLiteral("txtSetT"));
    for (QLineEdit *box : {countLimitBox, timeLimitBox}) {
        box->setMaximumWidth(90);
        box->installEventFilter(this);
        SetBoxColour(box, kIdleBoxColour);
    }
    grid->addWidget(countLimitBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("字"), this), 0, 2);
    grid->addWidget(timeLimitBox, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("秒"), this), 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(DialogButtonRow(this, QStringLiteral("设置"), QStringLiteral("cmdOK"), [this] { confirmLimits(); },
                                      [this] { cancel(); }));

    limitKindButtons[0]->setChecked(true);
    chooseLimitKind(0);
}

void RunLimitsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
    countLimitBox->setFocus();
}

void RunLimitsDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(1, 1, -2, -2)); // one pixel inside the edge
}

bool RunLimitsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == countLimitBox || watched == timeLimitBox)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        SetBoxColour(static_cast<QLineEdit *>(watched),
                     event->type() == QEvent::FocusIn ? QColor(Qt::white) : kIdleBoxColour);
    return QDialog::eventFilter(watched, event);
}

void RunLimitsDialog::chooseLimitKind(int index)
{
    countLimitBox->setEnabled(index == 0);
    timeLimitBox->setEnabled(index == 1);
}

void RunLimitsDialog::confirmLimits()
{
    PracticeState &s = m_ctx.state;
    if (limitKindButtons[0]->isChecked()) {
        int value = 0;
        if (!ReadLimitBox(m_ctx, this, countLimitBox, LimitKind::Count, value))
            return;
        s.charBudget = value;
        finish(false, false);
        return;
    }
    const int defaultBudget = s.lettersOnlyDrill ? 240 : 120;
    if (limitKindButtons[1]->isChecked()) {
        int value = 0;
        if (!ReadLimitBox(m_ctx, this, timeLimitBox, LimitKind::Seconds, value))
            return;
        s.timeLimitSeconds = value;
        s.charBudget = defaultBudget;
        finish(true, false);
        return;
    }
    s.charBudget = defaultBudget;
    finish(false, true);
}

void RunLimitsDialog::finish(bool timeLimited, bool unlimited)
{
    m_ctx.state.timeLimited = timeLimited;
    m_ctx.state.unlimitedRun = unlimited;
    m_ctx.state.runLimitsCancelled = false;
    accept();
}

void RunLimitsDialog::cancel()
{
    reject();
}

void RunLimitsDialog::reject()
{
    m_ctx.state.runLimitsCancelled = true;
    m_ctx.state.generatedDrill = true; // keeps the start button disabled
    QDialog::reject();
}
