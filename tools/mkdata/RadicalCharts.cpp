// The radical charts data/keyb86.dz and data/keyb98.dz: a keyboard with the
// radicals of every letter key, its key-name radical large, in the five
// stroke zones' colours; stored scrambled as PNG. The chart fills the chart
// drill's window (710 x 445 pixels), whose text boxes cover its top band.
#include "Radicals.h"
#include "Steps.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kWidth = 710;
constexpr int kHeight = 445;
constexpr int kKeyboardTop = 96;
constexpr int kKeyWidth = 68;
constexpr int kKeyHeight = 112;
constexpr int kKeyGap = 3;
constexpr int kRowGap = 4;
constexpr int kKeyHeader = 36;   // letter, zone code and key-name radical

const char *const kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
const int kRowIndent[] = {2, 20, 44};

// Zone (1 横 .. 5 折) and position of a letter key, as in the key's area code.
QString areaCode(char key)
{
    static const char *const zones[] = {"GFDSA", "HJKLM", "TREWQ", "YUIOP", "NBVCX"};
    for (int zone = 0; zone < 5; ++zone)
        if (const char *at = std::strchr(zones[zone], key))
            return QString::number((zone + 1) * 10 + int(at - zones[zone]) + 1);
    return {};
}

QColor zoneColour(const QString &code)
{
    static const QColor tints[] = {QColor(0xfd, 0xe8, 0xe4), QColor(0xe6, 0xf3, 0xe3), QColor(0xe4, 0xec, 0xfa),
                                   QColor(0xfb, 0xf3, 0xd9), QColor(0xef, 0xe6, 0xf7)};
    return code.isEmpty() ? QColor(0xee, 0xee, 0xee) : tints[code[0].digitValue() - 1];
}

void drawKey(QPainter &p, const QRectF &box, char key, const QList<RadicalRow> &radicals)
{
    const QString code = areaCode(key);
    QPainterPath shape;
    shape.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.fillPath(shape, zoneColour(code));
    p.setPen(QPen(QColor(0x7a, 0x86, 0x99), 1));
    p.drawPath(shape);

    QFont letter(QStringLiteral("DejaVu Sans"));
    letter.setPixelSize(13);
    letter.setBold(true);
    p.setFont(letter);
    p.setPen(QColor(0x33, 0x3d, 0x4d));
    p.drawText(box.adjusted(5, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString(QLatin1Char(key)));
    letter.setBold(false);
    letter.setPixelSize(10);
    p.setFont(letter);
    p.setPen(QColor(0x6b, 0x74, 0x82));
    p.drawText(box.adjusted(0, 3, -5, 0), Qt::AlignRight | Qt::AlignTop, code);

    if (radicals.isEmpty()) { // Z: the learning key
        p.setFont(CjkFont(13));
        p.drawText(box, Qt::AlignCenter, QStringLiteral("学习键"));
        return;
    }
    // The key-name radical, large and red.
    p.setPen(QColor(0xc0, 0x1f, 0x1f));
    DrawRadicalFitted(p, QRectF(box.left() + 18, box.top() + 2, box.width() - 36, kKeyHeader - 2), radicals.first(),
                      CjkFont(30, true));

    // The other radicals in lines of three, or four on the crowded keys.
    const int others = int(radicals.size()) - 1;
    const int columns = others <= 9 ? 3 : 4;
    const int lines = (others + columns - 1) / columns;
    const qreal cellWidth = (box.width() - 6) / columns;
    const qreal cellHeight = std::min<qreal>(24, (box.height() - kKeyHeader - 4) / std::max(lines, 1));
    p.setPen(QColor(0x1a, 0x1a, 0x1a));
    for (int slot = 0; slot < others; ++slot) {
        const QRectF cell(box.left() + 3 + (slot % columns) * cellWidth,
                          box.top() + kKeyHeader + (slot / columns) * cellHeight, cellWidth, cellHeight);
        DrawRadicalFitted(p, cell, radicals[slot + 1], CjkFont(columns == 3 ? 20 : 16));
    }
}

QImage renderChart(const QList<RadicalRow> &rows, bool edition86)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(0xf4, 0xf6, 0xf9));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, kWidth, kKeyboardTop - 4), QColor(0xe3, 0xe9, 0xf2));

    for (int r = 0; r < 3; ++r) {
        const char *letters = kRows[r];
        for (int i = 0; letters[i]; ++i) {
            const QRectF box(kRowIndent[r] + i * (kKeyWidth + kKeyGap), kKeyboardTop + r * (kKeyHeight + kRowGap),
                             kKeyWidth, kKeyHeight);
            drawKey(p, box, letters[i], KeyRadicals(rows, QLatin1Char(letters[i]), edition86));
        }
    }

    // Title in the free end of the bottom row.
    const qreal left = kRowIndent[2] + 7 * (kKeyWidth + kKeyGap) + 8;
    const QRectF title(left, kKeyboardTop + 2 * (kKeyHeight + kRowGap), kWidth - left - 6, kKeyHeight);
    p.setFont(CjkFont(20, true));
    p.setPen(QColor(0x2b, 0x4c, 0x7e));
    p.drawText(title.adjusted(0, 14, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
               edition86 ? QStringLiteral("五笔86版字根表") : QStringLiteral("五笔98版字根表"));
    p.setFont(CjkFont(12));
    p.setPen(QColor(0x55, 0x5f, 0x6e));
    p.drawText(title.adjusted(0, 50, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("红字为键名字根\n横 竖 撇 捺 折 五区各一色"));
    p.end();
    return image;
}

} // namespace

bool BuildRadicalCharts(const QString &assets, const QString &out, QString *error)
{
    QList<RadicalRow> rows;
    if (!ReadRadicalRows(assets, &rows, error))
        return false;
    for (bool edition86 : {true, false}) {
        const QString path = out + (edition86 ? QStringLiteral("/data/keyb86.dz") : QStringLiteral("/data/keyb98.dz"));
        if (!WriteImage(path, renderChart(rows, edition86), "PNG", true, error))
            return false;
    }
    return true;
}
