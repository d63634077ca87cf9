#include "progress/PinyinConfusions.h"

#include <QHash>
#include <algorithm>

QVector<ConfusionStat> TallyConfusions(const QVector<PinyinMistake> &mistakes, const QDateTime &when)
{
    QVector<ConfusionStat> rows;
    for (const PinyinMistake &m : mistakes) {
        const QString kind = ConfusionKey(m.kind);
        const auto same = std::find_if(rows.begin(), rows.end(), [&](const ConfusionStat &r) {
            return r.kind == kind && r.expectedSyllable == m.expectedSyllable && r.typedSyllable == m.typedSyllable
                   && r.expectedChar == m.expectedChar && r.typedChar == m.typedChar;
        });
        if (same != rows.end())
            ++same->count;
        else
            rows.append({kind, m.expectedSyllable, m.typedSyllable, m.expectedChar, m.typedChar, 1, when});
    }
    return rows;
}

QStringList ConfusionLines(const QVector<ConfusionStat> &stored)
{
    constexpr int kPairsShown = 3;
    QStringList kinds;
    QHash<QString, qint64> total;
    QHash<QString, QStringList> pairs;
    for (const ConfusionStat &c : stored) { // most frequent first
        if (!total.contains(c.kind))
            kinds << c.kind;
        total[c.kind] += c.count;
        QStringList &shown = pairs[c.kind];
        if (shown.size() < kPairsShown) {
            const QString characters = c.typedChar.isEmpty() ? c.expectedChar : c.expectedChar + u'/' + c.typedChar;
            shown << QStringLiteral("%1 %2/%3 %4 次").arg(characters, c.expectedSyllable, c.typedSyllable).arg(c.count).trimmed();
        }
    }
    std::stable_sort(kinds.begin(), kinds.end(), [&](const QString &a, const QString &b) { return total[a] > total[b]; });
    QStringList lines;
    for (const QString &kind : kinds)
        lines << QStringLiteral("%1：%2 次（%3）")
                     .arg(ConfusionCaption(ConfusionFromKey(kind)))
                     .arg(total[kind])
                     .arg(pairs[kind].join(QStringLiteral("，")));
    return lines;
}

QVector<pinyin::ConfusedPair> PairsToDrill(const QVector<ConfusionStat> &stored, int most)
{
    QVector<pinyin::ConfusedPair> pairs;
    for (const ConfusionStat &c : stored) { // most frequent first
        if (pairs.size() >= most)
            break;
        const bool known = std::any_of(pairs.cbegin(), pairs.cend(), [&c](const pinyin::ConfusedPair &p) {
            return p.expectedSyllable == c.expectedSyllable && p.typedSyllable == c.typedSyllable;
        });
        if (!known)
            pairs.append({c.expectedSyllable, c.typedSyllable, c.expectedChar, c.typedChar});
    }
    return pairs;
}
