#include "progress/ReviewSchedule.h"

#include "keyboard/KeyboardPicture.h"
#include "progress/WeakSpots.h"

int review::IntervalDays(int box) { return 1 << (qBound(1, box, kBoxes) - 1); }

bool ApplyReview(ReviewItem &item, ReviewOutcome outcome, const QDate &today)
{
    const bool inNotebook = item.entered.isValid();
    if (outcome == ReviewOutcome::Missed) {
        if (!inNotebook)
            item.entered = today;
        item.box = 1;
        item.due = today.addDays(review::IntervalDays(1));
        item.retired = QDate();
        return true;
    }
    if (!inNotebook || item.isRetired() || item.due > today)
        return false;
    if (item.box >= review::kBoxes) {
        item.retired = today;
        return true;
    }
    ++item.box;
    item.due = today.addDays(review::IntervalDays(item.box));
    return true;
}

namespace {
bool IsKeyKind(const QString &kind)
{
    return kind == exercise::kKeys || kind == exercise::kFingering;
}
} // namespace

QVector<ReviewObservation> ObserveTallies(const ItemTallies &items)
{
    static const KeyboardPicture keyboard = KeyboardPicture::mainBlock();
    QVector<ReviewObservation> seen;
    for (auto kind = items.cbegin(); kind != items.cend(); ++kind) {
        const bool keys = IsKeyKind(kind.key());
        for (auto it = kind->cbegin(); it != kind->cend(); ++it) {
            QString reviewKind;
            if (IsChineseCharacter(it.key()))
                reviewKind = review::kCharacter;
            else if (keys && keyboard.codeOf(it.key()) != 0)
                reviewKind = review::kKey;
            else
                continue;
            const ItemTally &t = it.value();
            const bool missed = t.errors > 0 || (t.timed > 0 && t.meanIntervalMs() > review::kSlowMs);
            seen.append({reviewKind, it.key(), missed ? ReviewOutcome::Missed : ReviewOutcome::Right});
        }
    }
    return seen;
}
