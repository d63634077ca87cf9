#include "progress/ProgressSummary.h"

#include "keyboard/KeyCodes.h"

const QStringList &TextKinds()
{
    static const QStringList kinds{exercise::kLine,          exercise::kText,           exercise::kLetters,
                                   exercise::kWubiKeyNames, exercise::kWubiShortCodes, exercise::kWubiCharacters,
                                   exercise::kWubiPhrases,  exercise::kWubi,           exercise::kRace};
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
    QHash<QString, int> byLegend; // main and upper legends
    for (const KeyCap &cap : mainBlock.caps()) {
        byLegend.insert(cap.legend, cap.code);
        if (!cap.secondary.isEmpty())
            byLegend.insert(cap.secondary, cap.code);
    }
    QHash<int, ItemTally> tallies;
    for (const ItemStat &s : stats) {
        const int code = s.kind == exercise::kKeys ? mainBlock.codeOf(s.item)
                         : TextKinds().contains(s.kind) ? KeyTyping(s.item, byLegend)
                                                        : 0;
        if (code != 0)
            tallies[code].add(s.tally);
    }
    return tallies;
}

QVector<WeightedItem> CharacterWeights(const QVector<ItemStat> &stats)
{
    QVector<ItemStat> text;
    for (const ItemStat &s : stats)
        if (TextKinds().contains(s.kind))
            text.append(s);
    return WeakSpotWeights(text, IsChineseCharacter);
}

QVector<WeakCharacter> WeakestCharacters(const QVector<ItemStat> &stats, int count)
{
    QHash<QString, ItemTally> tallies;
    for (const ItemStat &s : stats)
        if (TextKinds().contains(s.kind))
            tallies[s.item].add(s.tally);
    QVector<WeakCharacter> weakest;
    for (const WeightedItem &w : CharacterWeights(stats)) {
        if (weakest.size() == count)
            break;
        weakest.append({w.item, w.weight, tallies.value(w.item)});
    }
    return weakest;
}
