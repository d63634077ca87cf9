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

    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(artwork::emblem(64, devicePixelRatioF()));
    picIcon->setFixedSize(64, 64);

    QFont titleFont(artwork::songFamily());
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    auto *lblTitle = new QLabel(QStringLiteral("Quorvel"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(titleFont);
    QFont textFont(artwork::songFamily());
    textFont.setPointSize(10);
    auto *lblVersion = new QLabel(QStringLiteral("版本：1.41"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(textFont);
    auto *lblPurpose = new QLabel(QStringLiteral("指法、英文、五笔与文章打字练习"), this);
    lblPurpose->setFont(textFont);
    // The program's licence, whose text ships in the help folder.
    auto *label1 = new QLabel(QStringLiteral("自由软件，依照<a href=\"%1\">GNU 通用公共许可证</a>第 3 版或更新版本发布")
                                  .arg(QUrl::fromLocalFile(ctx.paths.data(QStringLiteral("help/COPYING"))).toString()),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(textFont);
    label1->setTextFormat(Qt::RichText);
    label1->setOpenExternalLinks(true);

    auto *cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdSysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblPurpose);
    texts->addSpacing(8);
    texts->addWidget(label1);
    auto *top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(18, 18, 18, 14);
    all->addLayout(top);
    all->addSpacing(14);
    all->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));

    if (ctx.shell)
        ctx.shell->centreDialog(this);
}

void AboutBox::cmdOK_Click()
{
    accept();
}

void AboutBox::cmdSysInfo_Click()
{
    const QString tool = FindSystemInfoTool();
    if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
        return;
    QMessageBox::information(this, QStringLiteral("Quorvel"), QStringLiteral("此时系统信息不可用"));
}
