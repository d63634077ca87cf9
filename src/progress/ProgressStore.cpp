#include "progress/ProgressStore.h"

#include "practice/Passage.h"
#include "progress/ReviewSchedule.h"

#include <algorithm>
#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Each step brings the schema from its index to index + 1. Never edit a step
// once released; add one instead.
const char *const kMigrations[] = {
    // 0 -> 1: per-item tallies
    "CREATE TABLE item_stats ("
    " learner TEXT NOT NULL, kind TEXT NOT NULL, item TEXT NOT NULL,"
    " attempts INTEGER NOT NULL DEFAULT 0, errors INTEGER NOT NULL DEFAULT 0,"
    " interval_ms INTEGER NOT NULL DEFAULT 0, timed INTEGER NOT NULL DEFAULT 0,"
    " last_seen TEXT,"
    " PRIMARY KEY (learner, kind, item))",
    // 1 -> 2: one summary per run
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY, learner TEXT NOT NULL, kind TEXT NOT NULL,"
    " started TEXT NOT NULL, duration_ms INTEGER NOT NULL,"
    " characters INTEGER NOT NULL, errors INTEGER NOT NULL);"
    "CREATE INDEX runs_by_learner ON runs (learner, started)",
    // 2 -> 3: the keys typed through the built-in composer
    "ALTER TABLE runs ADD COLUMN composer_keys INTEGER NOT NULL DEFAULT 0",
    // 3 -> 4: the speed a run's own report gave (NULL: follows from the duration)
    "ALTER TABLE runs ADD COLUMN speed REAL",
    // 4 -> 5: how a run was typed and its typing figures (keys NULL: not seen)
    "ALTER TABLE runs ADD COLUMN method TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE runs ADD COLUMN keys INTEGER;"
    "ALTER TABLE runs ADD COLUMN committed_characters INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE runs ADD COLUMN phrase_characters INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE runs ADD COLUMN candidate_picks INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE runs ADD COLUMN text_corrections INTEGER;"
    "ALTER TABLE runs ADD COLUMN code_corrections INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE runs ADD COLUMN ideal_keys INTEGER;"
    "ALTER TABLE runs ADD COLUMN ideal_characters INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX runs_by_method ON runs (learner, method)",
    // 5 -> 6: the tries at a passage (赛文), by learner and passage text hash
    "CREATE TABLE passage_tries ("
    " id INTEGER PRIMARY KEY, learner TEXT NOT NULL, passage TEXT NOT NULL, title TEXT NOT NULL DEFAULT '',"
    " tried_at TEXT NOT NULL, speed REAL NOT NULL, accuracy REAL NOT NULL, characters INTEGER NOT NULL,"
    " record INTEGER NOT NULL);"
    "CREATE INDEX passage_tries_by_learner ON passage_tries (learner, passage, tried_at)",
    // 6 -> 7: the learner's pinyin confusions: which syllable was typed for
    // which, through which characters, how often
    "CREATE TABLE pinyin_confusions ("
    " learner TEXT NOT NULL, kind TEXT NOT NULL, expected TEXT NOT NULL, typed TEXT NOT NULL,"
    " expected_char TEXT NOT NULL, typed_char TEXT NOT NULL,"
    " count INTEGER NOT NULL DEFAULT 0, last_seen TEXT,"
    " PRIMARY KEY (learner, kind, expected, typed, expected_char, typed_char))",
    // 7 -> 8: the review notebook (ReviewSchedule.h), seeded with the items
    // the statistics show as weak: missed in one try of twenty or more, or
    // slower than three seconds on average; due at once.
    "CREATE TABLE review_items ("
    " learner TEXT NOT NULL, kind TEXT NOT NULL, item TEXT NOT NULL,"
    " box INTEGER NOT NULL, due TEXT NOT NULL, entered TEXT NOT NULL, retired TEXT,"
    " PRIMARY KEY (learner, kind, item));"
    "CREATE INDEX review_items_due ON review_items (learner, retired, due);"
    "INSERT INTO review_items (learner, kind, item, box, due, entered)"
    " SELECT learner, CASE WHEN kind = 'keys' THEN 'key' ELSE 'char' END, item, 1,"
    " date('now', 'localtime'), date('now', 'localtime') FROM item_stats"
    " WHERE (kind = 'keys' OR (length(item) = 1 AND unicode(item) BETWEEN 19968 AND 40959))"
    " GROUP BY learner, kind = 'keys', item"
    " HAVING sum(errors) * 20 >= sum(attempts) AND sum(errors) > 0"
    " OR sum(timed) > 0 AND sum(interval_ms) > 3000 * sum(timed)",
    // 8 -> 9: goals on a passage or drill (PracticeGoal.h)
    "CREATE TABLE goals ("
    " learner TEXT NOT NULL, material TEXT NOT NULL,"
    " target_speed REAL NOT NULL, target_accuracy REAL NOT NULL,"
    " tries INTEGER NOT NULL DEFAULT 0, best_speed REAL NOT NULL DEFAULT 0,"
    " best_accuracy REAL NOT NULL DEFAULT 0, reached TEXT,"
    " PRIMARY KEY (learner, material))",
};
constexpr int kVersion = int(sizeof kMigrations / sizeof kMigrations[0]);

