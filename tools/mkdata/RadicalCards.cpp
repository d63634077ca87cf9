// Radical cards: one picture per key (A..Y) and edition, data/zgcard/b65.cr ..
// b89.cr (Wubi 86) and j65.cr .. j89.cr (Wubi 98), drawn from the radical and
// mnemonic lists and stored scrambled as PNG.
#include "Output.h"
#include "Steps.h"

#include "data/Scramble.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>

namespace {

struct Radical {
    QString text;
    QStringList tags;
};

struct KeyCard {
    QChar key;
    bool edition86;
    QList<Radical> radicals; // key name first
    QString verse;
};

constexpr int kWidth = 260;
constexpr int kHeader = 72;
constexpr int kColumns = 5;
constexpr int kCellWidth = 48;
constexpr int kCellHeight = 40;
constexpr int kMargin = 10;
constexpr int kFooter = 26; // the line that says how to close the card

// Noto covers all but four Extension B radicals, which BabelStone Han draws.
QFont cjkFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("BabelStone Han")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool readTsv(const QString &path, QList<QStringList> *rows, QString *error)
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

bool appliesTo(const QString &edition, bool edition86)
{
    return edition == QLatin1String("both") || edition == (edition86 ? QLatin1String("86") : QLatin1String("98"));
}

bool isKeyName(const Radical &r, bool edition86)
{
    return r.tags.contains(QLatin1String("KEYNAME"))
        || r.tags.contains(edition86 ? QLatin1String("KEYNAME86") : QLatin1String("KEYNAME98"));
}

bool loadCards(const QString &assets, QList<KeyCard> *cards, QString *error)
{
    QList<QStringList> radicalRows, verseRows;
    if (!readTsv(assets + QStringLiteral("/wubi/radicals.tsv"), &radicalRows, error)
        || !readTsv(assets + QStringLiteral("/wubi/mnemonics.tsv"), &verseRows, error))
        return false;

    QHash<QString, QString> verses; // "G86" -> verse
    for (const QStringList &row : verseRows)
        if (row.size() >= 3)
            verses.insert(row[0] + row[1], row[2]);

    for (char letter = 'A'; letter <= 'Y'; ++letter) {
        for (bool edition86 : {true, false}) {
            KeyCard card{QLatin1Char(letter), edition86, {}, {}};
            for (const QStringList &row : radicalRows) {
                if (row.size() < 6 || row[0] != QLatin1String(QByteArray(1, letter))
                    || !appliesTo(row[1], edition86))
                    continue;
                const QString tags = row[5].section(QLatin1Char(';'), 1, 1).trimmed();
                card.radicals.append({row[2], tags.split(QLatin1Char(' '), Qt::SkipEmptyParts)});
            }
            const auto keyName = std::find_if(card.radicals.begin(), card.radicals.end(),
                                              [&](const Radical &r) { return isKeyName(r, edition86); });
            if (keyName == card.radicals.end()) {
                *error = QStringLiteral("no key name for %1 in edition %2").arg(letter).arg(edition86 ? 86 : 98);
                return false;
            }
            card.radicals.move(int(keyName - card.radicals.begin()), 0);
            card.verse = verses.value(QString(QLatin1Char(letter)) + (edition86 ? "86" : "98"));
            cards->append(card);
        }
    }
    return true;
}

// Draws `text` centred in `cell` by its ink, not by the font's line box, and
// shrinks it to fit: tall glyphs such as 龶 reach above the ascent and would be
// cut off at the top. A pair of code points (四竖, 两撇) is squeezed side by
// side into the one cell.
void drawRadical(QPainter &p, const QRectF &cell, const QString &text, qreal inset = 3)
{
    QPainterPath glyphs;
    glyphs.addText(0, 0, p.font(), text);
    const QRectF ink = glyphs.boundingRect();
    if (ink.isEmpty())
        return;
    const qreal squeeze = text.toUcs4().size() < 2 ? 1.0 : 0.6;
    const QRectF room = cell.adjusted(inset, inset, -inset, -inset);
    const qreal scale = std::min({1.0, room.width() / (ink.width() * squeeze), room.height() / ink.height()});
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(cell.center());
    p.scale(scale * squeeze, scale);
    p.translate(-ink.center());
    p.fillPath(glyphs, p.pen().color());
    p.restore();
}

QImage renderCard(const KeyCard &card)
{
    const QColor accent = card.edition86 ? QColor(0x2b, 0x5c, 0xa8) : QColor(0x2e, 0x7d, 0x46);
    const QColor band = card.edition86 ? QColor(0xe6, 0xef, 0xfb) : QColor(0xe7, 0xf5, 0xe9);
    const QColor ink(0x22, 0x22, 0x22);

    // The card is as tall as its grid and verse need.
    const int rows = int((card.radicals.size() + kColumns - 1) / kColumns);
    const int gridTop = kHeader + 8;
    const int verseTop = gridTop + rows * kCellHeight + 8;
    const QFont verseFont = cjkFont(16);
    const QRect verseBox = QFontMetrics(verseFont).boundingRect(
        QRect(kMargin, verseTop, kWidth - 2 * kMargin, 1000), Qt::AlignLeft | Qt::TextWordWrap, card.verse);
    const int footerTop = verseBox.bottom() + 10;
    const int height = footerTop + kFooter;

    QImage image(kWidth, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.fillRect(QRect(0, 0, kWidth, kHeader), band);
    p.setPen(QPen(accent, 1));
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, height - 1));

