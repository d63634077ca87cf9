#include "wubi/ui/RadicalDrillSet.h"

#include "shell/ui/LimitBox.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "wubi/RadicalDrill.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

RadicalDrillSet::RadicalDrillSet(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_settings(settings)
{
    setObjectName(QStringLiteral("ZGExSet"));
    setWindowTitle(QStringLiteral("字根练习设置"));
    setModal(true);

    auto *edition = new QGroupBox(QStringLiteral("字根表版本"), this);
    edition->setObjectName(QStringLiteral("Frame1"));
    auto *editionRow = new QHBoxLayout(edition);
    const QString editions[] = {QStringLiteral("86"), QStringLiteral("98")};
    for (int i = 0; i < 2; ++i) {
        op[i] = new QRadioButton(editions[i], edition);
        op[i]->setObjectName(QStringLiteral("op(%1)").arg(i));
        editionRow->addWidget(op[i]);
    }
    op[0]->setChecked(true);
    // Each set of options in a group of its own: option buttons of one parent
    // would otherwise exclude those inside its frames too.
    auto *editions86or98 = new QButtonGroup(this);
    for (QRadioButton *option : op)
        editions86or98->addButton(option);

    auto *limits = new QGridLayout;
    const QString kinds[] = {QStringLiteral("定字数练习"), QStringLiteral("定时间练习")};
    const QString units[] = {QStringLiteral("字"), QStringLiteral("秒")};
    txtSetN = new QLineEdit(QStringLiteral("60"), this);
    txtSetT = new QLineEdit(this);
    const std::array<QLineEdit *, 2> boxes{txtSetN, txtSetT};
    for (int i = 0; i < 2; ++i) {
        opCh[i] = new QRadioButton(kinds[i], this);
        opCh[i]->setObjectName(QStringLiteral("opCh(%1)").arg(i));
        boxes[i]->setObjectName(i == 0 ? QStringLiteral("txtSetN") : QStringLiteral("txtSetT"));
        boxes[i]->setMaximumWidth(90);
        auto *unit = new QLabel(units[i], this);
        unit->setObjectName(i == 0 ? QStringLiteral("Label2") : QStringLiteral("Label3"));
        limits->addWidget(opCh[i], i, 0);
        limits->addWidget(boxes[i], i, 1);
        limits->addWidget(unit, i, 2);
        connect(opCh[i], &QRadioButton::clicked, this, [this, i] { opCh_Click(i); });
    }
    opCh[0]->setChecked(true);
    auto *limitKinds = new QButtonGroup(this);
    for (QRadioButton *option : opCh)
        limitKinds->addButton(option);
    txtSetT->setEnabled(false);

    auto *rangeRow = new QHBoxLayout;
    auto *rangeLabel = new QLabel(QStringLiteral("练习范围"), this);
    rangeLabel->setObjectName(QStringLiteral("Label1"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({QStringLiteral("全部"), QStringLiteral("自定义")});
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    rangeRow->addWidget(rangeLabel);
    rangeRow->addWidget(Combo1);
    rangeRow->addStretch(1);

    auto *keys = new QGroupBox(QStringLiteral("请选择练习范围"), this);
    keys->setObjectName(QStringLiteral("Frame2"));
    auto *keyGrid = new QGridLayout(keys);
    for (int i = 0; i < wubi::kKeyCount; ++i) {
        zgOP[i] = new QCheckBox(QString(QChar('A' + i)), keys);
        zgOP[i]->setObjectName(QStringLiteral("zgOP(%1)").arg(i));
        keyGrid->addWidget(zgOP[i], i / 5, i % 5);
    }

    cmdSet = new QPushButton(QStringLiteral("设置"), this);
    cmdSet->setObjectName(QStringLiteral("cmdSet"));
    cmdSet->setDefault(true);
    connect(cmdSet, &QPushButton::clicked, this, &RadicalDrillSet::cmdSet_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(edition);
    layout->addLayout(limits);
    layout->addLayout(rangeRow);
    layout->addWidget(keys);
    layout->addWidget(cmdSet, 0, Qt::AlignHCenter);

    // Form_Load
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

void RadicalDrillSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
    txtSetN->setFocus();
}

void RadicalDrillSet::opCh_Click(int index)
{
    txtSetN->setEnabled(index == 0);
    txtSetT->setEnabled(index == 1);
}

void RadicalDrillSet::Combo1_Click()
{
    const bool chosenKeys = Combo1->currentIndex() == 1;
    for (QCheckBox *box : zgOP)
        box->setEnabled(chosenKeys);
}

// Everything is checked before anything is stored: a refused dialog leaves
// the settings, and so a running drill, as they were.
void RadicalDrillSet::cmdSet_Click()
{
    const bool byTime = opCh[1]->isChecked();
    int value = 0;
    if (!ReadLimitBox(m_ctx, this, byTime ? txtSetT : txtSetN,
                      byTime ? LimitKind::Seconds : LimitKind::Count, value))
        return;
    const bool allKeys = Combo1->currentIndex() == 0;
    std::array<bool, wubi::kKeyCount> chosenKeys{};
    int ticked = 0;
    for (int i = 0; i < wubi::kKeyCount; ++i) {
        chosenKeys[std::size_t(i)] = zgOP[i]->isChecked();
        ticked += zgOP[i]->isChecked() ? 1 : 0;
    }
    if (!allKeys && ticked < 2) {
        const QString title = m_ctx.shell ? m_ctx.shell->mainWindow()->windowTitle() : windowTitle();
        QMessageBox(QMessageBox::NoIcon, title, QStringLiteral("自定义练习范围时，你至少要选中两项！"), QMessageBox::Ok,
                    this)
            .exec();
        return;
    }

    wubi::RadicalDrillSettings &s = m_settings;
    s.radicalsDrawn = 0;
    s.timeLimited = byTime;
    if (byTime) {
        s.radicalLimit = wubi::kBoardCells;
        s.timeLimit = value;
    } else {
        s.radicalLimit = value;
    }
    s.edition86 = op[0]->isChecked();
    s.allKeys = allKeys;
    if (!allKeys)
        s.chosenKeys = chosenKeys;
    accept();
}

void RadicalDrillSet::done(int result)
{
    QDialog::done(result);
    // Closing the dialog clears the request; only a confirmation renews it.
    if (result == Accepted)
        m_settings.radicalsDrawn = 0;
    m_settings.drillRequested = result == Accepted;
}
