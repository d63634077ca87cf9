#include "app/ui/AboutBox.h"

#include "shell/AppContext.h"
#include "app/ui/Artwork.h"
#include "shell/Shell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

QString FindSystemInfoTool()
{
    for (const char *name : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
                             "lshw-gtk", "xfce4-taskmanager", "lxtask"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

AboutBox::AboutBox(AppContext &ctx, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于Quorvel"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(artwork::emblem(64, devicePixelRatioF()));
    icon->setFixedSize(64, 64);

    QFont titleFont(artwork::songFamily());
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    auto *titleLabel = new QLabel(QStringLiteral("Quorvel"), this);
    titleLabel->setObjectName(QStringLiteral("lblTitle"));
    titleLabel->setFont(titleFont);
    QFont textFont(artwork::songFamily());
    textFont.setPointSize(10);
    auto *versionLabel = new QLabel(QStringLiteral("版本：1.41"), this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    versionLabel->setFont(textFont);
    auto *purposeLabel = new QLabel(QStringLiteral("指法、英文、五笔与文章打字练习"), this);
    purposeLabel->setFont(textFont);
    // The program's licence, whose text ships in the help folder.
    auto *label1 = new QLabel(QStringLiteral("自由软件，依照<a href=\"%1\">GNU 通用公共许可证</a>第 3 版或更新版本发布")
                                  .arg(QUrl::fromLocalFile(ctx.paths.data(QStringLiteral("help/COPYING"))).toString()),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(textFont);
    label1->setTextFormat(Qt::RichText);
    label1->setOpenExternalLinks(true);

    auto *okButton = new QPushButton(QStringLiteral("确定"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);
    auto *systemInfoButton = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    systemInfoButton->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(okButton, &QPushButton::clicked, this, &AboutBox::closeBox);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutBox::openSystemInfo);

    auto *texts = new QVBoxLayout;
    texts->addWidget(titleLabel);
    texts->addWidget(versionLabel);
    texts->addWidget(purposeLabel);
    texts->addSpacing(8);
    texts->addWidget(label1);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(systemInfoButton);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(18, 18, 18, 14);
    all->addLayout(top);
    all->addSpacing(14);
    all->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));

    if (ctx.shell)
        ctx.shell->centreDialog(this);
}

void AboutBox::closeBox()
{
    accept();
}

void AboutBox::openSystemInfo()
{
    const QString tool = FindSystemInfoTool();
    if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
        return;
    QMessageBox::information(this, QStringLiteral("Quorvel"), QStringLiteral("此时系统信息不可用"));
}
