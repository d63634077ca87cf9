#include "progress/PracticeGoal.h"

#include <algorithm>
#include <cmath>

bool RecordGoalTry(PracticeGoal &goal, double speed, double accuracy, const QDateTime &now)
{
    if (!goal.isSet() || !goal.isOpen())
        return false;
    ++goal.tries;
    goal.bestSpeed = std::max(goal.bestSpeed, speed);
    goal.bestAccuracy = std::max(goal.bestAccuracy, accuracy);
    if (speed >= goal.targetSpeed && accuracy >= goal.targetAccuracy)
        goal.reached = now;
    return !goal.isOpen();
}

QString GoalText(const PracticeGoal &goal)
{
    QString text = QStringLiteral("目标 %1 字/分、正确率 %2%").arg(std::lround(goal.targetSpeed)).arg(goal.targetAccuracy, 0, 'f', 0);
    if (goal.tries == 0)
        return text + QStringLiteral("：还没有练习");
    text += QStringLiteral("：已练 %1 次，最好 %2 字/分、正确率 %3%")
                .arg(goal.tries)
                .arg(std::lround(goal.bestSpeed))
                .arg(goal.bestAccuracy, 0, 'f', 1);
    return goal.isOpen() ? text : text + QStringLiteral("，已达到");
}
