// typerecord.dat survives the death of the program that writes it: the writer
// is killed with SIGKILL at random moments of save, delete and reorder
// operations, and afterwards the file holds exactly the old or the new
// records. A full disk and a read-only folder give a message and leave the
// old file as it was.
//
// The test binary is also the writer: started with "--writer" it performs one
// operation with the real record module and reports on stdout when it starts.
// Started with "--contender" it saves, deletes and reorders in a loop, as a
// second copy of the program would, and names each record it saved.
#include "records/RecordFile.h"
#include "records/RecordOrder.h"
#include "data/Paths.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {
enum class Operation { Save, Delete, Reorder };
const char *const kOperationNames[] = {"save", "delete", "reorder"};

TypingRecord recordFor(quint32 seed)
{
    static const char *const names[] = {"王小明", "李雷", "王", "韩梅梅", "Tom", "张三丰"};
    TypingRecord r;
    r.name = QString::fromUtf8(names[seed % 6]);
    r.speed = qint32(seed % 300);
    r.characters = qint32(seed % 100000);
    r.punctuation = qint32(seed % 77);
    r.total = r.characters + r.punctuation;
    r.accuracy = QStringLiteral("%1.00%").arg(seed % 100, 2, 10, QLatin1Char('0'));
    r.timeUsed = QStringLiteral("00:%1:00").arg(seed % 60, 2, 10, QLatin1Char('0'));
    r.kind = QStringLiteral("中文文本对照练习");
    r.savedAt = SaveTimeText(QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(seed % 31536000));
    return r;
}

// One operation as the result window and the record viewer perform it.
// Returns the message of a failure, empty on success.
QString perform(Operation op, const QString &path, quint32 seed)
{
    if (op == Operation::Save)
        return AppendRecord(path, recordFor(seed)).error;
    return RewriteRecords(path, [op, seed](std::vector<TypingRecord> &records) {
               if (op == Operation::Delete)
                   return !records.empty() && RemoveRecordsWithNumber(records, seed % records.size() + 1);
               OrderRecords(records, static_cast<RecordKey>(seed % 4));
               return true;
           }).error;
}

// Contender mode: --contender PATH TAG COUNT. Saves COUNT records named TAG1,
// TAG2 ..., and between them saves and deletes records of a user of its own
// and reorders the file. Prints the name of every record saved successfully.
int runContender(const QStringList &args)
{
    const QString path = args.value(2);
    const QString tag = args.value(3);
    const int count = args.value(4).toInt();
    const QString throwaway = tag + QStringLiteral("x");
    for (int i = 1; i <= count; ++i) {
        TypingRecord record = recordFor(quint32(i));
        record.name = tag + QString::number(i);
        if (AppendRecord(path, record).error.isEmpty())
            std::printf("%s\n", record.name.toUtf8().constData());
        if (i % 3 == 0) {
            record.name = throwaway;
            AppendRecord(path, record);
            RewriteRecords(path, [&](std::vector<TypingRecord> &records) {
                return RemoveRecordsOfUser(records, throwaway);
            });
        }
        if (i % 5 == 0)
            RewriteRecords(path, [i](std::vector<TypingRecord> &records) {
                OrderRecords(records, static_cast<RecordKey>(i % 4));
                return true;
            });
    }
    std::fflush(stdout);
    return 0;
}

