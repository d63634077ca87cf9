#pragma once
// CharacterGlyphs draws text one character at a time without laying it out
// again: each character's glyphs (one, or several for a cluster or a fallback
// font) are laid out once for the font and kept. The typing box and the
// reference line redraw a character or two per keystroke; drawing them as
// text would itemize and shape each time.
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

class QPainter;
class QPointF;

class CharacterGlyphs {
public:
    explicit CharacterGlyphs(const QFont &font = QFont());

    void setFont(const QFont &font); // forgets every character's glyphs
    const QFont &font() const { return m_font; }

    // Draws `character` (one character as a string) with its left edge at
    // origin.x() and its baseline at origin.y(), in the painter's pen.
    void draw(QPainter &painter, const QPointF &origin, const QString &character);
    // How far the character advances the pen.
    qreal advance(const QString &character);

private:
    struct Glyphs {
        QList<QGlyphRun> runs; // positions relative to the left edge and the baseline
        qreal advance = 0;
    };
    const Glyphs &glyphsOf(const QString &character);

    QFont m_font;
    QHash<QString, Glyphs> m_glyphs;
};
