#pragma once
// The menu commands of the progress subsystem: the learner, and the
// weak-spot drills built from the learner's statistics.
#include "progress/ReviewSchedule.h"
#include "progress/WeakSpots.h"

struct AppContext;
class Shell;
class ProgressService;
class QWidget;

void RegisterProgressCommands(AppContext &ctx, Shell &shell, ProgressService &progress);

// Asks for the learner, offering those with statistics. False when cancelled.
bool ChooseLearner(AppContext &ctx, ProgressService &progress, QWidget *parent);

// The drill pools: items drawn by weight (DrawWeakSpots), joined, so a
// uniform draw from the pool keeps their proportions. Empty without statistics.
QString WeakCharacterPool(const ProgressService &progress, RandomSource &random);
// Two-character phrases of the Wubi 86 table, each weighing what its
// characters weigh together; the pool is the phrases joined.
QString WeakPhrasePool(const ProgressService &progress, const QString &phrasePool, RandomSource &random);

// "今日待复习 N 项（字 a，词组 b，键 c）".
QString ReviewDueText(const QVector<ReviewItem> &due);
// 今日复习: says how many items are due and drills them (characters and
// phrases in the line practice, keys alone in the key drill).
void OpenTodaysReview(AppContext &ctx, Shell &shell, ProgressService &progress);
// 练习目标: the target speed and accuracy for the practice open now.
void EditGoal(AppContext &ctx, Shell &shell, ProgressService &progress);
// The graded drills: characters by level of the standard table and by
// frequency band, and the most common words.
void RegisterGradedDrills(AppContext &ctx, Shell &shell);
