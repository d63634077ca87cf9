#include "records/RecordOrder.h"

#include <utility>

namespace {

// A tournament tree over slot positions: each inner node holds the position of
// the best record below it, the earlier position winning ties, which is the
// record a selection sort's scan would pick. Placed positions drop out.
class BestRecordTree {
public:
    BestRecordTree(const std::vector<TypingRecord> &records, RecordKey key)
        : m_records(records), m_key(key)
    {
        while (m_leaves < records.size())
            m_leaves *= 2;
        m_node.assign(2 * m_leaves, kNone);
        for (size_t i = 0; i < records.size(); ++i)
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
        if (RecordComesBefore(m_key, m_records[b], m_records[a]))
            return b;
        if (RecordComesBefore(m_key, m_records[a], m_records[b]))
            return a;
        return a < b ? a : b;
    }

    void set(size_t position, size_t value)
    {
        size_t n = m_leaves + position;
        m_node[n] = value;
        for (n /= 2; n >= 1; n /= 2)
            m_node[n] = better(m_node[2 * n], m_node[2 * n + 1]);
    }

    const std::vector<TypingRecord> &m_records;
    RecordKey m_key;
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
    BestRecordTree tree(records, key);
    for (size_t place = 0; place + 1 < records.size(); ++place) {
        const size_t best = tree.best();
        if (best != place) {
            std::swap(records[place], records[best]);
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
