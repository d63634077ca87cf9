#include "records/RecordOrder.h"

#include <algorithm>
#include <utility>

namespace {

// Ranks of the records' keys: equal keys share a rank, and a lower rank
// comes strictly before a higher one. The tree below then compares integers.
std::vector<int> keyRanks(const std::vector<TypingRecord> &records, RecordKey key)
{
    std::vector<int> order(records.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    const auto before = [&](int a, int b) { return RecordComesBefore(key, records[size_t(a)], records[size_t(b)]); };
    std::sort(order.begin(), order.end(), before);
    std::vector<int> rank(records.size());
    int current = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && before(order[i - 1], order[i]))
            ++current;
        rank[size_t(order[i])] = current;
    }
    return rank;
}

// A tournament tree over slot positions: each inner node holds the position of
// the best record below it, the earlier position winning ties, which is the
// record a selection sort's scan would pick. Placed positions drop out.
class BestRecordTree {
public:
    explicit BestRecordTree(const std::vector<int> &rank) : m_rank(rank)
    {
        while (m_leaves < rank.size())
            m_leaves *= 2;
        m_node.assign(2 * m_leaves, kNone);
        for (size_t i = 0; i < rank.size(); ++i)
            m_node[m_leaves + i] = i;
        for (size_t n = m_leaves - 1; n >= 1; --n)
            m_node[n] = better(m_node[2 * n], m_node[2 * n + 1]);
    }

    size_t best() const { return m_node[1]; }

    void remove(size_t position) { set(position, kNone); }
    void refresh(size_t position) { set(position, position); }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    size_t better(size_t a, size_t b) const
    {
        if (a == kNone)
            return b;
        if (b == kNone)
            return a;
        if (m_rank[b] != m_rank[a])
            return m_rank[b] < m_rank[a] ? b : a;
        return a < b ? a : b;
    }

    void set(size_t position, size_t value)
    {
        size_t n = m_leaves + position;
        m_node[n] = value;
        for (n /= 2; n >= 1; n /= 2)
            m_node[n] = better(m_node[2 * n], m_node[2 * n + 1]);
    }

    const std::vector<int> &m_rank; // by position, exchanged along with the records
    size_t m_leaves = 1;
    std::vector<size_t> m_node;
};

QStringView leadingCharacters(const QString &text, qsizetype count)
{
    return QStringView(text).left(count);
}

void renumber(std::vector<TypingRecord> &records)
{
    qint32 number = 0;
    for (TypingRecord &r : records)
        r.number = ++number;
}

template <typename Matches>
bool removeAndRenumber(std::vector<TypingRecord> &records, Matches matches)
{
    const size_t before = records.size();
    std::vector<TypingRecord> kept;
    kept.reserve(before);
    for (TypingRecord &r : records) {
        if (!matches(r))
            kept.push_back(std::move(r));
    }
    records = std::move(kept);
    renumber(records);
    return records.size() != before;
}

} // namespace

bool RecordComesBefore(RecordKey key, const TypingRecord &a, const TypingRecord &b)
{
    switch (key) {
    case RecordKey::Name:
        return a.name < b.name;
    case RecordKey::Speed:
        return a.speed > b.speed;
    case RecordKey::SavedAt:
        return a.savedAt < b.savedAt;
    case RecordKey::Number:
        return a.number > b.number;
    }
    return false;
}

void OrderRecords(std::vector<TypingRecord> &records, RecordKey key)
{
    if (records.size() < 2)
        return;
    std::vector<int> rank = keyRanks(records, key);
    BestRecordTree tree(rank);
    for (size_t place = 0; place + 1 < records.size(); ++place) {
        const size_t best = tree.best();
        if (best != place) {
            std::swap(records[place], records[best]);
            std::swap(rank[place], rank[best]);
            tree.refresh(best);
        }
        tree.remove(place);
    }
}

bool RemoveRecordsWithNumber(std::vector<TypingRecord> &records, double number)
{
    return removeAndRenumber(records, [number](const TypingRecord &r) { return r.number == number; });
}

bool RemoveRecordsOfUser(std::vector<TypingRecord> &records, const QString &user)
{
    const QString wanted = user.trimmed();
    if (wanted.isEmpty())
        return false;
    return removeAndRenumber(records, [&wanted](const TypingRecord &r) {
        return leadingCharacters(r.name.trimmed(), wanted.size()) == wanted;
    });
}
