#include "club/ResultQueue.h"

#include "club/ClubDatabase.h"
#include "data/FileAccess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr qint64 kMaxQueueBytes = 16 * 1024 * 1024;

template <typename T>
void putOptional(QJsonObject &o, const char *key, const std::optional<T> &value)
{
    if (value)
        o.insert(QLatin1String(key), double(*value));
}

std::optional<double> optionalDouble(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? std::optional<double>(v.toDouble()) : std::nullopt;
}

std::optional<int> optionalInt(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? std::optional<int>(v.toInt()) : std::nullopt;
}

QJsonObject toJson(const ClubResult &r)
{
    QJsonObject o{{"submission", r.submission.toString(QUuid::WithoutBraces)},
                  {"race", QString::number(r.raceId)},
                  {"member", r.member},
                  {"speed", r.speed},
                  {"accuracy", r.accuracy},
                  {"characters", r.characters},
                  {"duration", r.durationSeconds},
                  {"errors", r.errors},
                  {"finished", r.finishedAt.toUTC().toString(Qt::ISODateWithMs)}};
    putOptional(o, "keysPerSecond", r.keysPerSecond);
    putOptional(o, "keysPerCharacter", r.keysPerCharacter);
    putOptional(o, "idealKeysPerCharacter", r.idealKeysPerCharacter);
    putOptional(o, "phraseShare", r.phraseShare);
    putOptional(o, "candidatePicks", r.candidatePicks);
    putOptional(o, "corrections", r.corrections);
    return o;
}

std::optional<ClubResult> fromJson(const QJsonObject &o)
{
    ClubResult r;
    r.submission = QUuid::fromString(o.value(QLatin1String("submission")).toString());
    r.raceId = o.value(QLatin1String("race")).toString().toLongLong();
    r.member = o.value(QLatin1String("member")).toString();
    r.speed = o.value(QLatin1String("speed")).toInt();
    r.accuracy = o.value(QLatin1String("accuracy")).toDouble();
    r.characters = o.value(QLatin1String("characters")).toInt();
    r.durationSeconds = o.value(QLatin1String("duration")).toInt();
    r.errors = o.value(QLatin1String("errors")).toInt();
    r.finishedAt = QDateTime::fromString(o.value(QLatin1String("finished")).toString(), Qt::ISODateWithMs);
    r.keysPerSecond = optionalDouble(o, "keysPerSecond");
    r.keysPerCharacter = optionalDouble(o, "keysPerCharacter");
    r.idealKeysPerCharacter = optionalDouble(o, "idealKeysPerCharacter");
    r.phraseShare = optionalDouble(o, "phraseShare");
    r.candidatePicks = optionalInt(o, "candidatePicks");
    r.corrections = optionalInt(o, "corrections");
    if (r.submission.isNull() || r.raceId <= 0 || r.member.isEmpty() || !r.finishedAt.isValid())
        return std::nullopt;
    return r;
}
} // namespace

ResultQueue::ResultQueue(QString path) : m_path(std::move(path)) {}

QString ResultQueue::load()
{
    m_pending.clear();
    m_loadFailed = false;
    const ReadBytes read = ReadFileBytes(m_path, kMaxQueueBytes);
    if (read.status == ReadStatus::Missing)
        return QString();
    QJsonParseError error;
    const QJsonDocument doc = read.ok() ? QJsonDocument::fromJson(read.bytes, &error) : QJsonDocument();
    if (!read.ok() || !doc.isArray()) {
        // Kept as it is: a later write would lose the results it holds.
        m_loadFailed = true;
        return QStringLiteral("待提交的成绩文件“%1”无法读取：%2").arg(m_path, read.ok() ? error.errorString() : ReadStatusText(read.status));
    }
    for (const QJsonValue &v : doc.array())
        if (const auto r = fromJson(v.toObject()))
            m_pending.append(*r);
    return QString();
}

QString ResultQueue::save()
{
    if (m_loadFailed)
        return QStringLiteral("待提交的成绩文件“%1”读不出来，为了不丢掉里面的成绩，没有改写它。").arg(m_path);
    QJsonArray array;
    for (const ClubResult &r : m_pending)
        array.append(toJson(r));
    const QString error = WriteFileAtomically(m_path, QJsonDocument(array).toJson(QJsonDocument::Compact));
    return error.isEmpty() ? QString() : QStringLiteral("无法保存待提交的成绩：%1").arg(error);
}

QString ResultQueue::add(const ClubResult &result)
{
    m_pending.append(result);
    return save();
}

ResultQueue::Flush ResultQueue::submitTo(QSqlDatabase &db)
{
    Flush flush;
    while (!m_pending.isEmpty()) {
        const ClubResult &next = m_pending.first();
        const ClubStatus status = SubmitResult(db, next);
        if (status.failure == ClubFailure::Unreachable || status.failure == ClubFailure::Other) {
            flush.status = status;
            break;
        }
        if (status.ok())
            ++flush.submitted;
        else
            flush.rejected << QStringLiteral("%1 字/分的成绩：%2").arg(next.speed).arg(status.message);
        m_pending.removeFirst();
        const QString error = save();
        if (!error.isEmpty()) {
            flush.status = ClubStatus::failed(ClubFailure::Other, error);
            break;
        }
    }
    return flush;
}

QString ResultQueuePath(const QString &userDataDir)
{
    return userDataDir + QStringLiteral("/club-results.json");
}
