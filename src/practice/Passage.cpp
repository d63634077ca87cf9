#include "practice/Passage.h"

#include "data/Paths.h"
#include "practice/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

void RankTries(QVector<PassageTry> &tries)
{
    std::stable_sort(tries.begin(), tries.end(), [](const PassageTry &a, const PassageTry &b) {
        if (a.speed != b.speed)
            return a.speed > b.speed;
        if (a.accuracy != b.accuracy)
            return a.accuracy > b.accuracy;
        return a.at < b.at;
    });
}

int RankOf(const QVector<PassageTry> &tries, qint64 id)
{
    for (qsizetype i = 0; i < tries.size(); ++i)
        if (tries[i].id == id)
            return int(i) + 1;
    return 0;
}

QString PassageKey(const QString &text)
{
    QString joined = text;
    joined.remove(QLatin1Char('\r'));
    joined.remove(QLatin1Char('\n'));
    return QString::fromLatin1(QCryptographicHash::hash(joined.toUtf8(), QCryptographicHash::Sha256).toHex());
}

int DailyPassageIndex(int count, const QDate &day)
{
    if (count <= 0 || !day.isValid())
        return -1;
    return int(day.toJulianDay() % count);
}

QString PassageTitleOfFile(const QString &path)
{
    QString name = QFileInfo(path).completeBaseName();
    const qsizetype dash = name.indexOf(QLatin1Char('-'));
    if (dash > 0 && dash < 4)
        name = name.mid(dash + 1);
    return name;
}

Passage DailyPassage(const AppPaths &paths, const QDate &day)
{
    QStringList files;
    for (const char *folder : {"text/Czh", "text/Cwb"}) {
        const QDir dir(paths.data(QString::fromLatin1(folder)));
        for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    const int chosen = DailyPassageIndex(int(files.size()), day);
    if (chosen < 0)
        return {{}, {}, QStringLiteral("找不到自带的中文文章（text 文件夹），没有每日赛文。")};
    const TextReadResult read = ReadTextFile(files[chosen], false);
    if (!read.ok)
        return {{}, {}, QStringLiteral("无法读取今天的赛文“%1”：%2").arg(QDir::toNativeSeparators(files[chosen]), read.error)};
    return {QStringLiteral("%1 %2").arg(day.toString(QStringLiteral("M月d日")), PassageTitleOfFile(files[chosen])),
            read.text, {}};
}
