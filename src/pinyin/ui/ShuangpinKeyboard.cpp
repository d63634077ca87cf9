#include "pinyin/ui/ShuangpinKeyboard.h"

#include "shell/ui/SongFont.h"

#include <QPainter>

namespace {
// The letter rows of the main keyboard and how far each row is indented, in key widths.
const char *const kRows[] = {"qwertyuiop", "asdfghjkl;", "zxcvbnm"};
const double kIndent[] = {0.0, 0.25, 0.75};
constexpr double kGap = 4.0;
const QColor kInitialColour(0xb0, 0x1c, 0x1c);
const QColor kFinalColour(0x12, 0x38, 0x5c);
const QColor kLetterColour(0x6a, 0x7c, 0x8e);
} // namespace

ShuangpinKeyboard::ShuangpinKeyboard(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("shuangpinKeyboard"));
}

void ShuangpinKeyboard::setChart(const ShuangpinChart &chart)
{
    m_keys = chart.keys();
    m_highlighted.clear();
    update();
}

void ShuangpinKeyboard::setHighlighted(const QString &keys)
{
    m_highlighted = keys;
    update();
}

QRectF ShuangpinKeyboard::capRect(int row, int column) const
{
    const double width = (this->width() - kGap) / 10.6;
    const double height = (this->height() - kGap) / 3.0;
    return {kGap + (kIndent[row] + column) * width, kGap + row * height, width - kGap, height - kGap};
}

void ShuangpinKeyboard::paintCap(QPainter &p, const QRectF &rect, QChar key) const
{
    const bool lit = m_highlighted.contains(key);
    p.setPen(QColor(0x5b, 0x8d, 0xbf));
    p.setBrush(lit ? QColor(0xff, 0xe0, 0x8a) : QColor(0xfb, 0xfd, 0xff));
    p.drawRoundedRect(rect, 5, 5);

    const QRectF inner = rect.adjusted(5, 3, -4, -3);
    QFont letterFont = font();
    letterFont.setPixelSize(int(rect.height() / 5));
    letterFont.setBold(true);
    p.setFont(letterFont);
    p.setPen(kLetterColour);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString(key.toUpper()));

    const ShuangpinKeyLabels labels = m_keys.value(key);
    QStringList initials = labels.initials;
    initials.removeAll(QString(key));
    QFont labelFont = font();
    labelFont.setPixelSize(qMax(10, int(rect.height() / 6.5)));
    labelFont.setBold(true);
    p.setFont(labelFont);
    p.setPen(kInitialColour);
    p.drawText(inner, Qt::AlignRight | Qt::AlignTop, initials.join(QLatin1Char(' ')));

    labelFont.setBold(false);
    p.setFont(labelFont);
    p.setPen(kFinalColour);
    const QRectF finals = inner.adjusted(0, rect.height() / 4.2, 0, 0);
    p.drawText(finals, Qt::AlignLeft | Qt::AlignTop, labels.finals.join(QLatin1Char('\n')));
}

void ShuangpinKeyboard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < 3; ++row) {
        const QString keys = QLatin1String(kRows[row]);
        for (int column = 0; column < keys.size(); ++column)
            paintCap(p, capRect(row, column), keys.at(column));
    }
}