QString NewConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("quorvel-progress-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Text columns refuse NULL: a null string is stored as ''.
QString NonNull(const QString &text) { return text.isNull() ? QStringLiteral("") : text; }
// The learner without a name is stored as ''.
QString LearnerKey(const QString &learner) { return NonNull(learner); }

// Milliseconds to wait for another program's lock: short for reading, so the
// window that reads never stalls; longer for writing, which may wait a moment
// for a backup tool or a second copy of the program to let go.
constexpr int kReadBusyMs = 100;
constexpr int kWriteBusyMs = 1000;

// SQLITE_BUSY and SQLITE_LOCKED: another connection holds the file.
bool IsBusy(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6");
}

QVariant OrNull(qint64 value) { return value >= 0 ? QVariant(value) : QVariant(); }

// The run's columns from learner on, in the order the statements below name them.
const QString kRunColumns = QStringLiteral(
    "learner, kind, started, duration_ms, characters, errors, composer_keys, speed, method, keys,"
    " committed_characters, phrase_characters, candidate_picks, text_corrections, code_corrections,"
    " ideal_keys, ideal_characters");
constexpr int kRunColumnCount = 17;

QString Iso(const QDateTime &t) { return t.toString(Qt::ISODateWithMs); }
QDateTime FromIso(const QVariant &v) { return QDateTime::fromString(v.toString(), Qt::ISODateWithMs); }

} // namespace

int ProgressStore::schemaVersion() { return kVersion; }

ProgressStore::~ProgressStore() { close(); }

void ProgressStore::close()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

bool ProgressStore::fail(const QString &what, const QString &detail)
{
    m_error = detail.trimmed().isEmpty() ? what : what + QStringLiteral("（") + detail.trimmed() + QStringLiteral("）");
    return false;
}

bool ProgressStore::open(const QString &path)
{
    if (path != m_path)
        m_path.clear();
    close();
    m_error.clear();
    // The connection closes only once the queries of the attempt are gone.
    const bool opened = openAndMigrate(path);
    if (!opened)
        close();
    return opened;
}

bool ProgressStore::openAndMigrate(const QString &path)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return fail(QStringLiteral("缺少 SQLite 数据库驱动，学习进度不能记录"), QString());
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_connection = NewConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // Never wait long for another program holding the file: practice goes on.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kReadBusyMs));
    if (!db.open())
        return fail(QStringLiteral("无法打开学习进度数据库 %1").arg(QDir::toNativeSeparators(path)),
                    db.lastError().text());
    // The version is checked before anything that changes the file: a
    // database of a newer version stays byte for byte as it was.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return fail(IsBusy(q.lastError()) ? QStringLiteral("学习进度数据库正被另一个程序使用")
                                          : QStringLiteral("学习进度数据库已损坏"),
                    q.lastError().text());
    const int version = q.value(0).toInt();
    q.finish();
    if (version > kVersion)
        return fail(QStringLiteral("学习进度数据库来自较新的版本，本程序不修改它"), QString());
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return fail(IsBusy(q.lastError()) ? QStringLiteral("学习进度数据库正被另一个程序使用")
                                          : QStringLiteral("学习进度数据库已损坏"),
                    q.lastError().text());
    q.finish();
    // Batches are written on the window's thread while the learner types: in
    // WAL mode NORMAL waits for no disk flush at commit, and a crash of the
    // program still loses nothing committed (only a power cut can).
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    q.finish();
    if (!migrate())
        return false;
    m_path = path;
    return true;
}

bool ProgressStore::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return fail(QStringLiteral("学习进度数据库已损坏"), q.lastError().text());
    const int version = q.value(0).toInt();
    q.finish();
    for (int step = version; step < kVersion; ++step) {
        if (!db.transaction())
            return fail(QStringLiteral("学习进度数据库被占用"), db.lastError().text());
        const QStringList statements = QString::fromLatin1(kMigrations[step]).split(QLatin1Char(';'));
        for (const QString &statement : statements) {
            if (!q.exec(statement)) {
                const QString detail = q.lastError().text();
                db.rollback();
                return fail(QStringLiteral("学习进度数据库无法升级"), detail);
            }
        }
        if (!q.exec(QStringLiteral("PRAGMA user_version=%1").arg(step + 1)) || !db.commit()) {
            const QString detail = q.lastError().text() + db.lastError().text();
            db.rollback();
            return fail(QStringLiteral("学习进度数据库无法升级"), detail);
        }
    }
    return true;
}

