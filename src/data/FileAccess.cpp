#include "data/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

ReadBytes ReadDeviceBytes(QIODevice &device, qint64 limit, qint64 expectedSize)
{
    ReadBytes result;
    // Reserve what the file says it holds (never more than the limit); a
    // device whose size is unknown grows the buffer as bytes arrive.
    if (expectedSize > 0)
        result.bytes.reserve(qsizetype(std::min(expectedSize, limit)));
    char chunk[64 * 1024];
    for (;;) {
        const qint64 want = std::min<qint64>(sizeof chunk, limit + 1 - result.bytes.size());
        const qint64 got = device.read(chunk, want);
        if (got < 0) {
            result.status = ReadStatus::ReadError;
            return result;
        }
        if (got == 0)
            break;
        result.bytes.append(chunk, qsizetype(got));
        if (result.bytes.size() > limit) {
            result.bytes.truncate(qsizetype(limit));
            result.status = ReadStatus::TooLarge;
            return result;
        }
    }
    result.status = expectedSize >= 0 && result.bytes.size() < expectedSize ? ReadStatus::Truncated
                                                                             : ReadStatus::Ok;
    return result;
}

ReadBytes ReadFileBytes(const QString &path, qint64 limit)
{
    ReadBytes result;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        result.status = ReadStatus::Missing;
        return result;
    }
    if (!info.isFile()) {
        result.status = ReadStatus::NotAFile;
        return result;
    }
    if (info.size() > limit) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::CannotOpen;
        return result;
    }
    return ReadDeviceBytes(file, limit, file.size());
}

QString ReadStatusText(ReadStatus status)
{
    switch (status) {
    case ReadStatus::Ok:
        return QString();
    case ReadStatus::Missing:
        return QStringLiteral("文件不存在");
    case ReadStatus::NotAFile:
        return QStringLiteral("不是普通文件（可能是文件夹）");
    case ReadStatus::CannotOpen:
        return QStringLiteral("无法打开文件（没有权限或被系统拒绝）");
    case ReadStatus::ReadError:
        return QStringLiteral("读取文件时出错");
    case ReadStatus::Truncated:
        return QStringLiteral("文件没有完整读出");
    case ReadStatus::TooLarge:
        return QStringLiteral("文件太大");
    }
    return QString();
}

QString WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that write() reports what really reached the file: a
    // buffered write would accept everything and a short flush could still
    // be committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString().isEmpty() ? QStringLiteral("无法创建文件") : file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit(); // discards the temporary file
        return reason.isEmpty() ? QStringLiteral("磁盘已满或文件太大") : reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
