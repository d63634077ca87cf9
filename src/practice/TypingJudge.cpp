#include "practice/TypingJudge.h"

#include "practice/TextUnits.h"

#include <algorithm>

InputChange DiffInput(QStringView before, QStringView after)
{
    const qsizetype common = std::min(before.size(), after.size());
    qsizetype unit = 0;
    while (unit < common && before.at(unit) == after.at(unit))
        ++unit;
    // Never split a surrogate pair: its two halves are one character.
    if (unit > 0 && after.at(unit - 1).isHighSurrogate())
        --unit;
    InputChange change;
    change.positionUnits = int(unit);
    change.position = CharacterCount(after.left(unit));
    change.removed = Characters(before.mid(unit));
    change.added = Characters(after.mid(unit));
    return change;
}

bool TypingOutcome::anyWrong() const
{
    return std::any_of(verdicts.begin(), verdicts.end(), [](const CharacterVerdict &v) { return !v.right; });
}

void TypingJudge::setReference(const QString &text)
{
    m_reference = text;
    m_wideStarts.clear();
    int character = 0;
    for (int unit = 0; unit < text.size(); ++character) {
        const int units = CharacterUnitsAt(text, unit);
        if (units == 2)
            m_wideStarts.push_back(character);
        unit += units;
    }
    m_length = character;
    m_marks.clear();
}

int TypingJudge::unitOf(int position) const
{
    if (position >= m_length)
        return int(m_reference.size());
    position = qMax(0, position);
    const auto pairsBefore = std::lower_bound(m_wideStarts.begin(), m_wideStarts.end(), position) - m_wideStarts.begin();
    return position + int(pairsBefore);
}

QString TypingJudge::charAt(int position) const
{
    if (position < 0 || position >= m_length)
        return {};
    const int unit = unitOf(position);
    return m_reference.mid(unit, CharacterUnitsAt(m_reference, unit));
}

bool TypingJudge::isMarked(int position) const
{
    return m_marks.contains(position);
}

int TypingJudge::markCount() const
{
    return int(m_marks.size());
}

void TypingJudge::clearMarks()
{
    m_marks.clear();
}

TypingOutcome TypingJudge::judgeChange(QStringView before, QStringView after)
{
    const InputChange change = DiffInput(before, after);
    TypingOutcome outcome;
    outcome.position = change.position;
    outcome.kept = after.left(change.positionUnits).toString();

    // Erased characters take their marks with them; erasing past the end of
    // the reference changes nothing.
    for (int i = 0; i < change.removed.size(); ++i) {
        const int position = change.position + i;
        if (m_marks.remove(position)) {
            outcome.marksCleared.append(position);
            --outcome.errorChange;
        }
    }

    const bool line = m_rules.end == EndRule::LineAdvance;
    int taken = 0;         // added characters kept in the input
    bool dropRest = false; // what follows `taken` is neither kept nor overflow
    for (; taken < change.added.size(); ++taken) {
        const int position = change.position + taken;
        if (line && position >= lineCapacity()) {
            outcome.finished = true; // the line was full already
            break;
        }
        if (!line && position >= length() && position >= 1) {
            outcome.finished = true; // past the end: nothing left to judge it against
            dropRest = true;
            break;
        }
        const QString &character = change.added.at(taken);
        if (!judgeAdded(outcome, character, position)) {
            dropRest = true;
            break;
        }
        outcome.kept += character;
        if (line ? position + 1 >= lineCapacity() : position + 1 >= length() && position >= 1) {
            outcome.finished = true;
            dropRest = !line;
            ++taken;
            break;
        }
    }
    if (!dropRest)
        outcome.overflow = change.added.mid(taken).join(QString());

    outcome.caret = change.position + taken;
    if (!outcome.verdicts.isEmpty())
        outcome.cue = outcome.anyWrong() ? JudgeCue::Error : JudgeCue::Confirm;
    return outcome;
}

// Judges one added character; false when it is refused.
bool TypingJudge::judgeAdded(TypingOutcome &outcome, const QString &character, int position)
{
    CharacterVerdict verdict{position, character, charAt(position), false};
    verdict.right = verdict.typed == verdict.expected;
    outcome.verdicts.append(verdict);
    if (verdict.right)
        return true;
    if (m_rules.refuseFromFirstWrong) {
        outcome.refusedFrom = int(outcome.verdicts.size()) - 1;
        return false;
    }
    if (position < length()) {
        m_marks.insert(position);
        outcome.marksSet.append(position);
    }
    ++outcome.errorChange;
    return true;
}