namespace {
// Adds one item's tally (learner, kind, item, attempts, errors, interval,
// timed, last seen) to what is stored.
const QString kAddTally = QStringLiteral(
    "INSERT INTO item_stats (learner, kind, item, attempts, errors, interval_ms, timed, last_seen)"
    " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"
    " ON CONFLICT (learner, kind, item) DO UPDATE SET"
    " attempts = attempts + excluded.attempts, errors = errors + excluded.errors,"
    " interval_ms = interval_ms + excluded.interval_ms, timed = timed + excluded.timed,"
    " last_seen = max(coalesce(last_seen, ''), excluded.last_seen)");

// Two summaries of one run: the same row, or, before it has one, the same
// kind and start.
bool SameRun(const RunSummary &a, const RunSummary &b)
{
    return b.id > 0 ? a.id == b.id : a.kind == b.kind && a.start == b.start;
}
} // namespace

void ProgressStore::keep(const ProgressBatch &batch)
{
    if (batch.isEmpty())
        return;
    if (m_kept.isEmpty() || m_kept.last().learner != batch.learner) {
        m_kept.append(batch);
        return;
    }
    // Tallies of one learner add up: the kept batch does not grow with time.
    ProgressBatch &last = m_kept.last();
    for (auto kind = batch.items.cbegin(); kind != batch.items.cend(); ++kind)
        for (auto item = kind->cbegin(); item != kind->cend(); ++item)
            last.items[kind.key()][item.key()].add(item.value());
    // A run already kept is replaced by its newer summary: one row per run.
    for (const RunSummary &run : batch.runs) {
        const auto same = std::find_if(last.runs.begin(), last.runs.end(),
                                       [&run](const RunSummary &k) { return SameRun(k, run); });
        if (same != last.runs.end())
            *same = run;
        else
            last.runs.append(run);
    }
}

bool ProgressStore::write(ProgressBatch &batch)
{
    // Only a store that once opened is reopened: a file this program must not
    // touch (newer, damaged) stays closed.
    if (m_path.isEmpty())
        return false;
    keep(batch);
    if (m_kept.isEmpty())
        return true;
    if (!isOpen() && !open(m_path)) {
        ++m_failedWrites;
        return false;
    }
    if (!writeKept()) {
        // A fresh connection next time: one that failed may be in a bad state.
        close();
        ++m_failedWrites;
        return false;
    }
    // The caller learns the rows its runs got (kept ones were merged by id,
    // or by kind and start while they had none).
    for (RunSummary &run : batch.runs)
        for (const ProgressBatch &kept : std::as_const(m_kept))
            for (const RunSummary &written : kept.runs)
                if (kept.learner == batch.learner && SameRun(written, run))
                    run.id = written.id;
    m_kept.clear();
    m_failedWrites = 0;
    return true;
}

bool ProgressStore::writeKept()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery busy(db);
    busy.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kWriteBusyMs));
    if (!db.transaction()) {
        return fail(IsBusy(db.lastError()) ? QStringLiteral("学习进度数据库正被另一个程序使用，稍后再写入")
                                           : QStringLiteral("学习进度无法写入，稍后再试"),
                    db.lastError().text());
    }
    bool ok = true;
    for (ProgressBatch &batch : m_kept)
        ok = ok && writeBatch(batch);
    if (!ok || !db.commit()) {
        if (ok)
            fail(QStringLiteral("学习进度无法写入，稍后再试"), db.lastError().text());
        db.rollback();
        busy.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kReadBusyMs));
        return false;
    }
    busy.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kReadBusyMs));
    return true;
}

