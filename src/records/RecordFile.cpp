#include "records/RecordFile.h"

#include "data/FileAccess.h"
#include "data/Gbk.h"
#include "data/Settings.h"
#include "practice/Statistics.h"

#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QDir>
#include <QtEndian>
#include <cerrno>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Byte offsets of the fields inside the 96 data bytes: each field follows
// the one before it; numbers take 4 bytes.
constexpr int kIntWidth = 4;
constexpr int kNumberAt = 0;
constexpr int kNameAt = kNumberAt + kIntWidth;
constexpr int kSpeedAt = kNameAt + kNameWidth;
constexpr int kCharactersAt = kSpeedAt + kIntWidth;
constexpr int kPunctuationAt = kCharactersAt + kIntWidth;
constexpr int kTotalAt = kPunctuationAt + kIntWidth;
constexpr int kAccuracyAt = kTotalAt + kIntWidth;
constexpr int kTimeUsedAt = kAccuracyAt + kAccuracyWidth;
constexpr int kKindAt = kTimeUsedAt + kTimeUsedWidth;
constexpr int kSavedAtAt = kKindAt + kKindWidth;
static_assert(kSavedAtAt == 76 && kSavedAtAt + kSavedAtWidth == kRecordDataSize);

void putInt(QByteArray &data, int at, qint32 value)
{
    qToLittleEndian<qint32>(value, data.data() + at);
}

qint32 getInt(const char *bytes, int at)
{
    return qFromLittleEndian<qint32>(bytes + at);
}

void putText(QByteArray &data, int at, const QString &text, int width)
{
    const QByteArray field = EncodeTextField(text, width);
    std::copy(field.begin(), field.end(), data.begin() + at);
}

QString cannotOpen(const QString &path)
{
    return QStringLiteral("无法打开记录文件 %1").arg(QDir::toNativeSeparators(path));
}

// The system's reason for the last failed call, in the program's language.
QString systemReason(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("磁盘已满");
    case EDQUOT: return QStringLiteral("超出磁盘配额");
    case EACCES:
    case EPERM: return QStringLiteral("没有写入权限");
    case EROFS: return QStringLiteral("磁盘是只读的");
    case EFBIG: return QStringLiteral("文件太大");
    case EIO: return QStringLiteral("磁盘读写出错");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString cannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入记录文件 %1（%2）").arg(QDir::toNativeSeparators(path), reason);
}

QString notAFile(const QString &path)
{
    return QStringLiteral("记录文件 %1 不是普通文件").arg(QDir::toNativeSeparators(path));
}

struct FieldSpan {
    int at;
    int width;
};

FieldSpan spanOf(RecordColumn column)
{
    switch (column) {
    case RecordColumn::Number: return {kNumberAt, kIntWidth};
    case RecordColumn::Name: return {kNameAt, kNameWidth};
    case RecordColumn::Speed: return {kSpeedAt, kIntWidth};
    case RecordColumn::Characters: return {kCharactersAt, kIntWidth};
    case RecordColumn::Punctuation: return {kPunctuationAt, kIntWidth};
    case RecordColumn::Total: return {kTotalAt, kIntWidth};
    case RecordColumn::Accuracy: return {kAccuracyAt, kAccuracyWidth};
    case RecordColumn::TimeUsed: return {kTimeUsedAt, kTimeUsedWidth};
    case RecordColumn::Kind: return {kKindAt, kKindWidth};
    case RecordColumn::SavedAt: return {kSavedAtAt, kSavedAtWidth};
    }
    return {0, 0};
}

} // namespace

QByteArray EncodeTextField(const QString &text, int width)
{
    QByteArray bytes = EncodeGbk(text);
    // Cut on a character boundary: a GBK lead byte (0x81..0xFE) always comes
    // with its trail byte, so no half character is stored.
    qsizetype keep = 0;
    while (keep < bytes.size()) {
        const qsizetype length = static_cast<unsigned char>(bytes.at(keep)) >= 0x81 ? 2 : 1;
        if (keep + length > width)
            break;
        keep += length;
    }
    bytes.truncate(keep);
    bytes.append(width - keep, ' ');
    return bytes;
}

