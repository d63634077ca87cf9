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

void TypingJudge::setReference(QStringView text)
{
    m_reference = Characters(text);
    m_marks = QVector<bool>(m_reference.size(), false);
}

QString TypingJudge::charAt(int position) const
{
    return position >= 0 && position < length() ? m_reference.at(position) : QString();
}

bool TypingJudge::isMarked(int position) const
{
    return position >= 0 && position < m_marks.size() && m_marks.at(position);
}

int TypingJudge::markCount() const
{
    return int(m_marks.count(true));
}

void TypingJudge::clearMarks()
{
    m_marks.fill(false);
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
        if (isMarked(position)) {
            m_marks[position] = false;
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
        if (!line && position + 1 >= length() && position >= 1) {
            outcome.finished = true;
            dropRest = true;
            break;
        }
        const QString &character = change.added.at(taken);
        if (!judgeAdded(outcome, character, position)) {
            dropRest = true;
            break;
        }
        outcome.kept += character;
        if (line && position + 1 >= lineCapacity()) {
            outcome.finished = true;
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
        m_marks[position] = true;
        outcome.marksSet.append(position);
    }
    ++outcome.errorChange;
    return true;
}
