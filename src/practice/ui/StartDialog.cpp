#include "practice/ui/StartDialog.h"


#include "shell/AppContext.h"
#include "shell/PracticeRun.h"
#include "practice/PracticeState.h"
#include "practice/ui/PracticeWindow.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/WindowSystem.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
// Where the dialog sits: right of and below the run panel's top-left corner.
const QPoint kOffsetFromRunPanel(200, 133);

// Takes every press and wheel turn on the main window while the dialog, shown
// inside it, waits for Enter: the dialog stays as modal as a window of its own.
class InputShield : public QWidget {
public:
    explicit InputShield(QWidget *host) : QWidget(host) { setGeometry(host->rect()); }

protected:
    bool event(QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            e->accept();
            return true;
        default:
            return QWidget::event(e);
        }
    }
};

// The outline: the ellipse with the corners (4, 23) and (400, 200).
const QRect kEllipse(4, 23, 396, 177);

void DrawKeyCap(QPainter &p, const QRectF &cap)
{
    p.setPen(QPen(QColor(0x5a, 0x66, 0x78), 1.5));
    QLinearGradient face(cap.topLeft(), cap.bottomLeft());
    face.setColorAt(0, QColor(0xfd, 0xfd, 0xfd));
    face.setColorAt(1, QColor(0xd4, 0xda, 0xe3));
    p.setBrush(face);
    p.drawRoundedRect(cap, 7, 7);
    p.setPen(QPen(QColor(0xb8, 0xc0, 0xcc), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(cap.adjusted(4, 3, -4, -6), 5, 5);

    QFont keyFont = p.font();
    keyFont.setBold(true);
    keyFont.setPointSize(13);
    p.setFont(keyFont);
    p.setPen(QColor(0x2c, 0x3e, 0x50));
    p.drawText(cap.adjusted(0, 0, -14, -4), Qt::AlignCenter, QStringLiteral("Enter"));
    // The return arrow on the key.
    const qreal x = cap.right() - 16, y = cap.center().y() - 2;
    QPainterPath arrow;
    arrow.moveTo(x, y - 9);
    arrow.lineTo(x, y);
    arrow.lineTo(x - 10, y);
    p.setPen(QPen(QColor(0x2c, 0x3e, 0x50), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(arrow);
    p.drawLine(QPointF(x - 10, y), QPointF(x - 6, y - 4));
    p.drawLine(QPointF(x - 10, y), QPointF(x - 6, y + 4));
}
} // namespace

StartDialog::StartDialog(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ctx(ctx)
{
    setObjectName(QStringLiteral("StartDialog"));
    setWindowTitle(QStringLiteral("准备开始"));
    setModal(true);
    setFixedSize(404, 204);
    setMask(QRegion(kEllipse, QRegion::Ellipse));
    if (parent && !WindowSystemPlacesWindows())
        setParent(parent->window(), Qt::Widget);
    MakeAccessibleButton(this, QStringLiteral("准备开始"), QStringLiteral("按回车键开始练习，计时随即开始"));
    m_ctx.state.startDialogShown = true;
}

StartDialog::~StartDialog()
{
    m_ctx.state.startDialogShown = false;
}

void StartDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    placeBesideStatusWindow();
    if (!isWindow()) {
        m_shield = new InputShield(parentWidget());
        m_shield->show();
        raise();
    }
    activateWindow();
    setFocus();
}

void StartDialog::hideEvent(QHideEvent *event)
{
    delete m_shield.data();
    QDialog::hideEvent(event);
}

bool StartDialog::focusNextPrevChild(bool)
{
    return true; // Tab does not lead out of the dialog: only Enter does
}

void StartDialog::placeBesideStatusWindow()
{
    QWidget *state = m_ctx.shell ? m_ctx.shell->window(ManagedWindow::RunPanel) : nullptr;
    if (!isWindow()) {
        const QPoint spot = state && parentWidget()->isAncestorOf(state)
                                ? state->mapTo(parentWidget(), QPoint(0, 0)) + kOffsetFromRunPanel
                                  : QPoint((parentWidget()->width() - width()) / 2, (parentWidget()->height() - height()) / 2);
        move(spot);
    } else if (state)
        move(state->mapToGlobal(QPoint(0, 0)) + kOffsetFromRunPanel);
    else if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
}

void StartDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(kEllipse.center(), kEllipse.width() / 2.0);
    glow.setColorAt(0, QColor(0xf4, 0xf9, 0xff));
    glow.setColorAt(0.7, QColor(0xc9, 0xde, 0xf5));
    glow.setColorAt(1, QColor(0x7f, 0xa8, 0xd8));
    p.setPen(QPen(QColor(0x3d, 0x6e, 0xa8), 3));
    p.setBrush(glow);
    p.drawEllipse(QRectF(kEllipse).adjusted(1.5, 1.5, -1.5, -1.5));

    QFont titleFont(QStringLiteral("宋体"));
    titleFont.setPointSize(15);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(QColor(0x1d, 0x3f, 0x6e));
    p.drawText(QRect(kEllipse.left(), kEllipse.top() + 26, kEllipse.width(), 30), Qt::AlignCenter,
               QStringLiteral("准备好了吗？"));

    DrawKeyCap(p, QRectF(kEllipse.center().x() - 58, kEllipse.top() + 66, 116, 46));

    QFont hintFont(QStringLiteral("宋体"));
    hintFont.setPointSize(11);
    p.setFont(hintFont);
    p.setPen(QColor(0x33, 0x4a, 0x66));
    p.drawText(QRect(kEllipse.left(), kEllipse.top() + 122, kEllipse.width(), 24), Qt::AlignCenter,
               QStringLiteral("按回车键开始练习，计时随即开始"));
}

void StartDialog::keyPressEvent(QKeyEvent *event)
{
    startOnEnter(event->key());
    // Escape and every other key are ignored: the run starts only on Enter.
}

void StartDialog::startOnEnter(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    const PracticeState &s = m_ctx.state;
    // The waiting prompt has done its job; cleared first, so a note the
    // start itself leaves (a progress database that cannot be opened) stays.
    if (m_ctx.shell)
        m_ctx.shell->setStatusMessage(QString());
    // A new run counts from nothing, whatever the last one left.
    if (m_ctx.practiceRun)
        m_ctx.practiceRun->startRun();
    accept();
    if (!m_ctx.shell)
        return;
    for (ManagedWindow which : {ManagedWindow::FreeInputWindow, ManagedWindow::TextPracticeWindow, ManagedWindow::LinePracticeWindow}) {
        if (!s.shown(which))
            continue;
        if (auto *w = dynamic_cast<PracticeWindow *>(m_ctx.shell->window(which)))
            w->beginRun();
        return;
    }
}
