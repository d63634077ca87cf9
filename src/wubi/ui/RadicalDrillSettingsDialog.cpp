#include "wubi/ui/RadicalDrillSettingsDialog.h"

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

RadicalDrillSettingsDialog::RadicalDrillSettingsDialog(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent)
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
        editionButtons[i] = new QRadioButton(editions[i], edition);
        editionButtons[i]->setObjectName(QStringLiteral("op(%1)").arg(i));
        editionRow->addWidget(editionButtons[i]);
    }
    editionButtons[0]->setChecked(true);
    // Each set of options in a group of its own: option buttons of one parent
    // would otherwise exclude those inside its frames too.
    auto *editions86or98 = new QButtonGroup(this);
    for (QRadioButton *option : editionButtons)
        editions86or98->addButton(option);

    auto *limits = new QGridLayout;
    const QString kinds[] = {QStringLiteral("定字数练习"), QStringLiteral("定时间练习")};
    const QString units[] = {QStringLiteral("字"), QStringLiteral("秒")};
    countLimitBox = new QLineEdit(QStringLiteral("60"), this);
    timeLimitBox = new QLineEdit(this);
    const std::array<QLineEdit *, 2> boxes{countLimitBox, timeLimitBox};
    for (int i = 0; i < 2; ++i) {
        limitKindButtons[i] = new QRadioButton(kinds[i], this);
        limitKindButtons[i]->setObjectName(QStringLiteral("opCh(%1)").arg(i));
        boxes[i]->setObjectName(i == 0 ? QStringLiteral("txtSetN") : QStringLiteral("txtSetT"));
        boxes[i]->setMaximumWidth(90);
        auto *unit = new QLabel(units[i], this);
        unit->setObjectName(i == 0 ? QStringLiteral("Label2") : QStringLiteral("Label3"));
        limits->addWidget(limitKindButtons[i], i, 0);
        limits->addWidget(boxes[i], i, 1);
        limits->addWidget(unit, i, 2);
        connect(limitKindButtons[i], &QRadioButton::clicked, this, [this, i] { chooseLimitKind(i); });
    }
    limitKindButtons[0]->setChecked(true);
    auto *limitKinds = new QButtonGroup(this);
    for (QRadioButton *option : limitKindButtons)
        limitKinds->addButton(option);
    timeLimitBox->setEnabled(false);

    auto *rangeRow = new QHBoxLayout;
    auto *rangeLabel = new QLabel(QStringLiteral("练习范围"), this);
    rangeLabel->setObjectName(QStringLiteral("Label1"));
    keyRangeBox = new QComboBox(this);
    keyRangeBox->setObjectName(QStringLiteral("Combo1"));
    keyRangeBox->addItems({QStringLiteral("全部"), QStringLiteral("自定义")});
    connect(keyRangeBox, &QComboBox::activated, this, [this] { chooseKeyRange(); });
    rangeRow->addWidget(rangeLabel);
    rangeRow->addWidget(keyRangeBox);
    rangeRow->addStretch(1);

    auto *keys = new QGroupBox(QStringLiteral("请选择练习范围"), this);
    keys->setObjectName(QStringLiteral("Frame2"));
    auto *keyGrid = new QGridLayout(keys);
    for (int i = 0; i < wubi::kKeyCount; ++i) {
        keyBoxes[i] = new QCheckBox(QString(QChar('A' + i)), keys);
        keyBoxes[i]->setObjectName(QStringLiteral("zgOP(%1)").arg(i));
        keyGrid->addWidget(keyBoxes[i], i / 5, i % 5);
    }

    applyButton = new QPushButton(QStringLiteral("设置"), this);
    applyButton->setObjectName(QStringLiteral("cmdSet"));
    applyButton->setDefault(true);
    connect(applyButton, &QPushButton::clicked, this, &RadicalDrillSettingsDialog::applySettings);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(edition);
    layout->addLayout(limits);
    layout->addLayout(rangeRow);
    layout->addWidget(keys);
    layout->addWidget(applyButton, 0, Qt::AlignHCenter);

    // On load:
    keyRangeBox->setCurrentIndex(0);
    chooseKeyRange();
}

void RadicalDrillSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
    countLimitBox->setFocus();
}

void RadicalDrillSettingsDialog::chooseLimitKind(int index)
{
    countLimitBox->setEnabled(index == 0);
    timeLimitBox->setEnabled(index == 1);
}

void RadicalDrillSettingsDialog::chooseKeyRange()
{
    const bool chosenKeys = keyRangeBox->currentIndex() == 1;
    for (QCheckBox *box : keyBoxes)
        box->setEnabled(chosenKeys);
}

// Everything is checked before anything is stored: a refused dialog leaves
// the settings, and so a running drill, as they were.
void RadicalDrillSettingsDialog::applySettings()
{
    const bool byTime = limitKindButtons[1]->isChecked();
    int value = 0;
    if (!ReadLimitBox(m_ctx, this, byTime ? timeLimitBox : countLimitBox,
                      byTime ? LimitKind::Seconds : LimitKind::Count, value))
        return;
    const bool allKeys = keyRangeBox->currentIndex() == 0;
    std::array<bool, wubi::kKeyCount> chosenKeys{};
    int ticked = 0;
    for (int i = 0; i < wubi::kKeyCount; ++i) {
        chosenKeys[std::size_t(i)] = keyBoxes[i]->isChecked();
        ticked += keyBoxes[i]->isChecked() ? 1 : 0;
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
    s.edition86 = editionButtons[0]->isChecked();
    s.allKeys = allKeys;
    if (!allKeys)
        s.chosenKeys = chosenKeys;
    accept();
}

void RadicalDrillSettingsDialog::done(int result)
{
    QDialog::done(result);
    // Closing the dialog clears the request; only a confirmation renews it.
    if (result == Accepted)
        m_settings.radicalsDrawn = 0;
    m_settings.drillRequested = result == Accepted;
}
