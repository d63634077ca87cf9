#pragma once
// The typing judge: what one change of an input box means against the
// reference the learner copies. No widgets; every typing exercise uses it.
//
// How a window uses it:
//  1. Keep one TypingJudge per reference (a line, a whole text, a drill or race
//     line) and call setReference() whenever a new reference is placed; its
//     error marks start off.
//  2. Remember the text of the input box. On every change call
//     judgeChange(before, after). Only committed text counts: pre-edit
//     (composition) text of an input method is never part of the box's text,
//     so a change that only composes has before == after and judges nothing.
//  3. Apply the outcome: clear then set the marks on the display, add
//     errorChange to the error count (never below 0), play the cue, put
//     `kept` back into the box when it differs from what the box holds, and
//     when `finished` is set move on (next line, next page, end of the text),
//     judging `overflow` as the first change of the next line.
//
// Characters are code points (TextUnits.h): a character outside the Basic
// Multilingual Plane is one character. A change is read as: the input keeps
// its characters up to the first one that differs; all after it are removed
// and the new ones added, each judged against the reference character at its
// own position, as if typed one after another.
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

// Where two versions of an input differ: the characters from `position` on
// were removed and `added` came in their place.
struct InputChange {
    int position = 0;      // characters kept at the front
    int positionUnits = 0; // the same in UTF-16 units
    QStringList removed;
    QStringList added;
};
InputChange DiffInput(QStringView before, QStringView after);

enum class EndRule {
    // A line: finished when the input reaches the reference length (an empty
    // reference takes one character, judged wrong). The character that
    // finishes it is judged; characters after it are overflow for the next line.
    LineAdvance,
    // A whole text: finished when the input reaches the reference length
    // while holding more than one character. The character that completes
    // the text is judged and kept like every other; any after it are neither.
    TextEnd,
};

struct JudgeRules {
    EndRule end = EndRule::LineAdvance;
    // The first wrong character and everything after it are refused: not
    // kept, not marked and not counted (the right ones before it stay).
    bool refuseFromFirstWrong = false;
};

enum class JudgeCue { None, Confirm, Error };

struct CharacterVerdict {
    int position = 0; // in the reference
    QString typed;
    QString expected; // empty past the end of the reference
    bool right = false;
};

struct TypingOutcome {
    int position = 0;             // characters of the input before the change that stay
    QVector<CharacterVerdict> verdicts; // each judged character, in order
    QVector<int> marksCleared;    // reference positions whose wrong character was erased
    QVector<int> marksSet;        // reference positions that got a wrong character
    int errorChange = 0;          // wrong characters added minus marks cleared
    JudgeCue cue = JudgeCue::None; // one cue for the change: error when any was wrong
    bool finished = false;        // the line or text is done
    QString kept;                 // what the input holds now
    QString overflow;             // characters past the end of a finished line
    int refusedFrom = -1;         // index in `verdicts` of the refused character, or -1
    int caret = 0;                // characters in `kept`: where the next one is typed

    bool anyWrong() const;
};

class TypingJudge {
public:
    TypingJudge() = default;
    explicit TypingJudge(JudgeRules rules) : m_rules(rules) {}

    // A new reference; all marks off. The text is shared, not copied: a
    // whole text may run to tens of megabytes.
    void setReference(const QString &text);
    int length() const { return m_length; }
    // The reference character at `position`, empty outside it.
    QString charAt(int position) const;
    // Where character `position` starts in the reference, in UTF-16 units
    // (the reference's size at or past its end).
    int unitOf(int position) const;

    bool isMarked(int position) const;
    int markCount() const;
    void clearMarks();

    TypingOutcome judgeChange(QStringView before, QStringView after);

private:
    bool judgeAdded(TypingOutcome &outcome, const QString &character, int position);
    // Characters the reference takes before its line is done.
    int lineCapacity() const { return qMax(length(), 1); }

    JudgeRules m_rules;
    QString m_reference;
    int m_length = 0;               // in characters
    std::vector<int> m_wideStarts;  // characters that take two units, ascending
    QSet<int> m_marks;              // positions holding a wrong character
};
