// The record-file reader and the record viewer's reordering and pruning: any
// bytes in place of typerecord.dat are read without harm, every ordering is a
// permutation that a plain selection sort agrees with, pruning renumbers, and
// what is written back reads back the same.
#include "FuzzSupport.h"

#include "records/RecordFile.h"
#include "records/RecordOrder.h"
#include "records/LiteralOrder.h"

#include <QBuffer>
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <utility>

namespace {
bool sameRecords(const std::vector<TypingRecord> &a, const std::vector<TypingRecord> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (EncodeRecord(a[i]) != EncodeRecord(b[i]))
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider choose(data, size);
    const int keyIndex = choose.ConsumeIntegralInRange<int>(0, 3);
    const qint32 numberToDelete = choose.ConsumeIntegralInRange<qint32>(-1, 40);
    const QString user = QString::fromUtf8(QByteArray::fromStdString(choose.ConsumeRandomLengthString(8)));
    const QByteArray bytes = QByteArray::fromStdString(choose.ConsumeRemainingBytesAsString());

    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const RecordReadResult read = ReadRecordsFrom(device, bytes.size(), QStringLiteral("typerecord.dat"));
    FUZZ_CHECK(read.ok && read.error.isEmpty());
    FUZZ_CHECK(qint64(read.records.size()) == RecordCountForLength(bytes.size()));
    // Each record keeps its 96 stored bytes.
    for (size_t i = 0; i < read.records.size(); ++i) {
        const qsizetype at = qsizetype(i) * kRecordSlotSize;
        QByteArray slot = bytes.mid(at, kRecordDataSize);
        slot.append(kRecordDataSize - slot.size(), '\0');
        FUZZ_CHECK(EncodeRecord(read.records[i]) == slot);
        // The viewer's cells, made straight from the stored bytes, say what
        // the decoded record says.
        const TypingRecord &r = read.records[i];
        const QString decoded[kRecordColumns] = {
            QString::number(r.number), r.name.trimmed(), QString::number(r.speed), QString::number(r.characters),
            QString::number(r.punctuation), QString::number(r.total), r.accuracy, r.timeUsed, r.kind, r.savedAt};
        for (int column = 0; column < kRecordColumns; ++column)
            FUZZ_CHECK(RecordCellText(slot.constData(), static_cast<RecordColumn>(column)) == decoded[column]);
    }

    const auto key = static_cast<RecordKey>(keyIndex);
    std::vector<TypingRecord> ordered = read.records;
    OrderRecords(ordered, key);
    std::vector<TypingRecord> expected = read.records;
    literalSelectionSort(expected, key);
    FUZZ_CHECK(sameRecords(ordered, expected));

    std::vector<TypingRecord> pruned = ordered;
    const bool removedNumber = RemoveRecordsWithNumber(pruned, numberToDelete);
    FUZZ_CHECK(removedNumber == (pruned.size() < ordered.size()));
    const bool removedUser = RemoveRecordsOfUser(pruned, user);
    FUZZ_CHECK(!removedUser || !user.trimmed().isEmpty());
    for (size_t i = 0; i < pruned.size(); ++i)
        FUZZ_CHECK(pruned[i].number == qint32(i + 1) || (!removedNumber && !removedUser));

    // Written back and read again, the file holds the same records.
    const QString path = ScratchDir() + QStringLiteral("/typerecord.dat");
    FUZZ_CHECK(ReplaceAllRecords(path, pruned).isEmpty());
    const RecordReadResult back = ReadAllRecords(path);
    FUZZ_CHECK(back.ok && sameRecords(back.records, pruned));
    return 0;
}
