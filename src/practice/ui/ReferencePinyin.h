#pragma once
// Pinyin for the practice windows: whether toned pinyin is shown over the
// reference (the learner's choice, kept in the settings, and always in the
// pinyin drills), the readings in context of a reference text, and the
// diagnosis of wrong characters in a pinyin drill.
#include "practice/TypingJudge.h"

#include <QString>
#include <QStringList>
#include <functional>

struct AppContext;

namespace referencepinyin {
// The settings value: [Pinyin] ShowReading = 0 | 1.
inline const QString kSection = QStringLiteral("Pinyin");
inline const QString kShowValue = QStringLiteral("ShowReading");
// The key that shows and hides it in the practice windows (F5 and F6 show
// the Wubi hints).
inline constexpr int kToggleKey = Qt::Key_F7;
inline const QString kCheckCaption = QStringLiteral("显示拼音(F7)");
} // namespace referencepinyin

bool PinyinChosen(const AppContext &ctx);
// Keeps the choice; when it is on and the pinyin data cannot be read, the
// status strip says "拼音练习不可用：" and why.
void SetPinyinChosen(AppContext &ctx, bool shown);
// The run going on, or about to start, is a pinyin drill.
bool PinyinDrillRun(const AppContext &ctx);
// Chosen, or a pinyin drill.
bool PinyinOverReference(const AppContext &ctx);

// Toned pinyin of each character of `text` in context (one per code point);
// empty when the pinyin data cannot be read.
QStringList ReferenceReadings(AppContext &ctx, const QString &text);

// The readings of characters `first` .. `first + count - 1` of a text reached
// one character at a time through `charAt` (empty past its end), read in
// the context of a few characters around them.
QStringList ReadingsInContext(AppContext &ctx, const std::function<QString(int position)> &charAt, int first,
                              int count);

// In a pinyin drill, the wrong characters of `verdicts` go into the run's
// pinyin mistakes; `readingAt` gives the toned reading of a reference
// position in context.
void NotePinyinMistakes(AppContext &ctx, const QVector<CharacterVerdict> &verdicts,
                        const std::function<QString(int position)> &readingAt);

// The composer's hook (PracticeRun::notePinyinSyllables): in a pinyin drill,
// a syllable spelt for another goes into the run's pinyin mistakes.
void NotePinyinSyllables(AppContext &ctx, const QString &expectedSyllable, const QString &typedSyllable,
                         const QString &expectedChar);
