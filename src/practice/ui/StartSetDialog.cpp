#include "practice/ui/StartSetDialog.h"

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

StartSetDialog::StartSetDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
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
        op[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        op[i]->setObjectName(QStringLiteral("op(%1)").arg(i));
        grid->addWidget(op[i], i, 0);
        connect(op[i], &QRadioButton::clicked, this, [this, i] { op_Click(i); });
    }
    txtSetN = new QLineEdit(this);
    txtSetN->setObjectName(QStringLiteral("txtSetN"));
    txtSetT = new QLineEdit(this);
    txtSetT->setObjectName(QStringLiteral("txtSetT"));
    for (QLineEdit *box : {txtSetN, txtSetT}) {
        box->setMaximumWidth(90);
        box->installEventFilter(this);
        SetBoxColour(box, kIdleBoxColour);
    }
    grid->addWidget(txtSetN, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("字"), this), 0, 2);
    grid->addWidget(txtSetT, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("秒"), this), 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(DialogButtonRow(this, QStringLiteral("设置"), QStringLiteral("cmdOK"), [this] { cmdOK_Click(); },
                                      [this] { cmdCancel_Click(); }));

    op[0]->setChecked(true);
    op_Click(0);
}

void StartSetDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
    txtSetN->setFocus();
}

void StartSetDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(1, 1, -2, -2)); // one pixel inside the edge
}

bool StartSetDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == txtSetN || watched == txtSetT)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        SetBoxColour(static_cast<QLineEdit *>(watched),
                     event->type() == QEvent::FocusIn ? QColor(Qt::white) : kIdleBoxColour);
    return QDialog::eventFilter(watched, event);
}

void StartSetDialog::op_Click(int index)
{
    txtSetN->setEnabled(index == 0);
    txtSetT->setEnabled(index == 1);
}

void StartSetDialog::cmdOK_Click()
{
    PracticeState &s = m_ctx.state;
    if (op[0]->isChecked()) {
        int value = 0;
        if (!ReadLimitBox(m_ctx, this, txtSetN, LimitKind::Count, value))
            return;
        s.charBudget = value;
        finish(false, false);
        return;
    }
    const int defaultBudget = s.lettersOnlyDrill ? 240 : 120;
    if (op[1]->isChecked()) {
        int value = 0;
        if (!ReadLimitBox(m_ctx, this, txtSetT, LimitKind::Seconds, value))
            return;
        s.timeLimitSeconds = value;
        s.charBudget = defaultBudget;
        finish(true, false);
        return;
    }
    s.charBudget = defaultBudget;
    finish(false, true);
}

void StartSetDialog::finish(bool timeLimited, bool unlimited)
{
    m_ctx.state.timeLimited = timeLimited;
    m_ctx.state.unlimitedRun = unlimited;
    m_ctx.state.startSetCancelled = false;
    accept();
}

void StartSetDialog::cmdCancel_Click()
{
    reject();
}

void StartSetDialog::reject()
{
    m_ctx.state.startSetCancelled = true;
    m_ctx.state.generatedDrill = true; // keeps the start button disabled
    m_ctx.state.runStarted = false;
    QDialog::reject();
}
