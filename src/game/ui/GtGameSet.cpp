#include "game/ui/GtGameSet.h"

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

GtGameSet::GtGameSet(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("gtGameSet"));
    setWindowTitle(QStringLiteral("游戏设置"));
    setModal(true);

    auto *frame1 = new QGroupBox(QStringLiteral("选择游戏所用的文字"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *options = new QGridLayout(frame1);
    for (int i = 0; i < race::kMaterialCount; ++i) {
        OpWz[std::size_t(i)] = new QRadioButton(QString::fromUtf8(kMaterialCaptions[i]), frame1);
        OpWz[std::size_t(i)]->setObjectName(QStringLiteral("OpWz(%1)").arg(i));
        options->addWidget(OpWz[std::size_t(i)], i == 0 ? 0 : (i + 1) / 2, i == 0 ? 0 : (i + 1) % 2);
        connect(OpWz[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { OpWz_Click(i); });
    }

    txtCou = new QLineEdit(QStringLiteral("60"), this);
    txtCou->setObjectName(QStringLiteral("txtCou"));
    txtSpeed = new QLineEdit(QStringLiteral("10"), this);
    txtSpeed->setObjectName(QStringLiteral("txtSpeed"));
    auto *limits = new QGridLayout;
    limits->addWidget(new QLabel(QStringLiteral("游戏限时"), this), 0, 0);
    limits->addWidget(txtCou, 0, 1);
    limits->addWidget(new QLabel(QStringLiteral("秒"), this), 0, 2);
    limits->addWidget(new QLabel(QStringLiteral("设置龟的速度："), this), 1, 0);
    limits->addWidget(txtSpeed, 1, 1);
    limits->addWidget(new QLabel(QStringLiteral("字/分"), this), 1, 2);
    for (QLineEdit *box : {txtCou, txtSpeed})
        box->setMaximumWidth(90);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addLayout(limits);
    layout->addLayout(DialogButtonRow(this, QStringLiteral("设置"), QStringLiteral("cmdOk"), [this] { cmdOK_Click(); },
                                      [this] { cmdCancel_Click(); }));

    // Form_Load
    OpWz[0]->setChecked(true);
    OpWz_Click(0);
}

void GtGameSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
    // The length is what is changed most often: ready to be typed over.
    txtCou->setFocus();
    txtCou->selectAll();
}

void GtGameSet::OpWz_Click(int index)
{
    m_material = race::Material(index);
}

void GtGameSet::refuse(const QString &message, QLineEdit *box)
{
    QMessageBox::warning(this, QStringLiteral("错误"), message, QMessageBox::Ok);
    box->setFocus();
    box->selectAll();
}

void GtGameSet::cmdOK_Click()
{
    race::RaceSettings settings;
    const race::SettingsCheck check = race::CheckSettings(txtCou->text(), txtSpeed->text(), &settings);
    if (check != race::SettingsCheck::Accepted) {
        const bool lengthBox = check == race::SettingsCheck::LengthNotNumeric
            || check == race::SettingsCheck::LengthOutOfRange;
        refuse(race::CheckMessage(check), lengthBox ? txtCou : txtSpeed);
        return;
    }
    const QString pool = race::Pool(m_ctx.state.tables, m_material);
    if (pool.isEmpty()) {
        // Only the short codes can be missing: their code table was not read.
        QMessageBox::warning(this, QStringLiteral("错误"),
                             QStringLiteral("五笔码表没有读入，不能用这种文字赛跑，请选择其他文字"), QMessageBox::Ok);
        OpWz[std::size_t(m_material)]->setFocus();
        return;
    }
    m_setup.material = m_material;
    m_setup.settings = settings;
    m_setup.pool = pool;
    m_setup.firstLine = race::NextLine(m_ctx.state, pool, m_material, true, m_ctx.random);
    accept();
}

void GtGameSet::cmdCancel_Click()
{
    reject();
}