QString FitTextField(const QString &text, int width)
{
    qsizetype end = 0;
    int bytes = 0;
    while (end < text.size()) {
        // A surrogate pair is one character.
        const qsizetype length = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        bytes += int(EncodeGbk(text.mid(end, length)).size());
        if (bytes > width)
            break;
        end += length;
    }
    return text.left(end);
}

bool IsTextColumn(RecordColumn column)
{
    return spanOf(column).width != kIntWidth;
}

qint32 RecordNumberField(const char *record, RecordColumn column)
{
    return IsTextColumn(column) ? 0 : getInt(record, spanOf(column).at);
}

QByteArrayView RecordTextBytes(const char *record, RecordColumn column)
{
    if (!IsTextColumn(column))
        return {};
    const FieldSpan span = spanOf(column);
    const char *bytes = record + span.at;
    return QByteArrayView(bytes, qstrnlen(bytes, uint(span.width)));
}

QString RecordCellText(const char *record, RecordColumn column)
{
    if (!IsTextColumn(column))
        return QString::number(RecordNumberField(record, column));
    const FieldSpan span = spanOf(column);
    const QString text = DecodeTextField(record + span.at, span.width);
    return column == RecordColumn::Name ? text.trimmed() : text;
}

QString DecodeTextField(const char *bytes, int width)
{
    int length = 0;
    bool ascii = true;
    for (; length < width && bytes[length] != '\0'; ++length)
        ascii = ascii && static_cast<unsigned char>(bytes[length]) < 0x80;
    // Numbers and times are plain ASCII; only names and titles need the codec.
    return ascii ? QString::fromLatin1(bytes, length) : DecodeGbk(QByteArrayView(bytes, length));
}

QByteArray EncodeRecord(const TypingRecord &r)
{
    if (r.stored.size() == kRecordDataSize) {
        QByteArray data = r.stored;
        putInt(data, kNumberAt, r.number);
        return data;
    }
    QByteArray data(kRecordDataSize, '\0');
    putInt(data, kNumberAt, r.number);
    putText(data, kNameAt, r.name, kNameWidth);
    putInt(data, kSpeedAt, r.speed);
    putInt(data, kCharactersAt, r.characters);
    putInt(data, kPunctuationAt, r.punctuation);
    putInt(data, kTotalAt, r.total);
    putText(data, kAccuracyAt, r.accuracy, kAccuracyWidth);
    putText(data, kTimeUsedAt, r.timeUsed, kTimeUsedWidth);
    putText(data, kKindAt, r.kind, kKindWidth);
    putText(data, kSavedAtAt, r.savedAt, kSavedAtWidth);
    return data;
}

namespace {

// Decodes the text fields of many records. A record file holds few distinct
// names and titles, so each distinct field is decoded once.
class FieldDecoder {
public:
    QString decode(const char *bytes, int width)
    {
        const QByteArray key = QByteArray::fromRawData(bytes, width);
        auto it = m_cache.constFind(key);
        if (it != m_cache.constEnd())
            return it.value();
        const QString text = DecodeTextField(bytes, width);
        m_cache.insert(QByteArray(bytes, width), text);
        return text;
    }

private:
    QHash<QByteArray, QString> m_cache;
};

TypingRecord decodeRecordWith(const char *bytes, FieldDecoder &fields)
{
    TypingRecord r;
    r.stored = QByteArray(bytes, kRecordDataSize);
    r.number = getInt(bytes, kNumberAt);
    r.name = fields.decode(bytes + kNameAt, kNameWidth);
    r.speed = getInt(bytes, kSpeedAt);
    r.characters = getInt(bytes, kCharactersAt);
    r.punctuation = getInt(bytes, kPunctuationAt);
    r.total = getInt(bytes, kTotalAt);
    r.accuracy = fields.decode(bytes + kAccuracyAt, kAccuracyWidth);
    r.timeUsed = fields.decode(bytes + kTimeUsedAt, kTimeUsedWidth);
    r.kind = fields.decode(bytes + kKindAt, kKindWidth);
    r.savedAt = DecodeTextField(bytes + kSavedAtAt, kSavedAtWidth); // nearly always distinct
    return r;
}

} // namespace

