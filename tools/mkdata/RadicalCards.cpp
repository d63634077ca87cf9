// Radical cards: one picture per key (A..Y) and edition, data/zgcard/b65.cr ..
// b89.cr (Wubi 86) and j65.cr .. j89.cr (Wubi 98), drawn from the radical and
// mnemonic lists and stored scrambled as PNG.
#include "Radicals.h"
#include "Steps.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

struct KeyCard {
    QChar key;
    bool edition86;
    QList<RadicalRow> radicals; // key name first
    QString verse;
};

constexpr int kWidth = 260;
constexpr int kHeader = 72;
constexpr int kColumns = 5;
constexpr int kCellWidth = 48;
constexpr int kCellHeight = 40;
constexpr int kMargin = 10;
constexpr int kFooter = 26; // the line that says how to close the card

bool loadCards(const QString &assets, QList<KeyCard> *cards, QString *error)
{
    QList<RadicalRow> radicals;
    QList<QStringList> verseRows;
    if (!ReadRadicalRows(assets, &radicals, error)
        || !ReadTsv(assets + QStringLiteral("/wubi/mnemonics.tsv"), &verseRows, error))
        return false;

    QHash<QString, QString> verses; // "G86" -> verse
    for (const QStringList &row : verseRows)
        if (row.size() >= 3)
            verses.insert(row[0] + row[1], row[2]);

    for (char letter = 'A'; letter <= 'Y'; ++letter) {
        for (bool edition86 : {true, false}) {
            KeyCard card{QLatin1Char(letter), edition86, KeyRadicals(radicals, QLatin1Char(letter), edition86), {}};
            if (card.radicals.isEmpty() || !card.radicals.first().isKeyName(edition86)) {
                *error = QStringLiteral("no key name for %1 in edition %2").arg(letter).arg(edition86 ? 86 : 98);
                return false;
            }
            card.verse = verses.value(QString(QLatin1Char(letter)) + (edition86 ? "86" : "98"));
            cards->append(card);
        }
    }
    return true;
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
    const QFont verseFont = CjkFont(16);
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
    p.setFont(CjkFont(54));
    p.setPen(ink);
    DrawRadicalFitted(p, QRectF(72, 2, 70, 68), card.radicals.first(), p.font());

    p.setFont(CjkFont(15, true));
    p.setPen(accent);
    p.drawText(QRectF(150, 12, kWidth - 160, 22), Qt::AlignRight | Qt::AlignVCenter,
               card.edition86 ? QStringLiteral("五笔86版") : QStringLiteral("五笔98版"));
    p.setFont(CjkFont(13));
    p.setPen(ink);
    p.drawText(QRectF(150, 38, kWidth - 160, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1 个字根").arg(card.radicals.size()));

    // Every radical of the key, in a grid.
    p.setFont(CjkFont(28));
    for (int i = 0; i < card.radicals.size(); ++i) {
        const QRectF cell(kMargin + (i % kColumns) * kCellWidth, gridTop + (i / kColumns) * kCellHeight,
                          kCellWidth, kCellHeight);
        p.setPen(QPen(QColor(0xd6, 0xd6, 0xd6), 1));
        p.drawRect(cell.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(i == 0 ? accent : ink);
        // Fitted by its outline: tall glyphs such as 龶 are never cut off.
        DrawRadicalFitted(p, cell, card.radicals[i], p.font());
    }

    // The mnemonic verse.
    p.setFont(verseFont);
    p.setPen(QColor(0x33, 0x33, 0x33));
    p.drawText(QRect(kMargin, verseTop, kWidth - 2 * kMargin, verseBox.height() + 4),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, card.verse);

    // How to close the card, on the card itself.
    p.setPen(QPen(QColor(0xe0, 0xe0, 0xe0), 1));
    p.drawLine(QPointF(kMargin, footerTop + 0.5), QPointF(kWidth - kMargin, footerTop + 0.5));
    p.setFont(CjkFont(12));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(QRect(0, footerTop, kWidth, kFooter - 2), Qt::AlignCenter, QStringLiteral("单击卡片或按回车键关闭"));
    p.end();
    return image;
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
        if (!WriteImage(folder + QLatin1Char('/') + name, renderCard(card), "PNG", true, error))
            return false;
    }
    return true;
}
