#include "app/ui/StatusStrip.h"

#include "app/ui/Artwork.h"
#include "shell/ui/PictureScale.h"
#include "practice/PracticeState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

QString StatusStateText(bool ready)
{
    return ready ? QStringLiteral("就绪") : QStringLiteral("未就绪");
}

StatusStrip::StatusStrip(PracticeState &state, QWidget *parent)
    : QWidget(parent), m_state(state), m_lblLib(new QLabel(this)), m_lblState(new QLabel(this)),
      m_lblWubi(new QLabel(this))
{
    setObjectName(QStringLiteral("frmBase"));
    m_lblLib->setObjectName(QStringLiteral("lblLib"));
    m_lblState->setObjectName(QStringLiteral("lblState"));
    QFont font(artwork::songFamily());
    font.setPointSize(10);
    for (QLabel *label : {m_lblLib, m_lblState}) {
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: #1f3b5c;"));
    }
    // Quiet: a lighter colour than the message line.
    m_lblWubi->setObjectName(QStringLiteral("lblWubi"));
    m_lblWubi->setFont(font);
    m_lblWubi->setStyleSheet(QStringLiteral("color: #6f8aa6;"));
    m_lblWubi->setTextFormat(Qt::PlainText);
    m_lblWubi->hide();
    m_lblState->setText(StatusStateText(false));
    m_lblState->setMinimumWidth(48);
    m_lblState->setTextFormat(Qt::PlainText);
    m_lblState->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 10, 0);
    row->addWidget(m_lblLib, 1);
    row->addWidget(m_lblWubi);
    row->addSpacing(8);
    auto *divider = new QLabel(this);
    divider->setFixedWidth(1);
    divider->setStyleSheet(QStringLiteral("background: #9db6cf;"));
    row->addWidget(divider);
    row->addWidget(m_lblState);
    m_state.window(ManagedWindow::BaseForm).shown = true;
    m_state.window(ManagedWindow::BaseForm).hiddenWithMain = false;
}

StatusStrip::~StatusStrip()
{
    m_state.window(ManagedWindow::BaseForm).shown = false;
}

void StatusStrip::setMessage(const QString &text)
{
    m_lblLib->setText(text);
}

void StatusStrip::setReady(bool ready)
{
    m_lblState->setText(StatusStateText(ready));
}

void StatusStrip::setComposerText(const QString &text)
{
    m_lblWubi->setText(text);
    m_lblWubi->setVisible(!text.isEmpty());
}

QString StatusStrip::composerText() const
{
    return m_lblWubi->text();
}

QString StatusStrip::message() const
{
    return m_lblLib->text();
}

QString StatusStrip::stateText() const
{
    return m_lblState->text();
}

void StatusStrip::paintEvent(QPaintEvent *)
{
    if (!PaintedFor(m_background, size(), devicePixelRatioF()))
        m_background = artwork::statusBackground(size(), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_background);
}
