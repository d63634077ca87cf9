#include "shell/ui/CharacterGlyphs.h"

#include <QPainter>
#include <QTextLayout>

namespace {
constexpr int kMostCharacters = 4096; // a whole text's worth; then start afresh
}

CharacterGlyphs::CharacterGlyphs(const QFont &font) : m_font(font) {}

void CharacterGlyphs::setFont(const QFont &font)
{
    if (font == m_font && font.resolveMask() == m_font.resolveMask())
        return;
    m_font = font;
    m_glyphs.clear();
}

const CharacterGlyphs::Glyphs &CharacterGlyphs::glyphsOf(const QString &character)
{
    const auto found = m_glyphs.constFind(character);
    if (found != m_glyphs.constEnd())
        return *found;
    if (m_glyphs.size() >= kMostCharacters)
        m_glyphs.clear();
    QTextLayout layout(character, m_font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    Glyphs glyphs;
    glyphs.advance = line.isValid() ? line.horizontalAdvance() : 0;
    const qreal ascent = line.isValid() ? line.ascent() : 0;
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (QPointF &p : positions)
            p.ry() -= ascent;
        run.setPositions(positions);
        glyphs.runs.append(run);
    }
    return *m_glyphs.insert(character, glyphs);
}

void CharacterGlyphs::draw(QPainter &painter, const QPointF &origin, const QString &character)
{
    for (const QGlyphRun &run : glyphsOf(character).runs)
        painter.drawGlyphRun(origin, run);
}

qreal CharacterGlyphs::advance(const QString &character)
{
    return glyphsOf(character).advance;
}