// Writer mode: --writer OP PATH SEED [--file-size-limit BYTES] [--as-nobody]
int runWriter(const QStringList &args)
{
    const int op = int(std::find(std::begin(kOperationNames), std::end(kOperationNames), args.value(2))
                       - std::begin(kOperationNames));
    const QString path = args.value(3);
    const quint32 seed = args.value(4).toUInt();
    if (op > 2 || path.isEmpty())
        return 64;
    const qsizetype limitAt = args.indexOf(QStringLiteral("--file-size-limit"));
    if (limitAt > 0) {
        // A full disk: writes past the limit fail (EFBIG) instead of killing.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t bytes = args.value(limitAt + 1).toULongLong();
        const rlimit limit{bytes, bytes};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 65;
    }
    // Permissions do not bind the superuser: a read-only folder is tried as
    // an ordinary user.
    if (args.contains(QStringLiteral("--as-nobody")) && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 66;
    std::fputs("R", stdout);
    std::fflush(stdout);
    const QString error = perform(static_cast<Operation>(op), path, seed);
    if (!error.isEmpty()) {
        std::fputs(error.toUtf8().constData(), stderr);
        return 3;
    }
    return 0;
}

struct WriterRun {
    int exitCode = -1;
    bool killed = false;
    QString errors;
};

WriterRun runWriterProcess(Operation op, const QString &path, quint32 seed, const QStringList &extra = {},
                           qint64 killAfterMicroseconds = -1)
{
    QProcess writer;
    writer.start(QCoreApplication::applicationFilePath(),
                 QStringList{QStringLiteral("--writer"), QString::fromLatin1(kOperationNames[int(op)]), path,
                             QString::number(seed)}
                     + extra);
    WriterRun run;
    if (!writer.waitForStarted(30000))
        return run;
    // Wait for the writer to reach the operation, then kill it after the delay.
    if (killAfterMicroseconds >= 0 && writer.waitForReadyRead(30000)) {
        QThread::usleep(static_cast<unsigned long>(killAfterMicroseconds));
        ::kill(pid_t(writer.processId()), SIGKILL);
    }
    writer.waitForFinished(30000);
    run.killed = writer.exitStatus() == QProcess::CrashExit;
    run.exitCode = writer.exitCode();
    run.errors = QString::fromUtf8(writer.readAllStandardError());
    return run;
}

// A starting file of many records, so that rewriting it takes long enough
// for kills to land inside the operation.
QByteArray manyRecords(int count)
{
    std::vector<TypingRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(recordFor(quint32(i * 7919)));
        records.back().number = i + 1;
    }
    QByteArray bytes;
    for (const TypingRecord &r : records)
        bytes += EncodeRecord(r) + QByteArray(kRecordSlotSize - kRecordDataSize, '\0');
    return bytes;
}

QStringList leftovers(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(QStringLiteral("typerecord.dat"));
    return names;
}
} // namespace

