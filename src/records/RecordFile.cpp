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

QString cannotWrite(const QString &path)
{
    return QStringLiteral("无法写入记录文件 %1（磁盘已满或没有写入权限）").arg(QDir::toNativeSeparators(path));
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

qint32 SpeedFromText(const QString &speedText)
{
    const QString trimmed = speedText.trimmed();
    return SettingToInt32(trimmed.left(qMax<qsizetype>(0, trimmed.size() - 3)).trimmed());
}

TypingRecord RecordFromReport(const std::array<QString, 6> &values, const QString &name,
                              const QString &kind, const QDateTime &savedAt)
{
    TypingRecord r;
    r.name = name;
    r.speed = SpeedFromText(values[0]);
    r.characters = SettingToInt32(values[1]);
    r.punctuation = SettingToInt32(values[2]);
    r.total = SettingToInt32(values[3]);
    r.accuracy = values[4];
    r.timeUsed = values[5];
    r.kind = kind;
    r.savedAt = SaveTimeText(savedAt);
    return r;
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
    RecordReadResult result;
    QFile file(path);
    if (!file.exists()) {
        result.ok = true;
        return result;
    }
    if (!QFileInfo(path).isFile()) {
        result.error = QStringLiteral("记录文件 %1 不是普通文件").arg(QDir::toNativeSeparators(path));
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = cannotOpen(path);
        return result;
    }
    return ReadRecordsFrom(file, file.size(), path);
}

RecordReadResult ReadRecordsFrom(QIODevice &device, qint64 size, const QString &path)
{
    RecordReadResult result;
    ReadBytes read = ReadDeviceBytes(device, kMaxRecordFileBytes, size);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (read.status == ReadStatus::ReadError || read.status == ReadStatus::Truncated) {
        // Nothing from a failed read is shown or written back.
        result.error = QStringLiteral("记录文件 %1 读取失败：%2").arg(shownPath, ReadStatusText(read.status));
        return result;
    }
    QByteArray &bytes = read.bytes;
    const qint64 count = RecordCountForLength(bytes.size());
    // A short last slot reads as zeros, as reading past the end would.
    bytes.append(count * kRecordSlotSize - bytes.size(), '\0');
    result.records.reserve(static_cast<size_t>(count));
    FieldDecoder fields;
    for (qint64 i = 0; i < count; ++i)
        result.records.push_back(decodeRecordWith(bytes.constData() + i * kRecordSlotSize, fields));
    result.ok = read.ok();
    if (read.status == ReadStatus::TooLarge)
        result.error = QStringLiteral("记录文件 %1 太大，只读出了前 %2 条记录").arg(shownPath).arg(count);
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
    const bool written = file.seek(offset) && file.write(data) == data.size();
    if (!written) {
        file.resize(oldLength);
        return cannotWrite(path);
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
    return reason.isEmpty() ? QString() : cannotWrite(path);
}
