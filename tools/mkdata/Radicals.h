#pragma once
// The radical list (assets/wubi/radicals.tsv) and the drawing pieces that the
// radical cards, the radical charts and the drill's radical pictures share.
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

struct RadicalRow {
    QChar key;        // 'A' .. 'Y'
    QString edition;  // "both", "86" or "98"
    QString text;     // what to draw
    QStringList tags; // KEYNAME, SUBST, DRILL-UNSAFE86, ...
    QString compose;  // IDS recipe ("⿻二丨") when the row gives one, else empty

    bool appliesTo(bool edition86) const;
    bool isKeyName(bool edition86) const;
    // The drawn stand-in, typed as a character of its own in that edition,
    // starts with another key.
    bool drillUnsafe(bool edition86) const;
};

// Reads a tab-separated UTF-8 file with one header line.
bool ReadTsv(const QString &path, QList<QStringList> *rows, QString *error);
// Every row of radicals.tsv below `assets`, in file order.
bool ReadRadicalRows(const QString &assets, QList<RadicalRow> *rows, QString *error);
// The rows of one key and edition, key-name radical first.
QList<RadicalRow> KeyRadicals(const QList<RadicalRow> &rows, QChar key, bool edition86);

// Noto covers all but four Extension B radicals, which BabelStone Han draws.
QFont CjkFont(int pixelSize, bool bold = false);

// Draws a radical as an outline fitted into `cell`: never clipped, whatever
// the glyph's height or font, and scaled down only when it does not fit. A
// row with a compose recipe is drawn from its parts (⿻ overlay, ⿱ stack,
// ⿰ side by side) instead of its stand-in.
void DrawRadicalFitted(QPainter &p, const QRectF &cell, const RadicalRow &row, const QFont &font);

// Encodes `image` in `format` ("PNG", "JPEG") and writes it to `path`,
// scrambled when `scrambled` is true.
bool WriteImage(const QString &path, const QImage &image, const char *format, bool scrambled, QString *error);