// One batch inside the transaction writeKept() opened; its new runs get their rows.
bool ProgressStore::writeBatch(ProgressBatch &batch)
{
    const QString learner = LearnerKey(batch.learner);
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery upsert(db);
    const bool upsertReady = upsert.prepare(kAddTally);
    QSqlQuery insertRun(db);
    QStringList marks, assignments;
    for (const QString &column : kRunColumns.split(QLatin1Char(','))) {
        marks << QStringLiteral("?");
        assignments << column.trimmed() + QStringLiteral(" = ?");
    }
    const bool insertReady = insertRun.prepare(
        QStringLiteral("INSERT INTO runs (%1) VALUES (%2)").arg(kRunColumns, marks.join(QLatin1Char(','))));
    // A run written before (the one going on, or it ended since) has its row
    // brought up to date: one row per run.
    QSqlQuery updateRun(db);
    const bool updateReady = updateRun.prepare(
        QStringLiteral("UPDATE runs SET %1 WHERE id = ?").arg(assignments.join(QLatin1Char(','))));
    if (!upsertReady || !insertReady || !updateReady) {
        // A table or column missing: the file was changed by another program.
        return fail(QStringLiteral("学习进度数据库缺少数据表或列，无法写入"),
                    upsert.lastError().text() + insertRun.lastError().text() + updateRun.lastError().text());
    }
    bool ok = true;
    for (auto kind = batch.items.cbegin(); ok && kind != batch.items.cend(); ++kind) {
        for (auto item = kind->cbegin(); ok && item != kind->cend(); ++item) {
            const ItemTally &t = item.value();
            upsert.addBindValue(learner);
            upsert.addBindValue(kind.key());
            upsert.addBindValue(item.key());
            upsert.addBindValue(t.attempts);
            upsert.addBindValue(t.errors);
            upsert.addBindValue(t.intervalMs);
            upsert.addBindValue(t.timed);
            upsert.addBindValue(Iso(t.lastSeen));
            ok = upsert.exec();
        }
    }
    for (int i = 0; ok && i < batch.runs.size(); ++i) {
        RunSummary &r = batch.runs[i];
        const TypingFigures &t = r.typing;
        const QVariantList values{learner, r.kind, Iso(r.start), r.durationMs, r.characters, r.errors,
                                  r.composerKeys,
                                  r.reportedSpeed >= 0 ? QVariant(r.reportedSpeed) : QVariant(),
                                  NonNull(t.method), OrNull(t.keys), t.committedCharacters, t.phraseCharacters,
                                  t.candidatePicks, OrNull(t.textCorrections), t.codeCorrections, OrNull(t.idealKeys),
                                  t.idealCharacters};
        Q_ASSERT(values.size() == kRunColumnCount);
        if (r.id > 0) {
            for (const QVariant &v : values)
                updateRun.addBindValue(v);
            updateRun.addBindValue(r.id);
            ok = updateRun.exec();
            if (ok && updateRun.numRowsAffected() > 0)
                continue;
        }
        for (const QVariant &v : values)
            insertRun.addBindValue(v);
        ok = ok && insertRun.exec();
        if (ok)
            r.id = insertRun.lastInsertId().toLongLong();
    }
    if (!ok) {
        const QSqlError error = upsert.lastError().isValid()      ? upsert.lastError()
                                : updateRun.lastError().isValid() ? updateRun.lastError()
                                                                  : insertRun.lastError();
        return fail(IsBusy(error) ? QStringLiteral("学习进度数据库正被另一个程序使用，稍后再写入")
                                  : QStringLiteral("学习进度无法写入，稍后再试"),
                    error.text());
    }
    return true;
}

bool ProgressStore::moveRun(qint64 runId, const QString &from, const QString &to, const ItemTallies &items)
{
    if (!isOpen())
        return false;
    if (LearnerKey(from) == LearnerKey(to))
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(QStringLiteral("学习进度数据库被占用"), db.lastError().text());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE runs SET learner = ? WHERE id = ?"));
    q.addBindValue(LearnerKey(to));
    q.addBindValue(runId);
    bool ok = q.exec();
    QSqlQuery take(db);
    take.prepare(QStringLiteral("UPDATE item_stats SET attempts = attempts - ?, errors = errors - ?,"
                                " interval_ms = interval_ms - ?, timed = timed - ?"
                                " WHERE learner = ? AND kind = ? AND item = ?"));
    QSqlQuery give(db);
    give.prepare(kAddTally);
    for (auto kind = items.cbegin(); ok && kind != items.cend(); ++kind) {
        for (auto item = kind->cbegin(); ok && item != kind->cend(); ++item) {
            const ItemTally &t = item.value();
            for (const QVariant &v : QVariantList{t.attempts, t.errors, t.intervalMs, t.timed, LearnerKey(from),
                                                  kind.key(), item.key()})
                take.addBindValue(v);
            ok = take.exec();
            for (const QVariant &v : QVariantList{LearnerKey(to), kind.key(), item.key(), t.attempts, t.errors,
                                                  t.intervalMs, t.timed, Iso(t.lastSeen)})
                give.addBindValue(v);
            ok = ok && give.exec();
        }
    }
    ok = ok && q.exec(QStringLiteral("DELETE FROM item_stats WHERE attempts <= 0"));
    if (!ok || !db.commit()) {
        const QString detail = q.lastError().text() + take.lastError().text() + give.lastError().text();
        db.rollback();
        return fail(QStringLiteral("学习进度无法写入"), detail);
    }
    return true;
}

