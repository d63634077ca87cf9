#include "keyboard/ui/StatisticsPanel.h"

#include "data/Cues.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kRowHeight = 22;
constexpr int kRowGap = 14;
constexpr int kCaptionWidth = 76;

QLabel *Label(QWidget *parent, const QString &name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    label->setFont(font);
    return label;
}

QFrame *Frame(QWidget *parent, const QString &name, QRect geometry)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setAutoFillBackground(true);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: #f3f5f7; border: 1px solid #7d8691; }").arg(name));
    return frame;
}

QFrame *Bar(const QString &name, QFrame *frame, const QColor &colour)
{
    auto *bar = new QFrame(frame);
    bar->setObjectName(name);
    bar->setStyleSheet(QStringLiteral("QFrame#%1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                      "stop:0 %2, stop:1 %3); border: none; }")
                           .arg(name, colour.lighter(130).name(), colour.name()));
    bar->setGeometry(1, 1, 0, frame->height() - 2);
    return bar;
}
} // namespace

StatisticsPanel::StatisticsPanel(QWidget *parent, QPoint topLeft, const Captions &captions, const BarScale &scale)
    : m_scale(scale)
{
    const int x = topLeft.x(), y = topLeft.y();
    const int framePixels = int(std::lround(scale.accuracyFrame));
    const int textLeft = x + kCaptionWidth + framePixels + 10;
    const int y2 = y + kRowHeight + kRowGap;
    m_parts[0] = Label(parent, captions.accuracyName, captions.accuracy, QRect(x, y, kCaptionWidth, kRowHeight));
    m_parts[1] = Label(parent, captions.speedName, captions.speed, QRect(x, y2, kCaptionWidth, kRowHeight));
    m_accuracyFrame = Frame(parent, QStringLiteral("picto"), QRect(x + kCaptionWidth, y, framePixels, kRowHeight));
    m_speedFrame = Frame(parent, QStringLiteral("picTC"), QRect(x + kCaptionWidth, y2, framePixels, kRowHeight));
    m_accuracyBar = Bar(QStringLiteral("picCu"), m_accuracyFrame, QColor(0x2f, 0x8f, 0x4e));
    m_speedBar = Bar(QStringLiteral("picCD"), m_speedFrame, QColor(0x7a, 0x4f, 0xb8));
    m_accuracyText = Label(parent, QStringLiteral("lblJZ"), QString(), QRect(textLeft, y, 120, kRowHeight));
    m_speedText = Label(parent, QStringLiteral("lblCD"), QString(), QRect(textLeft, y2, 100, kRowHeight));
    m_keysPerSecondText =
        Label(parent, QStringLiteral("lblKeysPerSecond"), QString(), QRect(textLeft + 100, y2, 90, kRowHeight));
    // The figures read as their value, then what they are.
    m_accuracyText->setAccessibleDescription(captions.accuracy.trimmed());
    m_speedText->setAccessibleDescription(captions.speed.trimmed());
    m_parts[2] = m_accuracyFrame;
    m_parts[3] = m_speedFrame;
    m_parts[4] = m_accuracyBar;
    m_parts[5] = m_speedBar;
    m_parts[6] = m_accuracyText;
    m_parts[7] = m_speedText;
    m_parts[8] = m_keysPerSecondText;
    reset();
}


void StatisticsPanel::show(const StatisticsDisplay &display)
{
    // A bar never grows out of its frame.
    const auto fit = [](QFrame *bar, QFrame *frame, double width) {
        bar->resize(std::clamp(int(std::lround(width)), 0, frame->width() - 2), bar->height());
    };
    fit(m_accuracyBar, m_accuracyFrame, display.accuracyBarWidth);
    fit(m_speedBar, m_speedFrame, display.speedBarWidth);
    m_accuracyText->setText(display.accuracyText);
    m_speedText->setText(display.speedText);
    m_keysPerSecondText->setText(display.keysPerSecondText);
}

void StatisticsPanel::setVisible(bool visible)
{
    for (QWidget *part : m_parts)
        part->setVisible(visible);
}

void PlayDrillCue(CuePlayer &player, bool ok, bool pressFlag, bool errorFlag)
{
    if (ok ? pressFlag : errorFlag)
        player.play(ok ? Cue::Confirm : Cue::Error);
}
