#pragma once
// The typing record file typerecord.dat: fixed 128-byte slots, the first 96
// bytes of each hold one record (little-endian numbers, GBK text fields padded
// with spaces). Shared by the result window and the record viewer.
#include "practice/TextFile.h"
#include "practice/TypingRun.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QLockFile>
#include <array>
#include <functional>
#include <vector>

inline constexpr int kRecordSlotSize = 128;
inline constexpr int kRecordDataSize = 96;

struct TypingRecord {
    qint32 number = 0;
    QString name;        // as stored: 16 bytes' worth, trailing spaces included
    qint32 speed = 0;    // characters per minute
    qint32 characters = 0;
    qint32 punctuation = 0;
    qint32 total = 0;    // all characters, spaces included
    QString accuracy;    // "97.50%" padded to 10 bytes
    QString timeUsed;    // "00:01:30" padded to 10 bytes
    QString kind;        // the exercise title
    QString savedAt;     // "yyyy-mm-dd hh:mm:ss "

    // The 96 bytes a record was read from. Rewriting the file (reordering,
    // deleting) keeps them and writes only the number anew, so text that
    // does not decode cleanly survives byte for byte.
    QByteArray stored;
};

// Stored widths of the text fields, in bytes.
inline constexpr int kNameWidth = 16;
inline constexpr int kAccuracyWidth = 10;
inline constexpr int kTimeUsedWidth = 10;
inline constexpr int kKindWidth = 20;
inline constexpr int kSavedAtWidth = 20;

// GBK bytes of `text`, cut at `width` bytes without splitting a character,
// then padded with spaces to exactly `width` bytes.
QByteArray EncodeTextField(const QString &text, int width);
// The longest start of `text` whose GBK bytes fit in `width`: what
// EncodeTextField keeps of it.
QString FitTextField(const QString &text, int width);
// The text of a stored field; bytes from the first NUL on are padding.
// Undecodable bytes become U+FFFD.
QString DecodeTextField(const char *bytes, int width);

// The 96 data bytes of a record (its stored bytes with the current number,
// when it has them), and back. DecodeRecord reads exactly 96 bytes.
QByteArray EncodeRecord(const TypingRecord &record);
TypingRecord DecodeRecord(const char *bytes);

// The columns of a record as the viewer shows them, in stored order.
enum class RecordColumn { Number, Name, Speed, Characters, Punctuation, Total, Accuracy, TimeUsed, Kind, SavedAt };
inline constexpr int kRecordColumns = 10;
// The text of one column straight from a record's 96 bytes, as the viewer
// shows it: numbers in decimal, the name trimmed, other texts as stored.
QString RecordCellText(const char *record, RecordColumn column);
// The stored number of a numeric column (0 for a text column).
qint32 RecordNumberField(const char *record, RecordColumn column);
// The stored bytes of a text column up to its first NUL (empty for a number).
QByteArrayView RecordTextBytes(const char *record, RecordColumn column);
bool IsTextColumn(RecordColumn column);

// Records in a file of this length: 0 up to 3 bytes, otherwise the number of
// 128-byte slots the file reaches into.
qint64 RecordCountForLength(qint64 fileLength);

// "2026-03-01 09:15:00 " as the save time is stored.
QString SaveTimeText(const QDateTime &when);

// The record of a run from its figures, as the result window saves it.
TypingRecord RecordOfRun(const RunFigures &figures, const TypedCounts &counts, const QString &name,
                         const QString &kind, const QDateTime &savedAt);

struct RecordReadResult {
    bool ok = false;
    QString error; // in the program's language
    std::vector<TypingRecord> records; // as far as they could be read
};

// Larger files are read only up to this size (and the read is not ok), so a
// wrong file cannot exhaust memory.
inline constexpr qint64 kMaxRecordFileBytes = qint64(32) * 1024 * 1024; // 262 144 records

// Every record of the file in file order. A missing file reads as no records
// (ok); a short last slot reads as if zero-filled. A file that cannot be read
// whole is not ok: a failed or short read yields no records at all, so that
// nothing is ever rewritten from part of the file.
RecordReadResult ReadAllRecords(const QString &path);
// The same from an open device that should yield `size` bytes; `path` names
// it in messages.
RecordReadResult ReadRecordsFrom(QIODevice &device, qint64 size, const QString &path);
// Records in the file at `path` now (0 when missing).
qint64 CountRecordsInFile(const QString &path);

// The records' data as stored, 96 bytes a record one after the other (the
// slots' unused tails left out, a short last slot zero-filled), decoded only
// when a record is needed. Same rules as ReadAllRecords: a failed or short
// read yields nothing.
struct RecordBytesResult {
    bool ok = false;
    QString error;
    QByteArray bytes;
};
RecordBytesResult ReadRecordBytes(const QString &path);
// Every record of such bytes, and such bytes of records.
std::vector<TypingRecord> DecodeRecords(const QByteArray &recordBytes);
QByteArray EncodeRecordBytes(const std::vector<TypingRecord> &records);

// The lock that every read-modify-write of the record file holds, so that
// two running copies of the program never work from each other's stale
// reads: a lock file beside the record file, freed when its holder exits.
class RecordFileLock {
public:
    explicit RecordFileLock(const QString &recordPath);
    // Waits a few seconds for another holder; false with error() when it
    // does not let go.
    bool acquire();
    QString error() const { return m_error; }

private:
    QLockFile m_lock;
    QString m_path;
    QString m_error;
};

// Saves the record as the next one of the file, under the lock: counts the
// records, numbers the new one count + 1 and writes it, creating the file
// when missing. On success `number` is the number it got.
struct SaveRecordResult {
    QString error; // empty on success
    qint64 number = 0;
};
SaveRecordResult AppendRecord(const QString &path, TypingRecord record);

// Under the lock: reads the whole file again, hands its records to `change`
// and, when it returns true, replaces the file with them. With `expected`,
// the change is made only while the file still holds exactly those records
// (as ReadRecordBytes gives them); otherwise `stale` is set and nothing is
// written. `bytes` is the file's records afterwards, as ReadRecordBytes gives
// them.
struct RewriteResult {
    QString error; // empty on success
    bool stale = false;
    bool changed = false;
    QByteArray bytes;
};
using RecordChange = std::function<bool(std::vector<TypingRecord> &records)>;
RewriteResult RewriteRecords(const QString &path, const RecordChange &change,
                             const QByteArray *expected = nullptr);

// Writes the record's 96 bytes at slot `number` (1-based), creating the file
// when missing. Returns an empty string on success, else the reason. On a
// failed write the file is cut back to its old length, so nothing already
// there is lost.
QString WriteRecordAt(const QString &path, qint64 number, const TypingRecord &record);

// Replaces the whole file with these records, slots 1..n in order, through a
// temporary file in the same folder renamed over the old one, so a crash
// leaves either the old or the new file. Empty string on success.
QString ReplaceAllRecords(const QString &path, const std::vector<TypingRecord> &records);
