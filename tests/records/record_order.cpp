// Reordering by the four keys (exactly as the selection sort leaves ties) and
// deleting by number and by user.
#include "records/RecordOrder.h"
#include "records/LiteralOrder.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

TypingRecord record(qint32 number, const QString &name, qint32 speed = 0,
                    const QString &savedAt = QString())
{
    TypingRecord r;
    r.number = number;
    r.name = name;
    r.speed = speed;
    r.savedAt = savedAt;
    return r;
}

// Records with few distinct keys, so that ties are everywhere; the tag in
// `characters` tells the records apart.
std::vector<TypingRecord> randomRecords(QRandomGenerator &random, int count)
{
    const QStringList names{QStringLiteral("王"), QStringLiteral("王小明"), QStringLiteral("李"),
                            QStringLiteral("ann"), QStringLiteral("Ann")};
    std::vector<TypingRecord> records;
    for (int i = 0; i < count; ++i) {
        TypingRecord r = record(random.bounded(1, 6), names[random.bounded(names.size())].leftJustified(16),
                                random.bounded(0, 4),
                                QStringLiteral("2026-01-0%1 09:00:00 ").arg(random.bounded(1, 4)));
        r.characters = i;
        records.push_back(r);
    }
    return records;
}

QList<int> tags(const std::vector<TypingRecord> &records)
{
    QList<int> out;
    for (const TypingRecord &r : records)
        out << r.characters;
    return out;
}

QList<int> numbers(const std::vector<TypingRecord> &records)
{
    QList<int> out;
    for (const TypingRecord &r : records)
        out << r.number;
    return out;
}

} // namespace

class RecordOrderTest : public QObject {
    Q_OBJECT

private slots:
    void orderingMatchesTheSelectionSortTiesIncluded()
    {
        QRandomGenerator random(20261208);
        for (RecordKey key : {RecordKey::Name, RecordKey::Speed, RecordKey::SavedAt, RecordKey::Number}) {
            for (int round = 0; round < 60; ++round) {
                std::vector<TypingRecord> fast = randomRecords(random, random.bounded(0, 80));
                std::vector<TypingRecord> slow = fast;
                OrderRecords(fast, key);
                literalSelectionSort(slow, key);
                QCOMPARE(tags(fast), tags(slow));
            }
        }
    }

    void selectionSortIsNotStableAndNeitherIsTheOrder()
    {
        // Equal speeds: the exchange of the 9 into front sends the first 5
        // behind the second one.
        std::vector<TypingRecord> records{record(1, "a", 5), record(2, "b", 5), record(3, "c", 9)};
        OrderRecords(records, RecordKey::Speed);
        QCOMPARE(numbers(records), (QList<int>{3, 2, 1}));
    }

    void speedIsDescendingAndRecordNumberDescending()
    {
        std::vector<TypingRecord> records{record(1, "a", 56), record(2, "b", 80), record(3, "c", 70)};
        OrderRecords(records, RecordKey::Speed);
        QCOMPARE(numbers(records), (QList<int>{2, 3, 1}));
        OrderRecords(records, RecordKey::Number);
        QCOMPARE(numbers(records), (QList<int>{3, 2, 1}));
    }

    void namesCompareByCodeValueTrailingSpacesIncluded()
    {
        std::vector<TypingRecord> records{record(1, QStringLiteral("b").leftJustified(16)),
                                          record(2, QStringLiteral("B").leftJustified(16)),
                                          record(3, QStringLiteral("王").leftJustified(16)),
                                          record(4, QStringLiteral("a b").leftJustified(16)),
                                          record(5, QStringLiteral("a").leftJustified(16))};
        OrderRecords(records, RecordKey::Name);
        // "a " < "a b" because the padding space comes before "b".
        QCOMPARE(numbers(records), (QList<int>{2, 5, 4, 1, 3}));
    }

    void savedAtIsOldestFirst()
    {
        std::vector<TypingRecord> records{record(1, "", 0, "2026-02-01 10:00:00 "),
                                          record(2, "", 0, "2025-12-31 23:59:59 "),
                                          record(3, "", 0, "2026-02-01 09:00:00 ")};
        OrderRecords(records, RecordKey::SavedAt);
        QCOMPARE(numbers(records), (QList<int>{2, 3, 1}));
    }

    void deletingByNumberRenumbers()
    {
        std::vector<TypingRecord> records{record(1, "a"), record(2, "b"), record(3, "c")};
        QVERIFY(RemoveRecordsWithNumber(records, 2));
        QCOMPARE(numbers(records), (QList<int>{1, 2}));
        QCOMPARE(records[1].name, QStringLiteral("c"));

        QVERIFY(!RemoveRecordsWithNumber(records, 7));
        QVERIFY(!RemoveRecordsWithNumber(records, 1.5));
        QCOMPARE(records.size(), size_t(2));

        // After a reorder the numbers follow the new file order.
        std::vector<TypingRecord> reordered{record(3, "c"), record(1, "a"), record(2, "b")};
        QVERIFY(RemoveRecordsWithNumber(reordered, 1));
        QCOMPARE(numbers(reordered), (QList<int>{1, 2}));
        QCOMPARE(reordered[0].name, QStringLiteral("c"));

        std::vector<TypingRecord> only{record(1, "a")};
        QVERIFY(RemoveRecordsWithNumber(only, 1));
        QVERIFY(only.empty());
    }

    void deletingAUserMatchesNamesThatBeginWithIt()
    {
        const std::vector<TypingRecord> file{record(1, QStringLiteral(" 王").leftJustified(16)),
                                             record(2, QStringLiteral("王小明").leftJustified(16)),
                                             record(3, QStringLiteral("李王").leftJustified(16))};
        std::vector<TypingRecord> records = file;
        QVERIFY(RemoveRecordsOfUser(records, QStringLiteral(" 王 ")));
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(records[0].name.trimmed(), QStringLiteral("李王"));
        QCOMPARE(records[0].number, 1);

        records = file;
        QVERIFY(RemoveRecordsOfUser(records, QStringLiteral("王小明")));
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records[0].name.trimmed(), QStringLiteral("王"));

        records = file;
        QVERIFY(!RemoveRecordsOfUser(records, QStringLiteral("王小明明")));
        QVERIFY(!RemoveRecordsOfUser(records, QStringLiteral("   ")));
        QCOMPARE(records.size(), size_t(3));
    }
};

QTEST_GUILESS_MAIN(RecordOrderTest)
#include "record_order.moc"
