#include "game/ui/RaceSettingsDialog.h"

#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "shell/ui/DialogButtons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char *const kMaterialCaptions[race::kMaterialCount] = {"英文字母",   "键名字",     "一级简码",  "二级简码86",
                                                              "二级简码98", "三级简码86", "三级简码98"};
}

RaceSettingsDialog::RaceSettingsDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("gtGameSet"));
    setWindowTitle(QStringLiteral("游戏设置"));
    setModal(true);

    auto *frame1 = new QGroupBox(QStringLiteral("选择游戏所用的文字"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *options = new QGridLayout(frame1);
    for (int i = 0; i < race::kMaterialCount; ++i) {
        materialButtons[std::size_t(i)] = new QRadioButton(QString::fromUtf8(kMaterialCaptions[i]), frame1);
        materialButtons[std::size_t(i)]->setObjectName(QStringLiteral("OpWz(%1)").arg(i));
        options->addWidget(materialButtons[std::size_t(i)], i == 0 ? 0 : (i + 1) / 2, i == 0 ? 0 : (i + 1) % 2);
        connect(materialButtons[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { chooseMaterial(i); });
    }

    secondsBox = new QLineEdit(QStringLiteral("60"), this);
    secondsBox->setObjectName(QStringLiteral("txtCou"));
    paceBox = new QLineEdit(QStringLiteral("10"), this);
    paceBox->setObjectName(QStringLiteral("txtSpeed"));
    auto *limits = new QGridLayout;
    limits->addWidget(new QLabel(QStringLiteral("游戏限时"), this), 0, 0);
    limits->addWidget(secondsBox, 0, 1);
    limits->addWidget(new QLabel(QStringLiteral("秒"), this), 0, 2);
    limits->addWidget(new QLabel(QStringLiteral("设置龟的速度："), this), 1, 0);
    limits->addWidget(paceBox, 1, 1);
    limits->addWidget(new QLabel(QStringLiteral("字/分"), this), 1, 2);
    for (QLineEdit *box : {secondsBox, paceBox})
        box->setMaximumWidth(90);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addLayout(limits);
    layout->addLayout(DialogButtonRow(this, QStringLiteral("设置"), QStringLiteral("cmdOk"), [this] { confirmSettings(); },
                                      [this] { cancel(); }));

    // On load:
    materialButtons[0]->setChecked(true);
    chooseMaterial(0);
}

void RaceSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
    // The length is what is changed most often: ready to be typed over.
    secondsBox->setFocus();
    secondsBox->selectAll();
}

void RaceSettingsDialog::chooseMaterial(int index)
{
    m_material = race::Material(index);
}

void RaceSettingsDialog::refuse(const QString &message, QLineEdit *box)
{
    QMessageBox::warning(this, QStringLiteral("错误"), message, QMessageBox::Ok);
    box->setFocus();
    box->selectAll();
}

void RaceSettingsDialog::confirmSettings()
{
    race::RaceSettings settings;
    const race::SettingsCheck check = race::CheckSettings(secondsBox->text(), paceBox->text(), &settings);
    if (check != race::SettingsCheck::Accepted) {
        const bool lengthBox = check == race::SettingsCheck::LengthNotNumeric
            || check == race::SettingsCheck::LengthOutOfRange;
        refuse(race::CheckMessage(check), lengthBox ? secondsBox : paceBox);
        return;
    }
    const QString pool = race::Pool(CodeTablesOf(m_ctx.state), m_material);
    if (pool.isEmpty()) {
        // Only the short codes can be missing: their code table was not read.
        QMessageBox::warning(this, QStringLiteral("错误"),
                             QStringLiteral("五笔码表没有读入，不能用这种文字赛跑，请选择其他文字"), QMessageBox::Ok);
        materialButtons[std::size_t(m_material)]->setFocus();
        return;
    }
    m_setup.material = m_material;
    m_setup.settings = settings;
    m_setup.pool = pool;
    m_setup.firstLine = race::NextLine(m_ctx.state, pool, m_material, true, m_ctx.random);
    accept();
}

void RaceSettingsDialog::cancel()
{
    reject();
}
