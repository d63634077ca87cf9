#pragma once
// Whole-file access. Reading has an upper bound: only what the file really
// holds is allocated, and a file above the bound is not read on, so a wrong or
// huge file cannot exhaust memory. Writing replaces a file atomically.
#include <QByteArray>
#include <QString>

class QIODevice;

enum class ReadStatus {
    Ok,
    Missing,    // no such file (a dangling link included)
    NotAFile,   // a folder or a device
    CannotOpen, // no permission, or the system refused
    ReadError,  // the system reported an error while reading
    Truncated,  // fewer bytes came than the file's size promised
    TooLarge,   // more than the limit
};

struct ReadBytes {
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes; // what was read (on TooLarge: the first `limit` bytes)
    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads the device from its current position to its end, at most `limit`
// bytes; one more byte available gives TooLarge. `expectedSize` >= 0 is the
// size the device should yield: fewer bytes give Truncated.
ReadBytes ReadDeviceBytes(QIODevice &device, qint64 limit, qint64 expectedSize = -1);
// Opens and reads a regular file the same way.
ReadBytes ReadFileBytes(const QString &path, qint64 limit);

// The reason in the program's language, e.g. "无法打开文件（没有权限或被系统拒绝）".
QString ReadStatusText(ReadStatus status);

// Replaces the file with `bytes` through a temporary file renamed over it: the
// file holds the old or the new bytes whatever happens. A short write (full
// disk, size limit) is caught before the rename. Returns an empty string on
// success, else the system's reason.
QString WriteFileAtomically(const QString &path, const QByteArray &bytes);
