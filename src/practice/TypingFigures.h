#pragma once
// The typing figures Chinese typing clubs compare besides speed and
// accuracy, for one run, and the counter that gathers them from what the
// typing boxes see.
//
// 击键 (keys a second): keys pressed in the box over the running seconds.
// 码长 (keys a character): keys pressed over the characters that stand typed
//     at the end. Every key the box receives counts, code letters, the space
//     or digit that commits, Backspace and Escape included: rework costs keys.
// 理想码长: the fewest keys the code table allows for the text that stands
//     typed, over its characters (see IdealCodeLength for the rule).
// 打词率: the share of the characters committed that came in commits of two
//     or more characters (a phrase code).
// 选重: commits of a candidate other than the first of its code (a digit,
//     or the first of a later page).
// 回改: corrections of committed text, one for each Backspace or Delete
//     that erased some of it in the box. Corrections of a code still in
//     progress (Backspace or Escape on the code) cost nothing in the text and
//     are counted apart as 改码.
//
// Keys, commits and code corrections are seen only through the built-in
// composer; a system input method keeps them to itself, so a run typed
// through one knows its corrections of committed text and nothing else.
#include <QString>

// How a run was typed, as the statistics keep it.
namespace input_method {
inline const QString kWubi86 = QStringLiteral("wubi86");
inline const QString kWubi98 = QStringLiteral("wubi98");
inline const QString kSystem = QStringLiteral("ime"); // a system input method, or plain keys into text
inline const QString kKeys = QStringLiteral("keys");  // a keyboard drill: the keys themselves
// What the learner reads for a method ("五笔86", "全拼", "小鹤双拼" ...);
// "未记录" for runs stored before the method was.
QString Caption(const QString &method);
// True for the methods whose keys the program sees (built-in composers).
bool SeesKeys(const QString &method);
} // namespace input_method

struct TypingFigures {
    QString method;                 // input_method::...
    qint64 keys = -1;               // -1: not seen (system input method)
    qint64 committedCharacters = 0; // through the built-in composer
    qint64 phraseCharacters = 0;    // of those, in commits of two or more characters
    qint64 candidatePicks = 0;      // 选重
    qint64 textCorrections = -1;    // 回改; -1: not counted (a run no typing box counted)
    qint64 codeCorrections = 0;     // 改码
    qint64 idealKeys = -1;          // for idealCharacters; -1: unknown
    qint64 idealCharacters = 0;

    bool keysSeen() const { return keys >= 0; }
    // 0 when unknown or nothing to divide by.
    double keysPerSecond(qint64 runningMs) const;
    double keysPerCharacter(qint64 characters) const;
    double idealKeysPerCharacter() const;
    double phraseShare() const; // 0..1

    bool operator==(const TypingFigures &o) const;
};

// Fed by the typing box while a run goes on.
class TypingFigureCounter {
public:
    // A new run typed with `method`: all counts from zero.
    void start(const QString &method);

    void countKey();
    // `text` committed, `word` the candidate within it (punctuation may
    // follow it), `candidate` its place among its code's candidates (0 for
    // the first; -1 with no candidate: punctuation, letters).
    void countCommit(const QString &text, const QString &word, int candidate);
    void countCodeCorrection();
    // `erased` characters of committed text went (the ones just before the
    // caret, as a Backspace takes them).
    void countTextCorrection(int erased);

    // The text committed through the composer that still stands, the text
    // the ideal code length is worked out for.
    const QString &standingText() const { return m_standing; }
    // The figures so far; `idealKeys` of the standing text as the caller
    // worked it out (-1 when it cannot).
    TypingFigures figures(qint64 idealKeys = -1) const;

private:
    TypingFigures m_figures;
    QString m_standing;
};

// The figures as the run panel and the report show them; a figure that
// cannot be known is empty.
struct TypingFigureTexts {
    QString keysPerSecond;         // 击键 "4.21"
    QString keysPerCharacter;      // 码长 "2.35"
    QString idealKeysPerCharacter; // 理想码长 "1.98"
    QString phraseShare;           // 打词率 "45.0%"
    QString candidatePicks;        // 选重 "1"
    QString corrections;           // 回改 "2", with "（改码 1）" when the code was corrected
};
TypingFigureTexts TextsOf(const TypingFigures &figures, qint64 runningMs, qint64 characters);

// Said where the figures only the built-in composer sees are missing.
inline const QString kFiguresNeedComposer = QStringLiteral("击键、码长、打词率和选重需用内置输入法才能统计");