bool ProgressStore::mergeLearner(const QString &from, const QString &to)
{
    if (!isOpen())
        return false;
    if (LearnerKey(from) == LearnerKey(to))
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(QStringLiteral("学习进度数据库被占用"), db.lastError().text());
    QSqlQuery q(db);
    const QString statements[] = {
        QStringLiteral("INSERT INTO item_stats (learner, kind, item, attempts, errors, interval_ms, timed, last_seen)"
                       " SELECT ?, kind, item, attempts, errors, interval_ms, timed, last_seen FROM item_stats"
                       " WHERE learner = ? AND true"
                       " ON CONFLICT (learner, kind, item) DO UPDATE SET"
                       " attempts = attempts + excluded.attempts, errors = errors + excluded.errors,"
                       " interval_ms = interval_ms + excluded.interval_ms, timed = timed + excluded.timed,"
                       " last_seen = max(coalesce(last_seen, ''), coalesce(excluded.last_seen, ''))"),
        QStringLiteral("DELETE FROM item_stats WHERE learner = ?"),
        QStringLiteral("UPDATE runs SET learner = ? WHERE learner = ?"),
        QStringLiteral("UPDATE passage_tries SET learner = ? WHERE learner = ?"),
        QStringLiteral("INSERT INTO pinyin_confusions (learner, kind, expected, typed, expected_char, typed_char,"
                       " count, last_seen)"
                       " SELECT ?, kind, expected, typed, expected_char, typed_char, count, last_seen"
                       " FROM pinyin_confusions WHERE learner = ? AND true"
                       " ON CONFLICT (learner, kind, expected, typed, expected_char, typed_char) DO UPDATE SET"
                       " count = count + excluded.count,"
                       " last_seen = max(coalesce(last_seen, ''), coalesce(excluded.last_seen, ''))"),
        QStringLiteral("DELETE FROM pinyin_confusions WHERE learner = ?"),
        // The notebook and the goals: what the learner already has stays as it is.
        QStringLiteral("INSERT OR IGNORE INTO review_items (learner, kind, item, box, due, entered, retired)"
                       " SELECT ?, kind, item, box, due, entered, retired FROM review_items WHERE learner = ?"),
        QStringLiteral("DELETE FROM review_items WHERE learner = ?"),
        QStringLiteral("INSERT OR IGNORE INTO goals (learner, material, target_speed, target_accuracy, tries,"
                       " best_speed, best_accuracy, reached)"
                       " SELECT ?, material, target_speed, target_accuracy, tries, best_speed, best_accuracy, reached"
                       " FROM goals WHERE learner = ?"),
        QStringLiteral("DELETE FROM goals WHERE learner = ?"),
    };
    const QVariantList moved{LearnerKey(to), LearnerKey(from)};
    const QVariantList dropped{LearnerKey(from)};
    const QVariantList binds[] = {moved, dropped, moved, moved, moved, dropped, moved, dropped, moved, dropped};
    static_assert(std::size(binds) == std::size(statements));
    bool ok = true;
    for (int i = 0; ok && i < int(std::size(statements)); ++i) {
        q.prepare(statements[i]);
        for (const QVariant &v : binds[i])
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok || !db.commit()) {
        const QString detail = q.lastError().text() + db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("学习进度无法写入"), detail);
    }
    return true;
}

bool ProgressStore::addConfusions(const QString &learner, const QVector<ConfusionStat> &seen)
{
    if (!isOpen())
        return false;
    if (seen.isEmpty())
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(QStringLiteral("学习进度数据库被占用"), db.lastError().text());
    QSqlQuery q(db);
    bool ok = q.prepare(QStringLiteral(
        "INSERT INTO pinyin_confusions (learner, kind, expected, typed, expected_char, typed_char, count, last_seen)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"
        " ON CONFLICT (learner, kind, expected, typed, expected_char, typed_char) DO UPDATE SET"
        " count = count + excluded.count, last_seen = max(coalesce(last_seen, ''), excluded.last_seen)"));
    for (int i = 0; ok && i < seen.size(); ++i) {
        const ConfusionStat &c = seen.at(i);
        for (const QVariant &v : QVariantList{LearnerKey(learner), c.kind, c.expectedSyllable, c.typedSyllable,
                                              c.expectedChar, c.typedChar, c.count, Iso(c.lastSeen)})
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok || !db.commit()) {
        const QString detail = q.lastError().text() + db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("学习进度无法写入，稍后再试"), detail);
    }
    return true;
}

QVector<ConfusionStat> ProgressStore::confusions(const QString &learner) const
{
    QVector<ConfusionStat> out;
    QSqlQuery q = select(QStringLiteral("SELECT kind, expected, typed, expected_char, typed_char, count, last_seen"
                                        " FROM pinyin_confusions WHERE learner = ?"
                                        " ORDER BY count DESC, last_seen DESC, kind, expected, typed"),
                         {LearnerKey(learner)});
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                    q.value(4).toString(), q.value(5).toLongLong(), FromIso(q.value(6))});
    return out;
}

