#pragma once
// What the progress statistics hold: per learner, exercise kind and item (a
// character or a key) the attempts, errors and typing time, and one summary
// per practice run.
#include "practice/TypingFigures.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

// Exercise kinds as the statistics name them. A stored kind never changes
// meaning: "wubi" has always been the radical chart drill.
namespace exercise {
inline const QString kLine = QStringLiteral("line");
inline const QString kText = QStringLiteral("text");
inline const QString kFree = QStringLiteral("free");
inline const QString kLetters = QStringLiteral("letters");
inline const QString kWubiKeyNames = QStringLiteral("wubi-keynames");
inline const QString kWubiShortCodes = QStringLiteral("wubi-shortcodes");
inline const QString kWubiCharacters = QStringLiteral("wubi-characters");
inline const QString kWubiPhrases = QStringLiteral("wubi-phrases");
inline const QString kWubi = QStringLiteral("wubi"); // the radical chart drill
inline const QString kRadicalDrill = QStringLiteral("radicals");
inline const QString kRace = QStringLiteral("race");
inline const QString kKeys = QStringLiteral("keys");
inline const QString kFingering = QStringLiteral("fingering");
inline const QString kKeypad = QStringLiteral("keypad");
inline const QString kShuangpinKeys = QStringLiteral("shuangpin-keys"); // a syllable's two 双拼 keys
inline const QString kPassage = QStringLiteral("passage"); // 赛文
// The pinyin drills: their kinds all start with "pinyin-".
inline const QString kPinyinInitials = QStringLiteral("pinyin-initials");
inline const QString kPinyinFinals = QStringLiteral("pinyin-finals");
inline const QString kPinyinWholeSyllables = QStringLiteral("pinyin-whole");
inline const QString kPinyinCharacters = QStringLiteral("pinyin-characters");
inline const QString kPinyinWords = QStringLiteral("pinyin-words");
inline const QString kPinyinText = QStringLiteral("pinyin-text");
inline const QString kPinyinConfusions = QStringLiteral("pinyin-confusions");
inline bool IsPinyin(const QString &kind) { return kind.startsWith(QLatin1String("pinyin-")); }
// What the learner reads for a kind ("逐行练习" ...); the kind itself when unknown.
QString Caption(const QString &kind);
} // namespace exercise

struct ItemTally {
    qint64 attempts = 0;
    qint64 errors = 0;
    qint64 intervalMs = 0; // sum of the times from the previous keystroke
    qint64 timed = 0;      // attempts that have such a time
    QDateTime lastSeen;

    void add(const ItemTally &other);
    double errorRate() const { return attempts > 0 ? double(errors) / double(attempts) : 0.0; }
    // Mean time from the previous keystroke, in milliseconds; 0 when untimed.
    double meanIntervalMs() const { return timed > 0 ? double(intervalMs) / double(timed) : 0.0; }
};

struct ItemStat {
    QString kind;
    QString item;
    ItemTally tally;
};

struct RunSummary {
    QString learner;
    QString kind;
    QDateTime start;
    qint64 durationMs = 0;
    int characters = 0;
    int errors = 0;
    // Keys the built-in Wubi composer took for the run's characters; 0 for a
    // run typed without it.
    qint64 composerKeys = 0;
    // Characters a minute as the run's own report gave them (a text practice
    // counts the wall clock from its start); negative when the run has no
    // report and the speed follows from the duration.
    double reportedSpeed = -1;
    // How it was typed and the figures that shows (击键, 码长 ...).
    TypingFigures typing;
    qint64 id = 0; // its row in the store; 0 until first written

    // Characters a minute; 0 for a run too short to time.
    double speed() const
    {
        if (reportedSpeed >= 0)
            return reportedSpeed;
        return durationMs > 0 ? characters * 60000.0 / double(durationMs) : 0.0;
    }
};

// A confusion of two pinyin syllables: `kind` names it ("z-zh", "n-ng", "tone" ...).
struct ConfusionStat {
    QString kind;
    QString expectedSyllable; // toned
    QString typedSyllable;
    QString expectedChar;
    QString typedChar; // empty when only the syllable was seen
    qint64 count = 0;
    QDateTime lastSeen;
};

using ItemTallies = QHash<QString, QHash<QString, ItemTally>>; // kind -> item -> tally

// What is written in one go: the tallies gathered since the last write and
// the runs that ended meanwhile, then the run still going on as it stands
// (written again, over its own row, with every batch).
struct ProgressBatch {
    QString learner;
    ItemTallies items;
    QVector<RunSummary> runs;
    bool lastRunOpen = false; // the last of runs is the one going on

    bool isEmpty() const { return items.isEmpty() && runs.isEmpty(); }
};
