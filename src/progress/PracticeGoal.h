#pragma once
// A goal on one passage or drill (by its title): it is practised again until
// a run reaches the target speed and accuracy together. Every run while the
// goal is open is a try; the best speed and the best accuracy of the tries
// are kept. A run that falls short leaves the goal open; the first one that
// reaches both targets ends it.
#include <QDateTime>
#include <QString>

struct PracticeGoal {
    QString material;          // the practice title
    double targetSpeed = 0;    // characters a minute
    double targetAccuracy = 0; // per cent
    int tries = 0;
    double bestSpeed = 0;
    double bestAccuracy = 0;
    QDateTime reached; // null while open

    bool isOpen() const { return !reached.isValid(); }
    bool isSet() const { return !material.isEmpty(); }
};

// Counts a run of `speed` and `accuracy` ended at `now` against an open
// goal; true when it reaches the goal. A goal already reached stays as it is.
bool RecordGoalTry(PracticeGoal &goal, double speed, double accuracy, const QDateTime &now);

// "目标 60 字/分、正确率 95%：第 3 次，最好 52 字/分、正确率 97%".
QString GoalText(const PracticeGoal &goal);
