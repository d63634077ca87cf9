#include "progress/ProgressSummary.h"

#include "keyboard/KeyCodes.h"

const QStringList &TextKinds()
{
    static const QStringList kinds{exercise::kLine, exercise::kText, exercise::kWubi, exercise::kRace};
    return kinds;
}

namespace {

// The key that types `item` in text: a letter in either case, a digit, a
// symbol by either legend of its cap, a space on the space bar. 0 for
// anything else.
int KeyTyping(const QString &item, const QHash<QString, int> &byLegend)
{
    if (item == QStringLiteral(" "))
        return vk::Space;
    if (item.size() != 1 || item.at(0).unicode() > 0x7e)
        return 0;
    return byLegend.value(item.toUpper(), 0);
}

} // namespace

QHash<int, ItemTally> MainBlockKeyTallies(const QVector<ItemStat> &stats, const KeyboardPicture &mainBlock)
{
    QHash<QString, int> byLegend;    // main and upper legends
    QHash<QString, int> byKeyLegend; // main legends, as the key drill names its keys
    for (const KeyCap &cap : mainBlock.caps()) {
        byKeyLegend.insert(cap.legend, cap.code);
        byLegend.insert(cap.legend, cap.code);
        if (!cap.secondary.isEmpty())
            byLegend.insert(cap.secondary, cap.code);
    }
    QHash<int, ItemTally> tallies;
    for (const ItemStat &s : stats) {
        const int code = s.kind == exercise::kKeys ? byKeyLegend.value(s.item, 0)
                         : TextKinds().contains(s.kind) ? KeyTyping(s.item, byLegend)
                                                        : 0;
        if (code != 0)
            tallies[code].add(s.tally);
    }
    return tallies;
}

QVector<WeakCharacter> WeakestCharacters(const QVector<ItemStat> &stats, int count)
{
    QVector<ItemStat> text;
    QHash<QString, ItemTally> tallies;
    for (const ItemStat &s : stats)
        if (TextKinds().contains(s.kind)) {
            text.append(s);
            tallies[s.item].add(s.tally);
        }
    QVector<WeakCharacter> weakest;
    for (const WeightedItem &w : WeakSpotWeights(text, IsChineseCharacter)) {
        if (weakest.size() == count)
            break;
        weakest.append({w.item, w.weight, tallies.value(w.item)});
    }
    return weakest;
}