QSqlQuery ProgressStore::select(const QString &sql, const QVariantList &values) const
{
    if (!isOpen())
        return QSqlQuery();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    q.exec();
    return q;
}

QVector<ItemStat> ProgressStore::itemStats(const QString &learner, const QString &kind) const
{
    QVector<ItemStat> stats;
    QSqlQuery q = select(QStringLiteral("SELECT kind, item, attempts, errors, interval_ms, timed, last_seen"
                                        " FROM item_stats WHERE learner = ? AND (coalesce(?, '') = '' OR kind = ?)"
                                        " ORDER BY kind, item"),
                         {LearnerKey(learner), kind, kind});
    while (q.next()) {
        ItemStat s;
        s.kind = q.value(0).toString();
        s.item = q.value(1).toString();
        s.tally.attempts = q.value(2).toLongLong();
        s.tally.errors = q.value(3).toLongLong();
        s.tally.intervalMs = q.value(4).toLongLong();
        s.tally.timed = q.value(5).toLongLong();
        s.tally.lastSeen = FromIso(q.value(6));
        stats.append(s);
    }
    return stats;
}

QVector<RunSummary> ProgressStore::runs(const QString &learner) const
{
    QVector<RunSummary> result;
    QSqlQuery q = select(QStringLiteral("SELECT %1, id FROM runs WHERE coalesce(?, '') = '' OR learner = ?"
                                        " ORDER BY started, id").arg(kRunColumns),
                         {learner, learner});
    while (q.next()) {
        RunSummary r;
        r.learner = q.value(0).toString();
        r.kind = q.value(1).toString();
        r.start = FromIso(q.value(2));
        r.durationMs = q.value(3).toLongLong();
        r.characters = q.value(4).toInt();
        r.errors = q.value(5).toInt();
        r.composerKeys = q.value(6).toLongLong();
        if (!q.value(7).isNull())
            r.reportedSpeed = q.value(7).toDouble();
        TypingFigures &t = r.typing;
        t.method = q.value(8).toString();
        t.keys = q.value(9).isNull() ? -1 : q.value(9).toLongLong();
        t.committedCharacters = q.value(10).toLongLong();
        t.phraseCharacters = q.value(11).toLongLong();
        t.candidatePicks = q.value(12).toLongLong();
        t.textCorrections = q.value(13).isNull() ? -1 : q.value(13).toLongLong();
        t.codeCorrections = q.value(14).toLongLong();
        t.idealKeys = q.value(15).isNull() ? -1 : q.value(15).toLongLong();
        t.idealCharacters = q.value(16).toLongLong();
        r.id = q.value(kRunColumnCount).toLongLong();
        result.append(r);
    }
    return result;
}

QStringList ProgressStore::learners() const
{
    QStringList names;
    QSqlQuery q = select(QStringLiteral("SELECT learner FROM runs UNION SELECT learner FROM item_stats ORDER BY 1"));
    while (q.next())
        names.append(q.value(0).toString());
    return names;
}

QVector<DayProgress> ProgressStore::dailyProgress(const QString &learner) const
{
    QVector<DayProgress> days;
    QSqlQuery q = select(QStringLiteral("SELECT kind, substr(started, 1, 10) AS day, sum(duration_ms), sum(characters),"
                                        " sum(errors) FROM runs WHERE learner = ? GROUP BY kind, day ORDER BY kind, day"),
                         {LearnerKey(learner)});
    while (q.next()) {
        DayProgress d;
        d.kind = q.value(0).toString();
        d.day = QDate::fromString(q.value(1).toString(), Qt::ISODate);
        d.durationMs = q.value(2).toLongLong();
        d.characters = q.value(3).toLongLong();
        d.errors = q.value(4).toLongLong();
        if (d.day.isValid())
            days.append(d);
    }
    return days;
}

QVector<KindTotals> ProgressStore::kindTotals(const QString &learner) const
{
    QVector<KindTotals> totals;
    QSqlQuery q = select(QStringLiteral("SELECT kind, sum(duration_ms), sum(characters),"
                                        " max(CASE WHEN duration_ms >= ? THEN coalesce(speed, characters * 60000.0 / duration_ms) END)"
                                        " FROM runs WHERE learner = ? GROUP BY kind ORDER BY kind"),
                         {kMinimumTimedRunMs, LearnerKey(learner)});
    while (q.next())
        totals.append({q.value(0).toString(), q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toDouble()});
    return totals;
}

