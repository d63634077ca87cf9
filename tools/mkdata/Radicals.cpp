#include "Radicals.h"

#include "Output.h"
#include "data/Scramble.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>

bool RadicalRow::appliesTo(bool edition86) const
{
    return edition == QLatin1String("both") || edition == (edition86 ? QLatin1String("86") : QLatin1String("98"));
}

bool RadicalRow::isKeyName(bool edition86) const
{
    return tags.contains(QLatin1String("KEYNAME"))
        || tags.contains(edition86 ? QLatin1String("KEYNAME86") : QLatin1String("KEYNAME98"));
}

bool RadicalRow::drillUnsafe(bool edition86) const
{
    return tags.contains(edition86 ? QLatin1String("DRILL-UNSAFE86") : QLatin1String("DRILL-UNSAFE98"));
}

bool ReadTsv(const QString &path, QList<QStringList> *rows, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    in.readLine(); // header
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            rows->append(line.split(QLatin1Char('\t')));
    }
    return true;
}

bool ReadRadicalRows(const QString &assets, QList<RadicalRow> *rows, QString *error)
{
    QList<QStringList> lines;
    const QString path = assets + QStringLiteral("/wubi/radicals.tsv");
    if (!ReadTsv(path, &lines, error))
        return false;
    for (const QStringList &line : lines) {
        if (line.size() < 6 || line[0].size() != 1 || line[0][0] < QLatin1Char('A') || line[0][0] > QLatin1Char('Y')) {
            *error = QStringLiteral("%1: bad row \"%2\"").arg(path, line.join(QLatin1Char('\t')));
            return false;
        }
        const QStringList notes = line[5].split(QLatin1Char(';'));
        RadicalRow row{line[0][0], line[1], line[2], {}, {}};
        if (notes.size() > 1)
            row.tags = notes[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &note : notes) {
            const qsizetype at = note.indexOf(QLatin1String("compose="));
            if (at >= 0)
                row.compose = note.mid(at + 8).section(QLatin1Char(' '), 0, 0).trimmed();
        }
        rows->append(row);
    }
    return true;
}

QList<RadicalRow> KeyRadicals(const QList<RadicalRow> &rows, QChar key, bool edition86)
{
    QList<RadicalRow> result;
    for (const RadicalRow &row : rows)
        if (row.key == key && row.appliesTo(edition86))
            result.append(row);
    const auto keyName = std::find_if(result.begin(), result.end(),
                                      [&](const RadicalRow &r) { return r.isKeyName(edition86); });
    if (keyName != result.end())
        result.move(int(keyName - result.begin()), 0);
    return result;
}

QFont CjkFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("BabelStone Han")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

namespace {

// The outline of `text` on an em square at the origin.
QPainterPath glyphPath(const QString &text, const QFont &font)
{
    QPainterPath path;
    path.addText(QPointF(0, QFontMetricsF(font).ascent()), font, text);
    return path;
}

// The outline of an IDS recipe of two parts; empty when it is not one.
QPainterPath composedPath(const QString &recipe, const QFont &font)
{
    const QList<uint> parts = recipe.toUcs4();
    if (parts.size() != 3)
        return {};
    const char32_t firstPart = parts[1], secondPart = parts[2];
    const QPainterPath first = glyphPath(QString::fromUcs4(&firstPart, 1), font);
    const QPainterPath second = glyphPath(QString::fromUcs4(&secondPart, 1), font);
    const qreal em = font.pixelSize();
    QTransform firstPlace, secondPlace;
    switch (parts[0]) {
    case 0x2FFB: // ⿻ overlay
        break;
    case 0x2FF1: // ⿱ stacked: each part in its half of the em square
        firstPlace.scale(1, 0.5);
        secondPlace.translate(0, em * 0.5).scale(1, 0.5);
        break;
    case 0x2FF0: // ⿰ side by side
        firstPlace.scale(0.5, 1);
        secondPlace.translate(em * 0.5, 0).scale(0.5, 1);
        break;
    default:
        return {};
    }
    return firstPlace.map(first) + secondPlace.map(second);
}

} // namespace

void DrawRadicalFitted(QPainter &p, const QRectF &cell, const RadicalRow &row, const QFont &font)
{
    QPainterPath path = row.compose.isEmpty() ? QPainterPath() : composedPath(row.compose, font);
    if (path.isEmpty()) {
        path = glyphPath(row.text, font);
        if (row.text.toUcs4().size() > 1)
            path = QTransform::fromScale(0.6, 1).map(path);
    }
    const QRectF box = path.boundingRect();
    if (box.width() <= 0 && box.height() <= 0)
        return;
    const qreal margin = std::max<qreal>(1.5, cell.height() * 0.06);
    const qreal room = std::min((cell.width() - 2 * margin) / std::max<qreal>(box.width(), 1),
                                (cell.height() - 2 * margin) / std::max<qreal>(box.height(), 1));
    const qreal scale = std::min<qreal>(1, room);
    QTransform place;
    place.translate(cell.center().x(), cell.center().y()).scale(scale, scale).translate(-box.center().x(), -box.center().y());
    p.save();
    const QColor ink = p.pen().color();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(place.map(path));
    p.restore();
}

bool WriteImage(const QString &path, const QImage &image, const char *format, bool scrambled, QString *error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int quality = qstrcmp(format, "JPEG") == 0 ? 90 : -1;
    if (!image.save(&buffer, format, quality)) {
        *error = QStringLiteral("cannot encode %1").arg(path);
        return false;
    }
    return WriteOutputFile(path, scrambled ? UnscrambleBytes(bytes) : bytes, error);
}
