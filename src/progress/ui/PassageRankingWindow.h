#pragma once
// The small list window of 赛文 results: the learner's tries at one passage,
// best first (speed, then accuracy), the record tries marked, the latest try
// picked out.
#include "practice/Passage.h"

#include <QDialog>

class ProgressStore;
class QLabel;
class QTableWidget;

class PassageRankingWindow : public QDialog {
    Q_OBJECT
public:
    explicit PassageRankingWindow(QWidget *parent = nullptr);

    // Shows `tries` (ranked) of the passage `title`; `latest` is the try just
    // made (0 when none), said in the heading.
    void showTries(const QString &title, const QVector<PassageTry> &tries, qint64 latest);

    QLabel *heading() const { return m_heading; }
    QTableWidget *table() const { return m_table; }

private:
    QLabel *m_heading = nullptr;
    QTableWidget *m_table = nullptr;
};

// What the heading says of the try `latest` among the ranked `tries`.
QString TryHeading(const QVector<PassageTry> &tries, qint64 latest);

// The one ranking window (made on first use, beside `parent`), showing the
// learner's tries at the passage `key`.
void ShowPassageRanking(QWidget *parent, const ProgressStore &store, const QString &learner, const QString &title,
                        const QString &key, qint64 latest);