    // Key letter in a badge.
    QPainterPath badge;
    badge.addRoundedRect(QRectF(kMargin, 10, 52, 52), 8, 8);
    p.fillPath(badge, accent);
    QFont letterFont(QStringLiteral("DejaVu Sans"));
    letterFont.setPixelSize(34);
    letterFont.setBold(true);
    p.setFont(letterFont);
    p.setPen(Qt::white);
    p.drawText(QRectF(kMargin, 10, 52, 52), Qt::AlignCenter, QString(card.key));

    // Key-name radical, large.
    p.setFont(cjkFont(54));
    p.setPen(ink);
    drawRadical(p, QRectF(72, 2, 70, 68), card.radicals.first().text);

    p.setFont(cjkFont(15, true));
    p.setPen(accent);
    p.drawText(QRectF(150, 12, kWidth - 160, 22), Qt::AlignRight | Qt::AlignVCenter,
               card.edition86 ? QStringLiteral("五笔86版") : QStringLiteral("五笔98版"));
    p.setFont(cjkFont(13));
    p.setPen(ink);
    p.drawText(QRectF(150, 38, kWidth - 160, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1 个字根").arg(card.radicals.size()));

    // Every radical of the key, in a grid.
    p.setFont(cjkFont(28));
    for (int i = 0; i < card.radicals.size(); ++i) {
        const QRectF cell(kMargin + (i % kColumns) * kCellWidth, gridTop + (i / kColumns) * kCellHeight,
                          kCellWidth, kCellHeight);
        p.setPen(QPen(QColor(0xd6, 0xd6, 0xd6), 1));
        p.drawRect(cell.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(i == 0 ? accent : ink);
        drawRadical(p, cell, card.radicals[i].text);
    }

    // The mnemonic verse.
    p.setFont(verseFont);
    p.setPen(QColor(0x33, 0x33, 0x33));
    p.drawText(QRect(kMargin, verseTop, kWidth - 2 * kMargin, verseBox.height() + 4),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, card.verse);

    // How to close the card, on the card itself.
    p.setPen(QPen(QColor(0xe0, 0xe0, 0xe0), 1));
    p.drawLine(QPointF(kMargin, footerTop + 0.5), QPointF(kWidth - kMargin, footerTop + 0.5));
    p.setFont(cjkFont(12));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(QRect(0, footerTop, kWidth, kFooter - 2), Qt::AlignCenter, QStringLiteral("单击卡片或按回车键关闭"));
    p.end();
    return image;
}

bool writeScrambled(const QString &path, const QImage &image, QString *error)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        *error = QStringLiteral("cannot encode %1").arg(path);
        return false;
    }
    return WriteOutputFile(path, UnscrambleBytes(png), error);
}

} // namespace

bool BuildRadicalCards(const QString &assets, const QString &out, QString *error)
{
    QList<KeyCard> cards;
    if (!loadCards(assets, &cards, error))
        return false;
    const QString folder = out + QStringLiteral("/data/zgcard");
    for (const KeyCard &card : cards) {
        const QString name = QStringLiteral("%1%2.cr").arg(card.edition86 ? 'b' : 'j').arg(card.key.unicode());
        if (!writeScrambled(folder + QLatin1Char('/') + name, renderCard(card), error))
            return false;
    }
    return true;
}
