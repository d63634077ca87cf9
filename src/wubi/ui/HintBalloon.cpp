#include "wubi/ui/HintBalloon.h"

#include "practice/PracticeState.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kBaseWidth = 275;
constexpr int kPhraseCharsInBase = 6;
constexpr int kWidthPerExtraChar = 8;

QLabel *makeLabel(QWidget *parent, const QString &name, int pointSize, bool bold = false,
                  const QString &family = QStringLiteral("宋体"))
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont font(family);
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}
} // namespace

HintBalloon::HintBalloon(PracticeState &state, QWidget *parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmShowHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xff, 0xfb, 0xe6));
    pal.setColor(QPalette::WindowText, QColor(0x22, 0x22, 0x22));
    setPalette(pal);

    titleLabel = makeLabel(this, QStringLiteral("CText"), 10, true);
    titleLabel->setAlignment(Qt::AlignCenter);
    characterLabel = makeLabel(this, QStringLiteral("SingleText"), 16);
    characterCodeLabel = makeLabel(this, QStringLiteral("SingleHint"), 14, true, QStringLiteral("DejaVu Sans Mono"));
    pinyinLabel = makeLabel(this, QStringLiteral("SinglePinyin"), 9);
    phraseLabel = makeLabel(this, QStringLiteral("MoreText"), 13);
    phraseCodeLabel = makeLabel(this, QStringLiteral("MoreHint"), 12, true, QStringLiteral("DejaVu Sans Mono"));
    for (QLabel *code : {characterCodeLabel, phraseCodeLabel}) {
        QPalette p = code->palette();
        p.setColor(QPalette::WindowText, QColor(0x1f, 0x4e, 0x9a));
        code->setPalette(p);
    }
    for (int i = 0; i < 4; ++i) {
        keyNameLabels[i] = makeLabel(this, QStringLiteral("imgDZ(%1)").arg(i), 9);
        radicalLabels[i] = makeLabel(this, QStringLiteral("imgZG(%1)").arg(i), 9);
    }
    for (QObject *child : children()) {
        child->installEventFilter(this);
        if (auto *label = qobject_cast<QWidget *>(child))
            label->setFocusPolicy(Qt::NoFocus);
    }
    m_state.hintShown = true;
}

HintBalloon::~HintBalloon() { m_state.hintShown = false; }

int HintBalloon::widthFor(const QString &phrase)
{
    const int extra = std::max(0, int(phrase.size()) - kPhraseCharsInBase);
    return kBaseWidth + extra * kWidthPerExtraChar;
}

void HintBalloon::showHint(bool is86, const QString &character, const QString &characterCode,
                           const QString &phrase, const QString &phraseCode, const QPoint &topLeft)
{
    resize(widthFor(phrase), kHeight);
    titleLabel->setText(is86 ? QStringLiteral("五笔86版打法提示") : QStringLiteral("五笔98版打法提示"));
    for (int i = 0; i < 4; ++i) {
        keyNameLabels[i]->clear();
        radicalLabels[i]->clear();
    }
    move(topLeft);
    m_pressed = m_dragging = false;
    characterLabel->setText(character);
    characterCodeLabel->setText(characterCode);
    pinyinLabel->clear();
    phraseLabel->setText(phrase);
    phraseCodeLabel->setText(phraseCode);
    layoutRows();
    show();
    raise();
    update();
}

void HintBalloon::setPinyin(const QString &pinyin) { pinyinLabel->setText(pinyin); }

void HintBalloon::layoutRows()
{
    const int w = width();
    titleLabel->setGeometry(4, 6, w - 8, 22);
    characterLabel->setGeometry(14, 34, 40, 34);
    characterCodeLabel->setGeometry(60, 30, 90, 28);
    pinyinLabel->setGeometry(60, 58, 90, 14);
    phraseLabel->setGeometry(14, 74, w - 110, 30);
    phraseCodeLabel->setGeometry(w - 90, 74, 78, 30);
    phraseCodeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < 4; ++i) {
        keyNameLabels[i]->setGeometry(w - 110 + i * 24, 38, 22, 22);
        radicalLabels[i]->setGeometry(w - 110 + i * 24, 104, 22, 8);
    }
}

bool HintBalloon::handleMouse(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_pressed = true;
            m_dragging = false;
            m_pressedAt = e->globalPosition().toPoint();
            m_grabOffset = m_pressedAt - (parentWidget() ? parentWidget()->mapToGlobal(pos()) : pos());
        }
        return true;
    }
    case QEvent::MouseMove: {
        // Dragging by any part of the balloon moves the whole balloon.
        auto *e = static_cast<QMouseEvent *>(event);
        if (!m_pressed || !(e->buttons() & Qt::LeftButton))
            return true;
        const QPoint global = e->globalPosition().toPoint();
        if ((global - m_pressedAt).manhattanLength() >= QApplication::startDragDistance())
            m_dragging = true;
        if (m_dragging)
            moveToGlobal(global - m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton)
            return true;
        const bool click = m_pressed && !m_dragging;
        m_pressed = m_dragging = false;
        if (click)
            closeOnClick();
        return true;
    }
    default:
        return false;
    }
}

void HintBalloon::moveToGlobal(const QPoint &global)
{
    QWidget *parent = parentWidget();
    if (!parent) {
        move(global);
        return;
    }
    const QPoint wanted = parent->mapFromGlobal(global);
    move(std::clamp(wanted.x(), 0, std::max(0, parent->width() - width())),
         std::clamp(wanted.y(), 0, std::max(0, parent->height() - height())));
}

bool HintBalloon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this && handleMouse(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void HintBalloon::mousePressEvent(QMouseEvent *event) { handleMouse(event); }
void HintBalloon::mouseMoveEvent(QMouseEvent *event) { handleMouse(event); }
void HintBalloon::mouseReleaseEvent(QMouseEvent *event) { handleMouse(event); }

void HintBalloon::paintEvent(QPaintEvent *)
{
    // One-pixel frame just inside the client area, and a rule under the title.
    QPainter p(this);
    p.setPen(QColor(0x8a, 0x7a, 0x40));
    p.drawRect(1, 1, width() - 3, height() - 3);
    p.setPen(QColor(0xd8, 0xcc, 0x9a));
    p.drawLine(8, 30, width() - 9, 30);
    p.drawLine(8, 70, width() - 9, 70);
}
