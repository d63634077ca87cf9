#include "app/ui/StatusStrip.h"

#include "app/ui/Artwork.h"
#include "shell/ui/PictureScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

QString StatusStateText(bool ready)
{
    return ready ? QStringLiteral("就绪") : QStringLiteral("未就绪");
}

StatusStrip::StatusStrip(QWidget *parent)
    : QWidget(parent), m_tableLabel(new QLabel(this)), m_stateLabel(new QLabel(this)),
      m_wubiLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("frmBase"));
    m_tableLabel->setObjectName(QStringLiteral("lblLib"));
    m_stateLabel->setObjectName(QStringLiteral("lblState"));
    QFont font(artwork::songFamily());
    font.setPointSize(10);
    for (QLabel *label : {m_tableLabel, m_stateLabel}) {
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: #1f3b5c;"));
    }
    // Quiet: a lighter colour than the message line.
    m_wubiLabel->setObjectName(QStringLiteral("lblWubi"));
    m_wubiLabel->setFont(font);
    m_wubiLabel->setStyleSheet(QStringLiteral("color: #6f8aa6;"));
    m_wubiLabel->setTextFormat(Qt::PlainText);
    m_wubiLabel->hide();
    m_stateLabel->setText(StatusStateText(false));
    m_stateLabel->setMinimumWidth(48);
    m_stateLabel->setTextFormat(Qt::PlainText);
    m_stateLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 10, 0);
    row->addWidget(m_tableLabel, 1);
    row->addWidget(m_wubiLabel);
    row->addSpacing(8);
    auto *divider = new QLabel(this);
    divider->setFixedWidth(1);
    divider->setStyleSheet(QStringLiteral("background: #9db6cf;"));
    row->addWidget(divider);
    row->addWidget(m_stateLabel);
}

StatusStrip::~StatusStrip() {}

void StatusStrip::setMessage(const QString &text)
{
    m_tableLabel->setText(text);
}

void StatusStrip::setReady(bool ready)
{
    m_stateLabel->setText(StatusStateText(ready));
}

void StatusStrip::setComposerText(const QString &text)
{
    m_wubiLabel->setText(text);
    m_wubiLabel->setVisible(!text.isEmpty());
}

QString StatusStrip::composerText() const
{
    return m_wubiLabel->text();
}

QString StatusStrip::message() const
{
    return m_tableLabel->text();
}

QString StatusStrip::stateText() const
{
    return m_stateLabel->text();
}

void StatusStrip::paintEvent(QPaintEvent *)
{
    if (!PaintedFor(m_background, size(), devicePixelRatioF()))
        m_background = artwork::statusBackground(size(), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_background);
}