TypingRecord DecodeRecord(const char *bytes)
{
    FieldDecoder fields;
    return decodeRecordWith(bytes, fields);
}

qint64 RecordCountForLength(qint64 fileLength)
{
    if (fileLength <= 3)
        return 0;
    return (fileLength + kRecordSlotSize - 1) / kRecordSlotSize;
}

QString SaveTimeText(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1Char(' ');
}

TypingRecord RecordOfRun(const RunFigures &figures, const TypedCounts &counts, const QString &name,
                         const QString &kind, const QDateTime &savedAt)
{
    TypingRecord r;
    r.name = name;
    r.speed = figures.speed();
    r.characters = counts.characterCount;
    r.punctuation = counts.punctuationCount;
    r.total = counts.totalCount;
    r.accuracy = AccuracyText(counts.totalCount, figures.errors);
    r.timeUsed = ElapsedTimeText(figures.elapsedSeconds);
    r.kind = kind;
    r.savedAt = SaveTimeText(savedAt);
    return r;
}

RecordReadResult ReadAllRecords(const QString &path)
{
    RecordBytesResult read = ReadRecordBytes(path);
    RecordReadResult result;
    result.ok = read.ok;
    result.error = read.error;
    result.records = DecodeRecords(read.bytes);
    return result;
}

namespace {

RecordBytesResult readSlotsFrom(QIODevice &device, qint64 size, const QString &path)
{
    RecordBytesResult result;
    ReadBytes read = ReadDeviceBytes(device, kMaxRecordFileBytes, size);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (read.status == ReadStatus::ReadError || read.status == ReadStatus::Truncated) {
        // Nothing from a failed read is shown or written back.
        result.error = QStringLiteral("记录文件 %1 读取失败：%2").arg(shownPath, ReadStatusText(read.status));
        return result;
    }
    QByteArray &bytes = result.bytes;
    bytes = std::move(read.bytes);
    const qint64 count = RecordCountForLength(bytes.size());
    // A short last slot reads as zeros, as reading past the end would; a
    // file of up to 3 bytes holds no record. The data move together in
    // place, without the tails of the slots.
    // (Shortened only at the end: a shorter QByteArray ends in a NUL that
    // would overwrite a byte still to be moved.)
    const qint64 available = bytes.size();
    if (available < count * kRecordDataSize)
        bytes.resize(count * kRecordDataSize, '\0');
    char *data = bytes.data();
    for (qint64 i = 1; i < count; ++i) {
        const qint64 from = i * kRecordSlotSize;
        const qint64 length = std::clamp<qint64>(available - from, 0, kRecordDataSize);
        std::memmove(data + i * kRecordDataSize, data + from, size_t(length));
        std::memset(data + i * kRecordDataSize + length, 0, size_t(kRecordDataSize - length));
    }
    bytes.resize(count * kRecordDataSize);
    bytes.squeeze();
    result.ok = read.ok();
    if (read.status == ReadStatus::TooLarge)
        result.error = QStringLiteral("记录文件 %1 太大，只读出了前 %2 条记录").arg(shownPath).arg(count);
    return result;
}

} // namespace

RecordBytesResult ReadRecordBytes(const QString &path)
{
    RecordBytesResult result;
    QFile file(path);
    if (!file.exists()) {
        result.ok = true;
        return result;
    }
    if (!QFileInfo(path).isFile()) {
        result.error = notAFile(path);
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = cannotOpen(path);
        return result;
    }
    return readSlotsFrom(file, file.size(), path);
}

std::vector<TypingRecord> DecodeRecords(const QByteArray &recordBytes)
{
    std::vector<TypingRecord> records;
    const qint64 count = recordBytes.size() / kRecordDataSize;
    records.reserve(size_t(count));
    FieldDecoder fields;
    for (qint64 i = 0; i < count; ++i)
        records.push_back(decodeRecordWith(recordBytes.constData() + i * kRecordDataSize, fields));
    return records;
}

QByteArray EncodeRecordBytes(const std::vector<TypingRecord> &records)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(records.size()) * kRecordDataSize);
    for (const TypingRecord &r : records)
        bytes += EncodeRecord(r);
    return bytes;
}