class CrashConsistencyTest : public QObject {
    Q_OBJECT
    TestEnv env;

private slots:
    // Two copies of the program on one record file: every save that reported
    // success is in the file once, whatever the other copy deleted or
    // reordered meanwhile, and the record numbers stay distinct.
    void twoCopiesSavingAndDeletingAtOnceLoseNoSavedRecord()
    {
        const QString dir = env.path() + QStringLiteral("/two");
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/typerecord.dat");
        WriteFileBytes(path, manyRecords(300));
        constexpr int kSaves = 150;
        QProcess copies[2];
        const char *const tags[] = {"A", "B"};
        for (int i = 0; i < 2; ++i)
            copies[i].start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--contender"), path, QLatin1String(tags[i]), QString::number(kSaves)});
        QStringList saved;
        for (QProcess &copy : copies) {
            QVERIFY(copy.waitForFinished(120000));
            QCOMPARE(copy.exitCode(), 0);
            saved += QString::fromUtf8(copy.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
        QCOMPARE(saved.size(), 2 * kSaves);
        const RecordReadResult read = ReadAllRecords(path);
        QVERIFY(read.ok);
        QHash<QString, int> inFile;
        QSet<qint32> numbers;
        for (const TypingRecord &r : read.records) {
            ++inFile[r.name.trimmed()];
            numbers.insert(r.number);
        }
        QStringList lost;
        for (const QString &name : saved)
            if (inFile.value(name) != 1)
                lost << name;
        QVERIFY2(lost.isEmpty(), qPrintable(QStringLiteral("%1 saved records missing or doubled: %2")
                                                .arg(lost.size()).arg(lost.join(QLatin1Char(' ')))));
        QCOMPARE(qsizetype(numbers.size()), qsizetype(read.records.size()));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".lock")));
    }

    void killedWritersLeaveTheOldOrTheNewRecords()
    {
        const QString dir = env.path() + QStringLiteral("/kill");
        const QString scratch = env.path() + QStringLiteral("/expected");
        QVERIFY(QDir().mkpath(dir) && QDir().mkpath(scratch));
        const QString path = dir + QStringLiteral("/typerecord.dat");
        const QString expectedPath = scratch + QStringLiteral("/typerecord.dat");
        WriteFileBytes(path, manyRecords(2000));

        // How long each operation takes here, so the kills spread over it.
        qint64 spanMicroseconds[3] = {};
        for (int op = 0; op < 3; ++op) {
            WriteFileBytes(expectedPath, FileBytes(path));
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(perform(static_cast<Operation>(op), expectedPath, 1), QString());
            spanMicroseconds[op] = std::max<qint64>(50, timer.nsecsElapsed() / 1000 * 3 / 2);
        }

        QRandomGenerator random(20261209);
        const int kills = 1000;
        int landedInside = 0, old = 0, renewed = 0;
        for (int i = 0; i < kills; ++i) {
            const auto op = static_cast<Operation>(random.bounded(3));
            const quint32 seed = random.generate();
            const QByteArray before = FileBytes(path);
            WriteFileBytes(expectedPath, before);
            QCOMPARE(perform(op, expectedPath, seed), QString());
            const QByteArray after = FileBytes(expectedPath);

            const qint64 delay = random.bounded(spanMicroseconds[int(op)]);
            const WriterRun run = runWriterProcess(op, path, seed, {}, delay);
            const QByteArray now = FileBytes(path);
            QVERIFY2(now == before || now == after,
                     qPrintable(QStringLiteral("kill %1 (%2, seed %3, %4 us): %5 bytes, old %6, new %7")
                                    .arg(i).arg(QLatin1String(kOperationNames[int(op)])).arg(seed).arg(delay)
                                    .arg(now.size()).arg(before.size()).arg(after.size())));
            old += now == before && now != after;
            renewed += now == after && now != before;
            landedInside += run.killed;
            // A temporary file of a killed rewrite is litter, not data; the
            // next run must not mistake it for anything.
            for (const QString &name : leftovers(dir))
                QFile::remove(dir + QLatin1Char('/') + name);
        }
        qInfo("%d writers killed (%d by the kill itself); the file held the old records %d times, the new %d "
              "times (the rest: no change either way)",
              kills, landedInside, old, renewed);
        // Most kills land inside the operation; a busy machine lets some
        // writers finish first.
        QVERIFY(landedInside > kills / 10);
        QVERIFY(old > 0 && renewed > 0);
        QVERIFY(ReadAllRecords(path).ok);
    }

    void aFullDiskGivesAMessageAndKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<qint64>("limitBelowSize"); // the limit, relative to the file's size
        QTest::newRow("save") << int(Operation::Save) << qint64(-10);
        QTest::newRow("delete") << int(Operation::Delete) << qint64(300);
        QTest::newRow("reorder") << int(Operation::Reorder) << qint64(100);
    }

    void aFullDiskGivesAMessageAndKeepsTheOldFile()
    {
        QFETCH(int, op);
        QFETCH(qint64, limitBelowSize);
        const QString dir = env.path() + QStringLiteral("/full-") + QString::number(op);
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/typerecord.dat");
        const QByteArray before = manyRecords(40);
        WriteFileBytes(path, before);
        const WriterRun run = runWriterProcess(static_cast<Operation>(op), path, 5,
                                               {QStringLiteral("--file-size-limit"),
                                                QString::number(before.size() - limitBelowSize)});
        QCOMPARE(run.killed, false);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.errors.contains(QStringLiteral("记录文件")), qPrintable(run.errors));
        QCOMPARE(FileBytes(path), before);
        QCOMPARE(leftovers(dir), QStringList());
    }

    void aReadOnlyFolderGivesAMessageAndKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("op");
        QTest::newRow("save") << int(Operation::Save);
        QTest::newRow("delete") << int(Operation::Delete);
        QTest::newRow("reorder") << int(Operation::Reorder);
    }

    void aReadOnlyFolderGivesAMessageAndKeepsTheOldFile()
    {
        QFETCH(int, op);
        // The writer may run as another user: the path must be reachable.
        QFile::setPermissions(env.path(), QFile::permissions(env.path()) | QFile::ExeOther | QFile::ReadOther);
        const QString dir = env.path() + QStringLiteral("/read-only-") + QString::number(op);
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/typerecord.dat");
        const QByteArray before = manyRecords(3);
        WriteFileBytes(path, before);
        const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        QVERIFY(QFile::setPermissions(dir, readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));

        const WriterRun run = runWriterProcess(static_cast<Operation>(op), path, 1, {QStringLiteral("--as-nobody")});
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.errors.contains(QStringLiteral("记录文件")), qPrintable(run.errors));
        QCOMPARE(FileBytes(path), before);
        QCOMPARE(leftovers(dir), QStringList());
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == QStringLiteral("--writer"))
        return runWriter(app.arguments());
    if (app.arguments().value(1) == QStringLiteral("--contender"))
        return runContender(app.arguments());
    CrashConsistencyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crash_consistency.moc"
