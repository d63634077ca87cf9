#include "wubi/Wubi.h"

#include "data/Random.h"

#include <algorithm>
#include <vector>

namespace {

const QLatin1String kLineEnd("\r\n");
constexpr int kLongWordMin = 5;
constexpr int kLongLineMax = 30;
constexpr int kPageLines = 4;

// One entry of a table string: "#" at `hash`, "%" at `percent`.
struct Entry {
    qsizetype hash;
    qsizetype percent;
    qsizetype wordLength() const { return percent - hash - 1; }
};

// Calls visit(entry) for every entry in table order. Text before the first
// "#" and pieces without a "%" are not entries.
template <typename Visit>
void forEachEntry(const QString &table, Visit visit)
{
    qsizetype hash = table.indexOf(QLatin1Char('#'));
    while (hash >= 0 && hash + 1 < table.size()) {
        qsizetype next = table.indexOf(QLatin1Char('#'), hash + 1);
        if (next < 0)
            next = table.size();
        const qsizetype percent = table.indexOf(QLatin1Char('%'), hash + 1);
        if (percent > hash && percent < next)
            visit(Entry{hash, percent});
        hash = next < table.size() ? next : -1;
    }
}

// The first character of every entry whose "#" lies `entryLength` characters
// before the next "#"; duplicates kept, table order.
QString firstCharsOfEntryLength(const QString &table, int entryLength)
{
    QString pool;
    qsizetype a = table.indexOf(QLatin1Char('#'));
    while (a >= 0) {
        const qsizetype b = table.indexOf(QLatin1Char('#'), a + 1);
        if (b < 0)
            break;
        if (b - a == entryLength)
            pool.append(table.at(a + 1));
        a = b;
    }
    return pool;
}

int itemsPerLine(int phraseLength)
{
    switch (phraseLength) {
    case 2: return 15;
    case 3: return 10;
    case 4: return 7;
    default: return 0;
    }
}

bool budgetUsed(const PracticeState &state) { return state.charsGenerated >= state.charBudget; }

// Positions of the "#" of every entry with a word of 5 or more characters,
// ascending. The table strings never change once built, so the positions are
// kept per table text; the kept copy shares the text's buffer, which keeps a
// freed table from being mistaken for a new one at the same address.
const std::vector<qsizetype> &longWordEntries(const QString &table)
{
    struct Cached {
        QString text;
        std::vector<qsizetype> positions;
    };
    thread_local std::vector<Cached> cache;
    for (const Cached &c : cache)
        if (c.text.constData() == table.constData() && c.text.size() == table.size())
            return c.positions;
    Cached fresh{table, {}};
    forEachEntry(table, [&](const Entry &e) {
        if (e.wordLength() >= kLongWordMin)
            fresh.positions.push_back(e.hash);
    });
    if (cache.size() >= 4)
        cache.erase(cache.begin());
    cache.push_back(std::move(fresh));
    return cache.back().positions;
}

} // namespace

namespace wubi {

QString ShortCodePool(const CodeTables &tables, ShortCodeSelectors which)
{
    QString pool;
    if (which.firstLevel)
        pool = firstCharsOfEntryLength(tables.t86.text(), 4);
    if (which.second86)
        pool = firstCharsOfEntryLength(tables.t86.text(), 5);
    if (which.second98)
        pool = firstCharsOfEntryLength(tables.t98.text(), 5);
    if (which.third86)
        pool = firstCharsOfEntryLength(tables.t86.text(), 6);
    if (which.third98)
        pool = firstCharsOfEntryLength(tables.t98.text(), 6);
    return pool;
}

QString PhrasePool(const CodeTables &tables, int length, bool edition86)
{
    if (itemsPerLine(length) == 0)
        return {};
    const QString &table = tables.edition(edition86).text();
    QString pool;
    forEachEntry(table, [&](const Entry &e) {
        if (e.wordLength() == length)
            pool.append(QStringView(table).mid(e.hash + 1, length));
    });
    return pool;
}

QString CharacterDrillText(PracticeState &state, const QString &pool, int perLine, int lines,
                           RandomSource &random)
{
    QString text;
    for (int line = 0; line < lines; ++line) {
        for (int place = 0; place < perLine; ++place) {
            if (budgetUsed(state))
                return text;
            // An empty pool still spends the budget, so a run over it ends.
            if (!pool.isEmpty())
                text.append(pool.at(random.uniform(1, int(pool.size())) - 1));
            ++state.charsGenerated;
            if (budgetUsed(state))
                return text + kLineEnd;
        }
        text.append(kLineEnd);
    }
    return text;
}

QString PhraseDrillText(PracticeState &state, const QString &pool, int length, RandomSource &random)
{
    const int perLine = itemsPerLine(length);
    const int phraseCount = perLine > 0 ? int(pool.size() / length) : 0;
    if (phraseCount == 0)
        return {};
    QString text;
    for (int line = 0; line < kPageLines; ++line) {
        for (int place = 0; place < perLine; ++place) {
            const int k = random.uniform(1, phraseCount);
            if (budgetUsed(state))
                return text;
            text.append(QStringView(pool).mid((k - 1) * length, length));
            state.charsGenerated += length;
            if (budgetUsed(state))
                return text + kLineEnd;
        }
        text.append(kLineEnd);
    }
    return text;
}

QString LongPhraseDrillText(PracticeState &state, bool edition86, RandomSource &random)
{
    const QString &table = CodeTablesOf(state).edition(edition86).text();
    const std::vector<qsizetype> &entries = longWordEntries(table);
    // Without any long word no pick could ever add to a line.
    if (entries.empty())
        return {};
    QString text;
    for (int line = 0; line < kPageLines; ++line) {
        QString current;
        for (;;) {
            const qsizetype r = random.uniform(1, int(table.size())) - 1;
            if (budgetUsed(state))
                return text;
            const auto found = std::lower_bound(entries.begin(), entries.end(), r);
            if (found == entries.end())
                continue;
            const qsizetype hash = *found;
            const qsizetype percent = table.indexOf(QLatin1Char('%'), hash + 1);
            const QStringView word = QStringView(table).mid(hash + 1, percent - hash - 1);
            current.append(word);
            state.charsGenerated += int(word.size());
            if (current.size() <= kLongLineMax) {
                if (budgetUsed(state))
                    return text + current + kLineEnd;
                continue;
            }
            current.chop(word.size());
            if (budgetUsed(state))
                return text + current + kLineEnd;
            state.charsGenerated -= int(word.size());
            text.append(current + kLineEnd);
            break;
        }
    }
    return text;
}

} // namespace wubi
