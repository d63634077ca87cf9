#include "practice/ui/ReferenceLine.h"

#include "practice/TextUnits.h"
#include "shell/ui/Accessibility.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kPadding = 4;
}

ReferenceLine::ReferenceLine(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_glyphs.setFont(font());
    layOutCharacters();
}

void ReferenceLine::setText(const QString &text)
{
    m_text = text;
    m_starts = CharacterStarts(m_text);
    m_marks = QVector<bool>(m_starts.size(), false);
    m_tints.clear();
    m_readings.clear();
    m_selStart = 0;
    m_scroll = 0;
    layOutCharacters();
    update();
    AnnounceDescription(this, m_text); // screen readers read the line's text as its description
    emit selectionChanged();
    announceNextCharacter();
}

QString ReferenceLine::charAt(int index) const
{
    return charsFrom(index, 1);
}

QString ReferenceLine::charsFrom(int index, int count) const
{
    if (index < 0 || count <= 0 || index >= m_starts.size())
        return QString();
    const int end = index + count < m_starts.size() ? m_starts.at(index + count) : m_text.size();
    return m_text.mid(m_starts.at(index), end - m_starts.at(index));
}

void ReferenceLine::select(int start)
{
    start = qBound(0, start, int(m_starts.size()));
    if (start != m_selStart) {
        if (m_selVisible) {
            update(charRect(m_selStart));
            update(charRect(start));
        }
        m_selStart = start;
        keepSelectionInView();
    }
    emit selectionChanged();
    announceNextCharacter();
}

void ReferenceLine::setSelectionVisible(bool visible)
{
    if (visible == m_selVisible)
        return;
    m_selVisible = visible;
    update(charRect(m_selStart));
    announceNextCharacter();
}

void ReferenceLine::announceNextCharacter()
{
    const QString next = m_selVisible ? selectedText() : QString();
    if (next == m_announced)
        return;
    m_announced = next;
    emit nextCharacterChanged(next);
}

void ReferenceLine::setPhraseStarts(const QVector<int> &starts)
{
    m_tints = QVector<bool>(m_starts.size(), false);
    for (int p = 0; p < starts.size(); ++p) {
        const int end = p + 1 < starts.size() ? starts.at(p + 1) : int(m_starts.size());
        for (int i = qMax(0, starts.at(p)); i < qMin(end, int(m_starts.size())); ++i)
            m_tints[i] = p % 2 == 1;
    }
    update();
}

void ReferenceLine::setReadings(const QStringList &readings)
{
    if (readings == m_readings)
        return;
    m_readings = readings;
    layOutCharacters();
    updateGeometry(); // the band for the readings comes and goes
    keepSelectionInView();
    update();
}

QFont ReferenceLine::readingFont() const
{
    // A sans-serif face has every toned vowel; about two thirds the size
    // of the characters stays readable at every size the window uses.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(10, qRound(QFontInfo(font()).pixelSize() * 0.68)));
    return f;
}

int ReferenceLine::readingBandHeight() const
{
    return m_readings.isEmpty() ? 0 : QFontMetrics(readingFont()).height();
}

QRect ReferenceLine::readingRect(int index) const
{
    const QString reading = m_readings.value(index);
    if (reading.isEmpty() || index >= charCount())
        return {};
    const QRect cell = charRect(index);
    const int width = QFontMetrics(readingFont()).horizontalAdvance(reading);
    return QRect(cell.left() + (cell.width() - width) / 2, 1, width, readingBandHeight());
}

bool ReferenceLine::isTinted(int index) const
{
    return index >= 0 && index < m_tints.size() && m_tints.at(index);
}

void ReferenceLine::setMark(int index, bool on)
{
    if (index < 0 || index >= m_marks.size() || m_marks.at(index) == on)
        return;
    m_marks[index] = on;
    update(charRect(index));
}

bool ReferenceLine::isMarked(int index) const
{
    return index >= 0 && index < m_marks.size() && m_marks.at(index);
}

int ReferenceLine::markCount() const
{
    return int(m_marks.count(true));
}

QSize ReferenceLine::sizeHint() const
{
    // A generated line is a few dozen characters; a longer one scrolls.
    constexpr int kMostMeasured = 200;
    const QFontMetrics fm(font());
    return {leftOf(qMin(charCount(), kMostMeasured)) + kPadding, readingBandHeight() + fm.height() + 2 * kPadding};
}

void ReferenceLine::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_glyphs.setFont(font());
        layOutCharacters();
    }
    QWidget::changeEvent(event);
}

