#include "wubi/RadicalDrill.h"

#include "data/CodeTable.h"
#include "data/Random.h"
#include "keyboard/KeyCodes.h"

namespace wubi {

namespace {
constexpr qsizetype kChartPoolReach = 10000; // entries starting beyond this position are not used
constexpr int kKeyA = 65;
constexpr int kKeyY = 89;
constexpr int kSecondsPerDay = 86400;

bool isKeyLetter(int keyCode) { return keyCode >= kKeyA && keyCode <= kKeyY; }

// Shift, Ctrl and Alt pressed alone: they reach a card, never answer one.
bool isBareModifier(int keyCode) { return keyCode == vk::Shift || keyCode == vk::Ctrl || keyCode == vk::Alt; }
} // namespace

QString ChartPool(const CodeTable &table86)
{
    const QString &text = table86.text();
    QString pool;
    for (qsizetype hash = text.indexOf(QLatin1Char('#')); hash >= 0 && hash < kChartPoolReach;
         hash = text.indexOf(QLatin1Char('#'), hash + 1)) {
        if (hash + 2 < text.size() && text.at(hash + 2) == QLatin1Char('%'))
            pool.append(text.at(hash + 1));
    }
    return pool;
}

QString ChartLine(const QString &pool, RandomSource &random)
{
    QString line;
    if (pool.isEmpty())
        return line;
    for (int i = 0; i < kChartLineLength; ++i)
        line.append(pool.at(random.uniform(0, int(pool.size()) - 1)));
    return line;
}

int AnswerKey(const QString &pictureName)
{
    if (pictureName.isEmpty())
        return 0;
    const QChar first = pictureName.at(0).toUpper();
    return first.unicode() < 128 ? first.unicode() : 0;
}

QString RadicalOfPicture(const QString &pictureName)
{
    QString radical;
    const QStringList parts = pictureName.section(QLatin1Char('.'), 0, 0).split(QLatin1Char('_'));
    for (qsizetype i = 1; i < parts.size(); ++i) {
        bool ok = false;
        const uint codePoint = parts.at(i).toUInt(&ok, 16);
        if (!ok || !QChar::isPrint(codePoint))
            return QString();
        radical += QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1);
    }
    return radical;
}

QStringList RadicalList(const QStringList &pictureNames, const RadicalDrillSettings &settings)
{
    QStringList list;
    for (const QString &name : pictureNames) {
        const int key = AnswerKey(name);
        if (!settings.allKeys && !(isKeyLetter(key) && settings.chosenKeys[std::size_t(key - kKeyA)]))
            continue;
        const QChar edition = name.size() > 1 ? name.at(1) : QChar();
        if (edition == (settings.edition86 ? QLatin1Char('9') : QLatin1Char('8')))
            continue;
        list.append(name);
    }
    return list;
}

RadicalDrill::RadicalDrill(RadicalDrillSettings &settings, RandomSource &random)
    : m_settings(settings), m_random(random)
{
    for (int i = 0; i < kBoardCells; ++i)
        m_board.append(QString());
}

void RadicalDrill::start(const QStringList &radicalList)
{
    m_list = radicalList;
    if (!m_list.isEmpty())
        fillBoard();
    m_position = 0;
    m_count = 0;
    m_running = false;
    m_timeText.clear();
    m_speedText.clear();
    m_armed = !m_list.isEmpty();
}

void RadicalDrill::fillBoard()
{
    RadicalDrillSettings &s = m_settings;
    // Every board of a timed run is full.
    if (s.timeLimited && s.radicalLimit - s.radicalsDrawn < kBoardCells)
        s.radicalLimit += kBoardCells;
    m_expected.clear();
    for (int k = 0; k < kBoardCells; ++k) {
        m_board[k].clear();
        if (s.radicalsDrawn >= s.radicalLimit || m_list.isEmpty())
            continue;
        const QString &name = m_list.at(m_random.uniform(0, int(m_list.size()) - 1));
        ++s.radicalsDrawn;
        m_board[k] = name;
        m_expected.append(AnswerKey(name));
    }
}

void RadicalDrill::endRun()
{
    m_running = false;
    m_armed = false;
    m_settings.drillRequested = false;
}

RadicalDrill::KeyOutcome RadicalDrill::press(int keyCode, bool alt, bool ctrl, int now)
{
    KeyOutcome outcome;
    if (!m_armed || keyCode == vk::NumLock || isBareModifier(keyCode))
        return outcome;
    if (alt && isKeyLetter(keyCode)) {
        outcome.kind = KeyOutcome::Card;
        outcome.cardKey = keyCode;
        outcome.card86 = !ctrl;
        return outcome;
    }
    if (!m_running) {
        m_start = now;
        m_running = true;
        m_position = 1;
        m_count = 1;
    }
    if (m_position > m_expected.size())
        return outcome;
    outcome.cell = m_position - 1;
    if (keyCode != m_expected.at(m_position - 1)) {
        outcome.kind = KeyOutcome::Wrong;
        outcome.wrongCue = !alt;
        return outcome;
    }
    outcome.kind = KeyOutcome::Right;
    if (!m_settings.timeLimited && m_settings.radicalsDrawn == m_settings.radicalLimit
        && m_position >= m_expected.size()) {
        endRun();
        outcome.ended = true;
        outcome.total = m_count;
    }
    if (m_position == kBoardCells) {
        fillBoard();
        outcome.boardRefilled = true;
        m_position = 1;
    } else {
        ++m_position;
    }
    ++m_count;
    return outcome;
}

RadicalDrill::Tick RadicalDrill::tick(int now)
{
    Tick tick;
    if (!m_running)
        return tick;
    tick.running = true;
    if (now < m_start)
        now += kSecondsPerDay;
    const int elapsed = now - m_start;
    m_timeText = QStringLiteral("%1 秒").arg(elapsed);
    if (elapsed != 0)
        m_speedText = QString::number(m_count * 60.0 / elapsed, 'f', 2) + QStringLiteral(" 字/分");
    // At or past the limit: a clock that missed the exact second (a busy
    // machine, a modal card) still ends the run.
    if (m_settings.timeLimited && elapsed >= m_settings.timeLimit) {
        endRun();
        tick.ended = true;
        tick.total = m_count - 1;
    }
    tick.timeText = m_timeText;
    tick.speedText = m_speedText;
    return tick;
}

} // namespace wubi
