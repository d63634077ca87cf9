#pragma once
// 赛文: one passage typed for the record. The first try of a learner at a
// passage on a day is the record try; later tries that day are practice.
// Every try is kept, and the learner's own tries at a passage are ranked.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

struct PassageTry {
    qint64 id = 0; // its row in the store; 0 until written
    QDateTime at;
    double speed = 0;    // characters a minute
    double accuracy = 0; // per cent
    int characters = 0;
    bool record = false; // the first try of its day

    bool operator==(const PassageTry &o) const
    {
        return id == o.id && at == o.at && speed == o.speed && accuracy == o.accuracy && characters == o.characters
               && record == o.record;
    }
};

// Best first: the faster, then the more accurate, then the earlier.
void RankTries(QVector<PassageTry> &tries);
// The place (1 for the best) of the try `id` among the ranked `tries`; 0 when absent.
int RankOf(const QVector<PassageTry> &tries, qint64 id);

// What the store files a passage under: a hash of its text, line breaks
// left out (the same passage wrapped otherwise is the same passage).
QString PassageKey(const QString &text);

// Which of `count` passages is the passage of `day`: every learner gets the
// same on the same day, and consecutive days different ones.
int DailyPassageIndex(int count, const QDate &day);

struct AppPaths;
// A passage to type: its title and text, or the reason there is none.
struct Passage {
    QString title;
    QString text;
    QString error;
};
// The passage of `day` among the bundled Chinese texts (text/Czh, text/Cwb,
// by file name), titled "M月d日 <name>".
Passage DailyPassage(const AppPaths &paths, const QDate &day);
// "01-春天的公园.txt" -> "春天的公园"
QString PassageTitleOfFile(const QString &path);

// A passage longer than this is cut to it (a passage is typed in one go).
inline constexpr int kMaxPassageCharacters = 5000;
