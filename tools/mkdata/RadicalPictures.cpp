// The radical drill's pictures: one picture per radical under data/piczg/
// (scrambled PNG, transparent, so the drill's cell colour shows through) and
// the drill's background data/pic/zgpic.jpg.
//
// A picture's name is the answer key, an edition mark ("8" Wubi 86 only, "9"
// Wubi 98 only, "0" both) and the radical's code points, so names stay the
// same from build to build. A row whose drawn stand-in would be typed with
// another key is drawn from its compose recipe, or left out of the drill for
// that edition.
#include "Output.h"
#include "Radicals.h"
#include "Steps.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSet>

namespace {

// One cell of the drill board.
constexpr int kPictureWidth = 32;
constexpr int kPictureHeight = 44;
constexpr int kGlyphPixels = 26;

// The drill window's size and board (RadicalDrillWindow).
constexpr int kBackWidth = 710;
constexpr int kBackHeight = 445;
constexpr int kBoardLeft = 28;
constexpr int kBoardTop = 79;
constexpr int kRowStep = 88;
constexpr int kColumns = 20;

bool safeIn(const RadicalRow &row, bool edition86)
{
    return row.appliesTo(edition86) && (!row.drillUnsafe(edition86) || !row.compose.isEmpty());
}

QString pictureName(const RadicalRow &row)
{
    const bool in86 = safeIn(row, true);
    const bool in98 = safeIn(row, false);
    if (!in86 && !in98)
        return {};
    const QChar edition = in86 && in98 ? QLatin1Char('0') : in86 ? QLatin1Char('8') : QLatin1Char('9');
    QStringList points;
    for (uint cp : row.text.toUcs4())
        points << QString::number(cp, 16).toUpper();
    return QString(row.key) + edition + QLatin1Char('_') + points.join(QLatin1Char('_')) + QStringLiteral(".dz");
}

QImage renderPicture(const RadicalRow &row)
{
    QImage image = DenseImage(kPictureWidth, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x10, 0x10, 0x10));
    DrawRadicalFitted(p, QRectF(0, 0, kPictureWidth, kPictureHeight), row, CjkFont(kGlyphPixels));
    p.end();
    return image;
}

QImage renderBackground()
{
    QImage image = DenseImage(kBackWidth, kBackHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kBackHeight);
    sky.setColorAt(0, QColor(0xdf, 0xea, 0xf7));
    sky.setColorAt(1, QColor(0xf6, 0xf1, 0xe4));
    p.fillRect(QRect(0, 0, kBackWidth, kBackHeight), sky);

    p.setFont(CjkFont(26, true));
    p.setPen(QColor(0x2b, 0x4c, 0x7e));
    p.drawText(QRectF(kBoardLeft, 16, 300, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("字根练习"));
    p.setFont(CjkFont(13));
    p.setPen(QColor(0x55, 0x5f, 0x6e));
    p.drawText(QRectF(kBoardLeft + 124, 16, 330, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("按下每个字根所在的键；Alt+字母看字根卡"));

    // A pale tray behind each row of the board.
    for (int row = 0; row < 4; ++row) {
        QPainterPath tray;
        tray.addRoundedRect(QRectF(kBoardLeft - 6, kBoardTop + row * kRowStep - 6,
                                   kColumns * kPictureWidth + 12, kPictureHeight + 12), 8, 8);
        p.fillPath(tray, QColor(255, 255, 255, 150));
        p.setPen(QPen(QColor(0x9d, 0xb3, 0xcf), 1));
        p.drawPath(tray);
    }
    p.end();
    return image;
}

} // namespace

bool BuildRadicalPictures(const QString &assets, const QString &out, QString *error)
{
    QList<RadicalRow> rows;
    if (!ReadRadicalRows(assets, &rows, error))
        return false;
    // Pictures of radicals that left the list must not stay in the drill.
    QDir folder(out + QStringLiteral("/data/piczg"));
    if (folder.exists() && !folder.removeRecursively()) {
        *error = QStringLiteral("cannot empty %1").arg(folder.path());
        return false;
    }
    QSet<QString> names;
    for (const RadicalRow &row : rows) {
        const QString name = pictureName(row);
        if (name.isEmpty())
            continue;
        if (names.contains(name)) {
            *error = QStringLiteral("two radical pictures named %1").arg(name);
            return false;
        }
        names.insert(name);
        if (!WriteImage(folder.filePath(name), renderPicture(row), "PNG", true, error))
            return false;
    }
    return WriteImage(out + QStringLiteral("/data/pic/zgpic.jpg"), renderBackground(), "JPEG", false, error);
}
