// "导出…" of the record viewer: the records as shown and the run summaries
// gathered by the progress log, read back by Python's csv module.
#include "progress/ui/ProgressService.h"
#include "records/RecordFile.h"
#include "records/ui/RecordViewer.h"
#include "support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

namespace {

TypingRecord Record(qint32 number, const QString &name, const QString &kind)
{
    TypingRecord r;
    r.number = number;
    r.name = name;
    r.speed = 60 + number;
    r.characters = 100;
    r.total = 110;
    r.accuracy = QStringLiteral("97.50%");
    r.timeUsed = QStringLiteral("00:01:30");
    r.kind = kind;
    r.savedAt = QStringLiteral("2026-03-02 10:00:00 ");
    return r;
}

// The rows of a CSV file as Python's csv module reads them (UTF-8 with BOM).
QVector<QStringList> ReadWithPython(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                 "    json.dump(list(csv.reader(f)), sys.stdout)\n"),
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return {};
    QVector<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows.append(row.toVariant().toStringList());
    return rows;
}

} // namespace

class RecordExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportedFilesReadBackAsTheRecordsAndRuns()
    {
        TestContext t;
        t.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("王,\"小\""));
        ProgressService progress(t.ctx, QDir(t.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")),
                                 nullptr);
        for (int i = 0; i < 4; ++i) {
            t.clock.advanceMs(500);
            progress.recordKeystroke(exercise::kLine, QStringLiteral("的"), i != 2);
        }
        progress.endRun();
        QCOMPARE(ReplaceAllRecords(t.ctx.paths.recordFile(),
                                   {Record(1, QStringLiteral("王,\"小\""), QStringLiteral("中文文本对照练习")),
                                    Record(2, QStringLiteral("Li Lei"), QStringLiteral("英文\n练习"))}),
                 QString());
        RecordViewer viewer(t.ctx);
        QVERIFY(viewer.exportButton());

        const QString out = QDir(t.env.path()).filePath(QStringLiteral("导出.csv"));
        QCOMPARE(viewer.exportTo(out), QString());
        QFile raw(out);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().startsWith("\xEF\xBB\xBF"));

        const QVector<QStringList> records = ReadWithPython(out);
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[0].first(), QStringLiteral("记录号"));
        QCOMPARE(records[0].size(), 10);
        for (int row = 1; row < 3; ++row)
            for (int column = 0; column < 10; ++column)
                QCOMPARE(records[row][column], viewer.model().cellText(row - 1, column).trimmed());
        QCOMPARE(records[1][1], QStringLiteral("王,\"小\""));

        const QVector<QStringList> runs = ReadWithPython(RecordViewer::runSummaryPath(out));
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs[1], (QStringList{QStringLiteral("王,\"小\""), QStringLiteral("逐行练习"),
                                       QStringLiteral("2026-01-01 09:00:00"), QStringLiteral("1.5"),
                                       QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("160.0"),
                                       QStringLiteral("系统输入法"), QString(), QString(), QString(), QString(),
                                       QString(), QString()}));
    }

    void unwritableTargetIsReported()
    {
        TestContext t;
        RecordViewer viewer(t.ctx);
        const QString error = viewer.exportTo(QDir(t.env.path()).filePath(QStringLiteral("无此目录/导出.csv")));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(RecordExportTest)
#include "record_export.moc"