void ReferenceLine::layOutCharacters()
{
    m_lefts = {kPadding};
}

int ReferenceLine::leftOf(int index) const
{
    // Character by character, so that a highlight or a mark repaints exactly
    // the glyph it covers.
    index = qBound(0, index, int(m_starts.size()));
    if (index >= m_lefts.size()) {
        const QFontMetrics fm(font());
        const QFontMetrics readingMetrics(readingFont());
        constexpr int kReadingGap = 6; // between the readings of neighbours
        for (int i = int(m_lefts.size()) - 1; i < index; ++i) {
            int advance = fm.horizontalAdvance(charAt(i));
            if (const QString reading = m_readings.value(i); !reading.isEmpty())
                advance = qMax(advance, readingMetrics.horizontalAdvance(reading) + kReadingGap);
            m_lefts.append(m_lefts.last() + advance);
        }
    }
    return m_lefts.at(index);
}

void ReferenceLine::keepSelectionInView()
{
    // A line wider than the box scrolls so the character to type stays visible.
    const QRect box = charRect(m_selStart).translated(m_scroll, 0);
    int scroll = m_scroll;
    if (box.right() - scroll > width() - kPadding)
        scroll = box.right() - width() + kPadding;
    if (box.left() - scroll < kPadding)
        scroll = qMax(0, box.left() - kPadding);
    if (scroll != m_scroll) {
        m_scroll = scroll;
        update();
    }
}

QRect ReferenceLine::charRect(int index) const
{
    const int count = m_starts.size();
    const int left = leftOf(qMin(index, count));
    const int right = index < count ? leftOf(index + 1) : left + QFontMetrics(font()).averageCharWidth();
    return QRect(left - m_scroll, 0, right - left + 1, height());
}

void ReferenceLine::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().base());
    const QFontMetrics fm(font());
    const int band = readingBandHeight();
    const int baseline = band + (height() - band - fm.height()) / 2 + fm.ascent();
    const QFont characterFont = font();
    const QColor readingColour(0x1f, 0x5f, 0x9f);
    const QColor markColour(0xd0, 0x10, 0x10);
    const QColor base = palette().base().color(), highlight = palette().highlight().color();
    const auto blend = [](int a, int b) { return (a * 4 + b) / 5; };
    const QColor tint(blend(base.red(), highlight.red()), blend(base.green(), highlight.green()),
                      blend(base.blue(), highlight.blue()));
    // From the first character at the left edge of what is to be painted,
    // to the last one that reaches into it.
    // Everything left of the scroll position was measured when it scrolled.
    const int paintLeft = event->rect().left() + m_scroll;
    const auto after = std::upper_bound(m_lefts.cbegin(), m_lefts.cend(), paintLeft);
    const int first = qMax(0, int(after - m_lefts.cbegin()) - 1);
    for (int i = first; i < m_starts.size(); ++i) {
        const QRect box = charRect(i);
        if (box.left() > event->rect().right())
            break;
        if (!box.intersects(event->rect()))
            continue;
        const bool selected = m_selVisible && i == m_selStart;
        if (isTinted(i))
            p.fillRect(box.adjusted(0, 2, 0, -2), tint);
        if (selected)
            p.fillRect(box.adjusted(0, 2, -1, -2), palette().highlight());
        if (m_marks.at(i)) {
            p.setPen(selected ? QColor(0xff, 0xd0, 0xd0) : markColour);
            p.drawLine(box.left(), baseline + 2, box.right() - 1, baseline + 2);
        } else {
            p.setPen(selected ? palette().highlightedText().color() : palette().text().color());
        }
        // Centred in its cell: a cell may be wider than its glyph.
        const QString character = charAt(i);
        m_glyphs.draw(p, QPointF(box.left() + (box.width() - 1 - qRound(m_glyphs.advance(character))) / 2, baseline), character);
        if (const QRect reading = readingRect(i); !reading.isEmpty()) {
            p.setFont(readingFont());
            p.setPen(selected ? palette().highlightedText().color() : readingColour);
            p.drawText(reading, Qt::AlignCenter, m_readings.at(i));
            p.setFont(characterFont);
        }
    }
    if (m_selVisible && m_selStart >= m_starts.size()) {
        // Past the end of the line: a thin bar shows where typing goes on.
        const QRect box = charRect(m_selStart);
        p.fillRect(QRect(box.left(), box.top() + 3, 2, box.height() - 6), palette().highlight());
    }
}
