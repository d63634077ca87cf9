#include "game/Race.h"

#include "practice/PracticeState.h"
#include "practice/TextFile.h"
#include "wubi/Wubi.h"

#include <QRegularExpression>
#include <cmath>

namespace race {

namespace {
constexpr int kLetterStep = 13;
constexpr int kCharacterStep = 25;
constexpr int kLetterLine = 44;
constexpr int kCharacterLine = 23;
constexpr int kFirstLineBudget = 60;
constexpr int kLaterCharacterBudget = 40;
constexpr int kMinSeconds = 10;
constexpr int kMaxSeconds = 3600; // exclusive
constexpr double kMinPace = 1;
constexpr double kMaxPace = 1000;

bool isLetters(Material m) { return m == Material::Letters; }

// The letters drill's pool without its punctuation keys: every lowercase
// letter twice, in finger-group order.
QString letterPool()
{
    QString pool = BuildLetterPool();
    pool.removeIf([](QChar c) { return !c.isLower(); });
    return pool;
}

ShortCodeSelectors selectorsFor(Material m)
{
    ShortCodeSelectors s;
    s.firstLevel = m == Material::FirstLevel;
    s.second86 = m == Material::Second86;
    s.second98 = m == Material::Second98;
    s.third86 = m == Material::Third86;
    s.third98 = m == Material::Third98;
    return s;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
} // namespace

int StepWidth(Material m) { return isLetters(m) ? kLetterStep : kCharacterStep; }
int LineLength(Material m) { return isLetters(m) ? kLetterLine : kCharacterLine; }

QString Pool(const CodeTables &tables, Material m)
{
    switch (m) {
    case Material::Letters: return letterPool();
    case Material::KeyNames: return KeyNameCharacters();
    default: return wubi::ShortCodePool(tables, selectorsFor(m));
    }
}

QString NextLine(PracticeState &state, const QString &pool, Material m, bool firstLine, RandomSource &random)
{
    state.charsGenerated = 0;
    state.charBudget = firstLine || isLetters(m) ? kFirstLineBudget : kLaterCharacterBudget;
    QString line = wubi::CharacterDrillText(state, pool, LineLength(m), 1, random);
    line.chop(2); // CR LF
    return line;
}

int PaceInterval(double charsPerMinute) { return int(60000.0 / charsPerMinute); }

bool ReadDecimal(const QString &text, double *value)
{
    static const QRegularExpression decimal(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!decimal.match(text).hasMatch())
        return false;
    *value = text.trimmed().toDouble();
    return true;
}

SettingsCheck CheckSettings(const QString &lengthText, const QString &paceText, RaceSettings *out)
{
    double length = 0, pace = 0;
    if (!ReadDecimal(lengthText, &length))
        return SettingsCheck::LengthNotNumeric;
    if (!ReadDecimal(paceText, &pace))
        return SettingsCheck::PaceNotNumeric;
    if (pace < kMinPace || pace > kMaxPace)
        return SettingsCheck::PaceOutOfRange;
    if (length < kMinSeconds || length >= kMaxSeconds)
        return SettingsCheck::LengthOutOfRange;
    out->seconds = int(std::trunc(length));
    out->paceInterval = PaceInterval(pace);
    return SettingsCheck::Accepted;
}

QString CheckMessage(SettingsCheck check)
{
    switch (check) {
    case SettingsCheck::LengthNotNumeric: return QStringLiteral("时间或字数必须为数字");
    case SettingsCheck::PaceNotNumeric: return QStringLiteral("龟的速度必须为数字");
    case SettingsCheck::PaceOutOfRange: return QStringLiteral("龟的速度必须大于1字/分且小于1000字/分");
    case SettingsCheck::LengthOutOfRange: return QStringLiteral("时间设置必须大于10小于3600秒");
    case SettingsCheck::Accepted: break;
    }
    return QString();
}

QString CountdownText(int ticksDone) { return QStringLiteral("   ") + twoDigits(3 - ticksDone); }

QString ClockText(int seconds) { return twoDigits(seconds / 60) + QLatin1Char(':') + twoDigits(seconds % 60); }

TypingJudge MakeJudge()
{
    JudgeRules rules;
    rules.end = EndRule::LineAdvance;
    rules.refuseFromFirstWrong = true;
    return TypingJudge(rules);
}

Judgement JudgeTyped(TypingJudge &judge, const QString &input, const QString &typed)
{
    const TypingOutcome outcome = judge.judgeChange(input, input + typed);
    Judgement j;
    j.accepted = outcome.kept.mid(input.size());
    j.wrong = outcome.anyWrong();
    j.overflow = outcome.overflow;
    j.verdicts = outcome.verdicts;
    return j;
}

Race::Race(Material material, int lengthSeconds) : m_material(material), m_lengthSeconds(lengthSeconds) {}

bool Race::countdownTick()
{
    if (m_running || m_ended)
        return false;
    if (++m_countdownTicks < kCountdownTicks)
        return false;
    m_countdownTicks = 0;
    m_running = true;
    m_tortoiseCount = 1;
    m_hareOffset = 0;
    m_clockSeconds = 0;
    m_frame = 1;
    return true;
}

void Race::animationTick()
{
    m_toggle = !m_toggle;
    m_frame = m_frame % kHareFrames + 1;
}

void Race::paceTick()
{
    m_markerLeft += stepWidth();
    m_tortoiseLeft += stepWidth();
    ++m_tortoiseCount;
    if (m_markerLeft > kLapEnd) {
        m_tortoiseLeft = kTrackStart;
        m_markerLeft = kMarkerStart;
    }
}

bool Race::clockTick(QString *shown)
{
    *shown = ClockText(m_clockSeconds);
    if (++m_clockSeconds <= m_lengthSeconds)
        return false;
    end();
    return true;
}

bool Race::pause()
{
    if (!m_running || m_paused)
        return false;
    m_paused = true;
    return true;
}

bool Race::resume()
{
    if (!m_paused)
        return false;
    m_paused = false;
    return true;
}

bool Race::stop()
{
    if (!m_running)
        return false;
    end();
    return true;
}

bool Race::setTyped(int typed)
{
    m_typed = typed;
    if (typed < lineLength())
        return false;
    m_hareOffset += lineLength();
    m_typed = 0;
    return true;
}

void Race::end()
{
    m_running = false;
    m_paused = false;
    m_ended = true;
    m_tortoiseLeft = kTrackStart;
    m_markerLeft = kMarkerStart;
}

} // namespace race