QVector<MethodTotals> ProgressStore::methodTotals(const QString &learner) const
{
    QVector<MethodTotals> totals;
    QSqlQuery q = select(QStringLiteral(
                             "SELECT method, count(*), sum(duration_ms), sum(characters), sum(keys),"
                             " sum(CASE WHEN keys IS NOT NULL THEN duration_ms ELSE 0 END),"
                             " sum(CASE WHEN keys IS NOT NULL THEN characters ELSE 0 END),"
                             " sum(committed_characters), sum(phrase_characters), sum(candidate_picks),"
                             " sum(text_corrections), sum(code_corrections), sum(ideal_keys),"
                             " sum(CASE WHEN ideal_keys IS NOT NULL THEN ideal_characters ELSE 0 END)"
                             " FROM runs WHERE learner = ? GROUP BY method ORDER BY method"),
                         {LearnerKey(learner)});
    const auto orMissing = [&q](int column) { return q.value(column).isNull() ? -1 : q.value(column).toLongLong(); };
    while (q.next()) {
        MethodTotals m;
        m.method = q.value(0).toString();
        m.runs = q.value(1).toLongLong();
        m.durationMs = q.value(2).toLongLong();
        m.characters = q.value(3).toLongLong();
        m.typing.method = m.method;
        m.typing.keys = orMissing(4);
        m.keyedDurationMs = q.value(5).toLongLong();
        m.keyedCharacters = q.value(6).toLongLong();
        m.typing.committedCharacters = q.value(7).toLongLong();
        m.typing.phraseCharacters = q.value(8).toLongLong();
        m.typing.candidatePicks = q.value(9).toLongLong();
        m.typing.textCorrections = orMissing(10);
        m.typing.codeCorrections = q.value(11).toLongLong();
        m.typing.idealKeys = orMissing(12);
        m.typing.idealCharacters = q.value(13).toLongLong();
        totals.append(m);
    }
    return totals;
}

bool ProgressStore::addPassageTry(const QString &learner, const QString &passage, const QString &title,
                                  PassageTry &attempt)
{
    if (!isOpen())
        return fail(QStringLiteral("学习进度数据库无法使用，赛文成绩没有保存"), QString());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(QStringLiteral("学习进度数据库被占用，赛文成绩没有保存"), db.lastError().text());
    // The first try of the day at this passage is the record try.
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT count(*) FROM passage_tries WHERE learner = ? AND passage = ?"
                             " AND substr(tried_at, 1, 10) = ?"));
    q.addBindValue(LearnerKey(learner));
    q.addBindValue(passage);
    q.addBindValue(attempt.at.date().toString(Qt::ISODate));
    bool ok = q.exec() && q.next();
    attempt.record = ok && q.value(0).toLongLong() == 0;
    q.finish();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO passage_tries (learner, passage, title, tried_at, speed, accuracy,"
                                  " characters, record) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &v : QVariantList{LearnerKey(learner), passage, NonNull(title), Iso(attempt.at), attempt.speed,
                                          attempt.accuracy, attempt.characters, attempt.record ? 1 : 0})
        insert.addBindValue(v);
    ok = ok && insert.exec();
    if (ok)
        attempt.id = insert.lastInsertId().toLongLong();
    if (!ok || !db.commit()) {
        const QString detail = q.lastError().text() + insert.lastError().text() + db.lastError().text();
        db.rollback();
        attempt.id = 0;
        return fail(QStringLiteral("赛文成绩无法写入"), detail);
    }
    return true;
}

namespace {
QDate DateOf(const QVariant &v) { return QDate::fromString(v.toString(), Qt::ISODate); }
QVariant DateValue(const QDate &d) { return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant(); }
} // namespace

QVector<ReviewItem> ProgressStore::reviewItems(const QString &learner, const QDate &dueBy, const QString &kind) const
{
    QVector<ReviewItem> items;
    QString sql = QStringLiteral("SELECT kind, item, box, due, entered, retired FROM review_items WHERE learner = ?");
    QVariantList values{LearnerKey(learner)};
    if (dueBy.isValid()) {
        sql += QStringLiteral(" AND retired IS NULL AND due <= ?");
        values.append(dueBy.toString(Qt::ISODate));
    }
    if (!kind.isEmpty()) {
        sql += QStringLiteral(" AND kind = ?");
        values.append(kind);
    }
    QSqlQuery q = select(sql + QStringLiteral(" ORDER BY due, kind, item"), values);
    while (q.next())
        items.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(), DateOf(q.value(3)),
                      DateOf(q.value(4)), DateOf(q.value(5))});
    return items;
}

