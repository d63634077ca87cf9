#pragma once
// The review notebook (错字本): the characters, phrases and keys a learner
// missed, typed slowly or typed with a longer code than the shortest, each
// brought back at growing intervals until it is learned.
//
// Leitner boxes: an item enters box 1, due the next day. Typed right and
// fast enough (no miss, at most kSlowMs from the previous keystroke) on or
// after its due day, it moves up one box and is due again after the new
// box's interval (1, 2, 4, 8, 16 days for boxes 1..5); right in box 5 it is
// retired, after kBoxes reviews in a row at growing intervals. Typed right
// before it is due, nothing changes. Missed or slow at any time (also once
// retired), it goes back to box 1, due the next day.
#include "progress/ProgressData.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace review {
// What an item is; stored as these words.
inline const QString kCharacter = QStringLiteral("char");
inline const QString kPhrase = QStringLiteral("phrase");
inline const QString kKey = QStringLiteral("key");

constexpr int kBoxes = 5;
// Slower than this from the previous keystroke, an item was typed slowly.
constexpr qint64 kSlowMs = 3000;
// Days until an item in box `box` (1-based) is due again.
int IntervalDays(int box);
} // namespace review

struct ReviewItem {
    QString kind; // review::kCharacter, kPhrase or kKey
    QString item;
    int box = 1;
    QDate due;
    QDate entered;
    QDate retired; // null while learning
    bool isRetired() const { return retired.isValid(); }
};

enum class ReviewOutcome { Right, Missed };

// `item` after it was typed on `today` with `outcome`; `item.entered` is
// null for one not in the notebook yet, which then enters only when missed.
// Returns false when nothing changes.
bool ApplyReview(ReviewItem &item, ReviewOutcome outcome, const QDate &today);

struct ReviewObservation {
    QString kind;
    QString item;
    ReviewOutcome outcome = ReviewOutcome::Right;
};

// What a batch of keystrokes tells the notebook: every Chinese character
// and key typed, missed when it had an error or was slow on average.
// Phrases are judged by their characters elsewhere.
QVector<ReviewObservation> ObserveTallies(const ItemTallies &items);

// The notebook's figures for the progress window.
struct NotebookCounts {
    int due = 0;
    int learning = 0; // not retired, due or not
    int retired = 0;
};
// Per day: items in the notebook (entered so far) and retired so far.
struct NotebookDay {
    QDate day;
    int entered = 0;
    int retired = 0;
};
