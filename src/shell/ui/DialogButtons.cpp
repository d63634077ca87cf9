#include "shell/ui/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout *DialogButtonRow(QDialog *dialog, const QString &okCaption, const QString &okName,
                             const std::function<void()> &onOk, const std::function<void()> &onCancel)
{
    auto *ok = new QPushButton(okCaption, dialog);
    ok->setObjectName(okName);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    QObject::connect(cancel, &QPushButton::clicked, dialog, onCancel);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