bool ProgressStore::recordReviews(const QString &learner, const QVector<ReviewObservation> &seen, const QDate &today)
{
    if (!isOpen() || seen.isEmpty())
        return isOpen();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(QStringLiteral("学习进度数据库被占用"), db.lastError().text());
    QSqlQuery read(db);
    read.prepare(QStringLiteral("SELECT box, due, entered, retired FROM review_items"
                                " WHERE learner = ? AND kind = ? AND item = ?"));
    QSqlQuery write(db);
    write.prepare(QStringLiteral("INSERT OR REPLACE INTO review_items (learner, kind, item, box, due, entered, retired)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    bool ok = true;
    for (const ReviewObservation &o : seen) {
        ReviewItem item{o.kind, o.item};
        for (const QVariant &v : QVariantList{LearnerKey(learner), o.kind, o.item})
            read.addBindValue(v);
        ok = read.exec();
        if (ok && read.next())
            item = {o.kind, o.item, read.value(0).toInt(), DateOf(read.value(1)), DateOf(read.value(2)),
                    DateOf(read.value(3))};
        read.finish();
        if (!ok)
            break;
        if (!ApplyReview(item, o.outcome, today))
            continue;
        for (const QVariant &v : QVariantList{LearnerKey(learner), item.kind, item.item, item.box, DateValue(item.due),
                                              DateValue(item.entered), DateValue(item.retired)})
            write.addBindValue(v);
        ok = write.exec();
        if (!ok)
            break;
    }
    if (!ok || !db.commit()) {
        const QString detail = read.lastError().text() + write.lastError().text() + db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("学习进度无法写入"), detail);
    }
    return true;
}

QVector<PassageTry> ProgressStore::passageTries(const QString &learner, const QString &passage) const
{
    QVector<PassageTry> tries;
    QSqlQuery q = select(QStringLiteral("SELECT id, tried_at, speed, accuracy, characters, record FROM passage_tries"
                                        " WHERE learner = ? AND passage = ?"),
                         {LearnerKey(learner), passage});
    while (q.next()) {
        PassageTry t;
        t.id = q.value(0).toLongLong();
        t.at = FromIso(q.value(1));
        t.speed = q.value(2).toDouble();
        t.accuracy = q.value(3).toDouble();
        t.characters = q.value(4).toInt();
        t.record = q.value(5).toInt() != 0;
        tries.append(t);
    }
    RankTries(tries);
    return tries;
}

NotebookCounts ProgressStore::notebookCounts(const QString &learner, const QDate &today) const
{
    NotebookCounts counts;
    QSqlQuery q = select(QStringLiteral("SELECT count(CASE WHEN retired IS NULL AND due <= ? THEN 1 END),"
                                        " count(CASE WHEN retired IS NULL THEN 1 END), count(retired)"
                                        " FROM review_items WHERE learner = ?"),
                         {today.toString(Qt::ISODate), LearnerKey(learner)});
    if (q.next())
        counts = {q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt()};
    return counts;
}

QVector<NotebookDay> ProgressStore::notebookGrowth(const QString &learner) const
{
    // Entries and retirements per day, summed up day by day.
    QMap<QDate, NotebookDay> byDay;
    QSqlQuery q = select(QStringLiteral("SELECT entered, count(*) FROM review_items WHERE learner = ? GROUP BY entered"),
                         {LearnerKey(learner)});
    while (q.next())
        byDay[DateOf(q.value(0))].entered += q.value(1).toInt();
    QSqlQuery r = select(QStringLiteral("SELECT retired, count(*) FROM review_items WHERE learner = ?"
                                        " AND retired IS NOT NULL GROUP BY retired"),
                         {LearnerKey(learner)});
    while (r.next())
        byDay[DateOf(r.value(0))].retired += r.value(1).toInt();
    QVector<NotebookDay> days;
    NotebookDay sum;
    for (auto it = byDay.cbegin(); it != byDay.cend(); ++it) {
        if (!it.key().isValid())
            continue;
        sum.day = it.key();
        sum.entered += it->entered;
        sum.retired += it->retired;
        days.append(sum);
    }
    return days;
}

PracticeGoal ProgressStore::goal(const QString &learner, const QString &material) const
{
    PracticeGoal goal;
    QSqlQuery q = select(QStringLiteral("SELECT target_speed, target_accuracy, tries, best_speed, best_accuracy, reached"
                                        " FROM goals WHERE learner = ? AND material = ?"),
                         {LearnerKey(learner), material});
    if (q.next())
        goal = {material, q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toInt(),
                q.value(3).toDouble(), q.value(4).toDouble(), FromIso(q.value(5))};
    return goal;
}

bool ProgressStore::saveGoal(const QString &learner, const PracticeGoal &goal)
{
    if (!isOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO goals (learner, material, target_speed, target_accuracy, tries,"
                             " best_speed, best_accuracy, reached) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &v : QVariantList{LearnerKey(learner), goal.material, goal.targetSpeed, goal.targetAccuracy,
                                          goal.tries, goal.bestSpeed, goal.bestAccuracy,
                                          goal.reached.isValid() ? QVariant(Iso(goal.reached)) : QVariant()})
        q.addBindValue(v);
    return q.exec() || fail(QStringLiteral("学习进度无法写入"), q.lastError().text());
}