RecordReadResult ReadRecordsFrom(QIODevice &device, qint64 size, const QString &path)
{
    const RecordBytesResult read = readSlotsFrom(device, size, path);
    RecordReadResult result;
    result.ok = read.ok;
    result.error = read.error;
    result.records = DecodeRecords(read.bytes);
    return result;
}

qint64 CountRecordsInFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? RecordCountForLength(info.size()) : 0;
}

QString WriteRecordAt(const QString &path, qint64 number, const TypingRecord &record)
{
    // Unbuffered: the record goes out in one write, and a failed write
    // leaves nothing behind in a buffer that would stop the cut below.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return cannotOpen(path);
    const qint64 oldLength = file.size();
    const QByteArray data = EncodeRecord(record);
    const qint64 offset = (number - 1) * kRecordSlotSize;
    // Bytes between the old end and the new slot are zeros.
    errno = 0;
    const bool written = file.seek(offset) && file.write(data) == data.size();
    if (!written) {
        // A short write sets no errno: the disk took part of it and is full.
        const int error = errno ? errno : ENOSPC;
        file.resize(oldLength);
        return cannotWrite(path, systemReason(error));
    }
    return QString();
}

QString ReplaceAllRecords(const QString &path, const std::vector<TypingRecord> &records)
{
    QByteArray bytes;
    if (!records.empty())
        bytes.reserve(static_cast<qsizetype>(records.size()) * kRecordSlotSize);
    for (size_t i = 0; i < records.size(); ++i) {
        if (i > 0)
            bytes.append(kRecordSlotSize - kRecordDataSize, '\0');
        bytes += EncodeRecord(records[i]);
    }
    const QString reason = WriteFileAtomically(path, bytes);
    return reason.isEmpty() ? QString() : cannotWrite(path, reason);
}

RecordFileLock::RecordFileLock(const QString &recordPath)
    : m_lock(recordPath + QStringLiteral(".lock")), m_path(recordPath)
{
}

bool RecordFileLock::acquire()
{
    // A save or a rewrite takes well under a second; a holder that was
    // killed leaves a lock that QLockFile recognises by its dead process.
    constexpr int kWaitMs = 5000;
    if (m_lock.tryLock(kWaitMs))
        return true;
    const QString shown = QDir::toNativeSeparators(m_path);
    m_error = m_lock.error() == QLockFile::LockFailedError
                  ? QStringLiteral("记录文件 %1 正被另一个程序窗口使用，请稍后再试").arg(shown)
                  : QStringLiteral("无法锁定记录文件 %1（无法在它所在的文件夹中创建锁文件）").arg(shown);
    return false;
}

SaveRecordResult AppendRecord(const QString &path, TypingRecord record)
{
    SaveRecordResult result;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        // A folder or a pipe in its place would swallow or block the write.
        result.error = notAFile(path);
        return result;
    }
    RecordFileLock lock(path);
    if (!lock.acquire()) {
        result.error = lock.error();
        return result;
    }
    const qint64 count = CountRecordsInFile(path);
    if (count >= std::numeric_limits<qint32>::max()) {
        result.error = QStringLiteral("记录文件 %1 的记录号已用完，不能再保存").arg(QDir::toNativeSeparators(path));
        return result;
    }
    record.number = qint32(count + 1);
    result.error = WriteRecordAt(path, count + 1, record);
    if (result.error.isEmpty())
        result.number = count + 1;
    return result;
}

RewriteResult RewriteRecords(const QString &path, const RecordChange &change, const QByteArray *expected)
{
    RewriteResult result;
    RecordFileLock lock(path);
    if (!lock.acquire()) {
        result.error = lock.error();
        return result;
    }
    RecordBytesResult read = ReadRecordBytes(path);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    if (expected && read.bytes != *expected) {
        result.stale = true;
        result.bytes = std::move(read.bytes);
        return result;
    }
    std::vector<TypingRecord> records = DecodeRecords(read.bytes);
    read.bytes.clear();
    if (!change(records)) {
        result.bytes = EncodeRecordBytes(records);
        return result;
    }
    result.error = ReplaceAllRecords(path, records);
    result.changed = result.error.isEmpty();
    result.bytes = result.changed ? EncodeRecordBytes(records) : ReadRecordBytes(path).bytes;
    return result;
}
