#pragma once
// The progress database: SQLite through Qt SQL, in write-ahead-log mode, its
// schema kept in PRAGMA user_version and brought up to date by migrations.
// A store that cannot be opened says why (in Chinese) and stays unusable; the
// caller goes on without recording. A write that fails (another program
// holding the file, a full disk) keeps its batch and is tried again, on a
// fresh connection, with the next write.
#include "progress/ProgressData.h"
#include "progress/ProgressSummary.h"
#include "progress/PracticeGoal.h"
#include "progress/ReviewSchedule.h"

#include <QString>
#include <QVariant>
#include <QVector>

class QSqlQuery;
struct PassageTry;

class ProgressStore {
public:
    static int schemaVersion();

    ProgressStore() = default;
    ~ProgressStore();
    ProgressStore(const ProgressStore &) = delete;
    ProgressStore &operator=(const ProgressStore &) = delete;

    // Opens (creating) the database at `path`; false with error() on failure.
    bool open(const QString &path);
    bool isOpen() const { return !m_connection.isEmpty(); }
    QString error() const { return m_error; }

    // Adds the batch's tallies to the stored ones and stores its runs, all in
    // one transaction: either all of it is written or none. A run with a row
    // (id) has it brought up to date; a new one gets its id. On failure the
    // batch is kept and written with the next call, before its batch; after
    // a success `batch.runs` holds every run written, with its row.
    bool write(ProgressBatch &batch);
    bool write(const ProgressBatch &batch)
    {
        ProgressBatch copy = batch;
        return write(copy);
    }
    // Writes in a row that failed; 0 after a successful one.
    int failedWrites() const { return m_failedWrites; }
    bool holdsUnwritten() const { return !m_kept.isEmpty(); }
    // The run `runId` and its tallies `items`, written under `from`, go to `to`.
    bool moveRun(qint64 runId, const QString &from, const QString &to, const ItemTallies &items);
    // Everything of learner `from` goes to `to`, added to what `to` has.
    bool mergeLearner(const QString &from, const QString &to);

    QVector<ItemStat> itemStats(const QString &learner, const QString &kind = QString()) const;
    QVector<RunSummary> runs(const QString &learner = QString()) const;
    QStringList learners() const;
    // The learner's runs summed per day (the local date of their start) and
    // kind, ordered by kind and day.
    QVector<DayProgress> dailyProgress(const QString &learner) const;
    // The learner's totals per kind, ordered by kind.
    QVector<KindTotals> kindTotals(const QString &learner) const;
    // The learner's totals per input method, ordered by method.
    QVector<MethodTotals> methodTotals(const QString &learner) const;

    // Keeps a try at the passage `passage` (PassageKey) titled `title`; it is
    // the record try when the learner has none at it on its day yet. Sets
    // the try's id and record flag; false with error() when not written.
    bool addPassageTry(const QString &learner, const QString &passage, const QString &title, PassageTry &attempt);
    // The learner's tries at `passage`, best first.
    QVector<PassageTry> passageTries(const QString &learner, const QString &passage) const;

    // Adds the counts of pinyin confusions seen (by learner, kind, syllables
    // and characters) to the stored ones, in one transaction.
    bool addConfusions(const QString &learner, const QVector<ConfusionStat> &seen);
    // The learner's confusions, the most frequent first.
    QVector<ConfusionStat> confusions(const QString &learner) const;

    // The review notebook. What was typed on `today` moves its items
    // (ApplyReview), in one transaction.
    bool recordReviews(const QString &learner, const QVector<ReviewObservation> &seen, const QDate &today);
    // The learner's items, soonest due first; with `dueBy` only those not
    // retired and due by then; with `kind` only those of the kind.
    QVector<ReviewItem> reviewItems(const QString &learner, const QDate &dueBy = QDate(),
                                    const QString &kind = QString()) const;
    NotebookCounts notebookCounts(const QString &learner, const QDate &today) const;
    // Days on which the notebook changed, with the totals up to that day.
    QVector<NotebookDay> notebookGrowth(const QString &learner) const;

    // The learner's goal on `material`; one not set has an empty material.
    PracticeGoal goal(const QString &learner, const QString &material) const;
    // Stores the goal as it is (a new target replaces the old goal).
    bool saveGoal(const QString &learner, const PracticeGoal &goal);

private:
    // `sql` run with `values` bound in order, ready to step through with
    // next(); a query without rows when closed or failing.
    QSqlQuery select(const QString &sql, const QVariantList &values = {}) const;
    // Keeps the reason; the caller closes the connection. Returns false.
    bool fail(const QString &what, const QString &detail);
    bool openAndMigrate(const QString &path);
    bool migrate();
    bool writeKept();
    bool writeBatch(ProgressBatch &batch);
    void keep(const ProgressBatch &batch);
    void close();

    QString m_connection; // Qt SQL connection name, empty while closed
    QString m_path;       // once opened successfully: reopened after a failed write
    QString m_error;
    QVector<ProgressBatch> m_kept; // not written yet, oldest first
    int m_failedWrites = 0;
};
