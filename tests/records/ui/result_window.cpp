// The result window: saving a result into the record file, the remembered
// name, saving twice, a record file that cannot be written, and browsing.
#include "records/RecordFile.h"
#include "records/ui/ShowResultWindow.h"
#include "records/ui/ResultWindow.h"
#include "support/FileBytes.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
PracticeReport chineseReport()
{
    PracticeReport report;
    report.title = QStringLiteral("统计资料——打字类型：中文打字");
    report.captions = {QStringLiteral("打字速度"), QStringLiteral("文字字数"), QStringLiteral("标点数"),
                       QStringLiteral("总字数(包括空格)"), QStringLiteral("正确率"), QStringLiteral("所用时间")};
    report.values = {QStringLiteral("56 字/分"), QStringLiteral("120"), QStringLiteral("8"),
                     QStringLiteral("131"), QStringLiteral("97.71%"), QStringLiteral("00:02:10")};
    // The figures the values show: 131 characters in 140 s of wall clock
    // (130 s running) give 56 a minute.
    report.figures = {131, 3, 130, 140};
    report.counts = {131, 120, 8};
    return report;
}
} // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestContext> t;

    QString recordPath() const { return t->ctx.paths.recordFile(); }

    void save(ResultWindow &w, std::deque<QMessageBox::StandardButton> answers,
              std::vector<MessageBoxScript::Seen> *seen = nullptr)
    {
        MessageBoxScript script(std::move(answers));
        w.saveResult();
        QVERIFY(script.finished());
        if (seen)
            *seen = script.seen;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        t->state.practiceTitle = QStringLiteral("中文文本对照练习");
        t->clock.set(QDateTime(QDate(2026, 12, 8), QTime(16, 30, 5)));
    }
    void cleanup()
    {
        t.reset();
    }

    void loadingShowsTheReportAndTheRememberedName()
    {
        t->settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("李雷"));
        {
            ResultWindow w(t->ctx, chineseReport(), t->shell.mainWindow());
            QCOMPARE(w.objectName(), QStringLiteral("CountMessage"));
            QCOMPARE(w.windowTitle(), QStringLiteral("统计资料——打字类型：中文打字"));
            QCOMPARE(w.figureLabel(0)->text(), QStringLiteral("56 字/分"));
            QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lblCaption(3)"))->text().left(9),
                     QStringLiteral("总字数(包括空格)"));
            QCOMPARE(w.nameBox()->text(), QStringLiteral("李雷"));
            QVERIFY(!w.saved());
            QVERIFY(t->state.resultWindowOpen);
            QCOMPARE(t->shell.centredDialogs, 1);
        }
        QVERIFY(!t->state.resultWindowOpen);
    }

    void savingIntoAMissingFileWritesRecordOneAndRemembersTheName()
    {
        ResultWindow w(t->ctx, chineseReport());
        w.nameBox()->setText(QStringLiteral(" 王小明 "));
        std::vector<MessageBoxScript::Seen> seen;
        save(w, {QMessageBox::Ok}, &seen);
        QCOMPARE(seen.size(), size_t(1));
        QCOMPARE(seen[0].title, QStringLiteral("记录保存"));
        QCOMPARE(seen[0].text, QStringLiteral("记录已成功保存"));
        QVERIFY(w.saved());

        const QByteArray bytes = FileBytes(recordPath());
        QCOMPARE(bytes.size(), 96);
        const TypingRecord r = DecodeRecord(bytes.constData());
        QCOMPARE(r.number, 1);
        QCOMPARE(r.name, QStringLiteral(" 王小明         "));
        QCOMPARE(r.speed, 56);
        QCOMPARE(r.characters, 120);
        QCOMPARE(r.punctuation, 8);
        QCOMPARE(r.total, 131);
        QCOMPARE(r.accuracy, QStringLiteral("97.71%    "));
        QCOMPARE(r.timeUsed, QStringLiteral("00:02:10  "));
        QCOMPARE(r.kind.trimmed(), QStringLiteral("中文文本对照练习"));
        QCOMPARE(r.savedAt, QStringLiteral("2026-12-08 16:30:05 "));
        QCOMPARE(t->settings.read(QStringLiteral("User"), QStringLiteral("Name")), QStringLiteral("王小明"));
    }

    void savingAfterFiveRecordsWritesNumberSixAtOffset640()
    {
        std::vector<TypingRecord> five(5);
        for (int i = 0; i < 5; ++i)
            five[i].number = i + 1;
        QCOMPARE(ReplaceAllRecords(recordPath(), five), QString());
        ResultWindow w(t->ctx, chineseReport());
        w.nameBox()->setText(QStringLiteral("一二三四五六七八九十"));
        save(w, {QMessageBox::Ok});
        const QByteArray bytes = FileBytes(recordPath());
        QCOMPARE(bytes.size(), 640 + 96);
        const TypingRecord r = DecodeRecord(bytes.constData() + 640);
        QCOMPARE(r.number, 6);
        QCOMPARE(r.name, QStringLiteral("一二三四五六七八"));
    }

    void savingTwiceAsksWithNoPreselected()
    {
        ResultWindow w(t->ctx, chineseReport());
        w.nameBox()->setText(QStringLiteral("王"));
        save(w, {QMessageBox::Ok});

        std::vector<MessageBoxScript::Seen> seen;
        save(w, {QMessageBox::No}, &seen);
        QCOMPARE(seen[0].title, QStringLiteral("提示"));
        QCOMPARE(seen[0].text, QStringLiteral("记录已经保存了，是否还要保存"));
        QCOMPARE(seen[0].preselected, QMessageBox::No);
        QCOMPARE(CountRecordsInFile(recordPath()), 1);

        save(w, {QMessageBox::Yes, QMessageBox::Ok});
        const RecordReadResult read = ReadAllRecords(recordPath());
        QCOMPARE(read.records.size(), size_t(2));
        QCOMPARE(read.records[1].number, 2);
    }

    void theNameBoxHoldsWhatTheNameFieldStores()
    {
        // A remembered name from a hand-edited settings file is fitted too.
        t->settings.write(QStringLiteral("User"), QStringLiteral("Name"), QString(12, QChar(0x674E)));
        ResultWindow w(t->ctx, chineseReport());
        QCOMPARE(w.nameBox()->text(), QString(8, QChar(0x674E)));

        // Forty characters committed by an input method: eight are taken.
        w.nameBox()->clear();
        w.nameBox()->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QString(40, QChar(0x738B)));
        QApplication::sendEvent(w.nameBox(), &commit);
        QCOMPARE(w.nameBox()->text(), QString(8, QChar(0x738B)));

        // Letters fill the 16 bytes; a Chinese character that would be cut in
        // half is not taken.
        w.nameBox()->clear();
        QTest::keyClicks(w.nameBox(), QStringLiteral("abcdefghijklmnopq"));
        QCOMPARE(w.nameBox()->text(), QStringLiteral("abcdefghijklmnop"));
        w.nameBox()->setText(QStringLiteral("abcdefghijklmno"));
        w.nameBox()->end(false);
        QInputMethodEvent one;
        one.setCommitString(QStringLiteral("王"));
        QApplication::sendEvent(w.nameBox(), &one);
        QCOMPARE(w.nameBox()->text(), QStringLiteral("abcdefghijklmno"));

        // What is shown is what is stored.
        w.nameBox()->setText(QString(40, QChar(0x738B)));
        save(w, {QMessageBox::Ok});
        const RecordReadResult read = ReadAllRecords(recordPath());
        QCOMPARE(read.records.at(0).name, w.nameBox()->text());
    }

    void aMissingNameWritesNothing()
    {
        ResultWindow w(t->ctx, chineseReport());
        w.nameBox()->clear();
        std::vector<MessageBoxScript::Seen> seen;
        save(w, {QMessageBox::Ok}, &seen);
        QCOMPARE(seen[0].title, QStringLiteral("提醒"));
        QCOMPARE(seen[0].text, QStringLiteral("请先输入你的名字"));
        QVERIFY(!QFile::exists(recordPath()));
        QVERIFY(!w.saved());
    }

    void aRecordFileThatCannotBeWrittenIsReportedAndTheNameNotRemembered()
    {
        QVERIFY(QDir().mkpath(recordPath())); // a folder where the file should be
        ResultWindow w(t->ctx, chineseReport());
        w.nameBox()->setText(QStringLiteral("王"));
        std::vector<MessageBoxScript::Seen> seen;
        save(w, {QMessageBox::Ok}, &seen);
        QCOMPARE(seen.size(), size_t(1));
        QVERIFY(seen[0].text.startsWith(QStringLiteral("记录没有保存")));
        QVERIFY(!w.saved());
        QCOMPARE(t->settings.read(QStringLiteral("User"), QStringLiteral("Name")), QString());
    }

    void browsingAnUnsavedResultAsksFirst()
    {
        t->shell.registerWindow(ManagedWindow::RecordViewer, [this](QWidget *parent) {
            auto *w = new QWidget(parent);
            t->state.window(ManagedWindow::RecordViewer).shown = true;
            return w;
        });
        ResultWindow w(t->ctx, chineseReport());
        w.show();
        {
            MessageBoxScript script({QMessageBox::Yes});
            w.browseRecords();
            QCOMPARE(script.seen.at(0).text, QStringLiteral("你还没保存记录，是否现在保存记录"));
        }
        QCoreApplication::processEvents();
        QVERIFY(w.isVisible());
        QVERIFY(t->shell.shownWindows.empty());

        {
            MessageBoxScript script({QMessageBox::No});
            w.browseRecords();
        }
        QVERIFY(!w.isVisible());
        QTRY_COMPARE(t->shell.closeOthersCount, 1);
        QVERIFY(t->shell.window(ManagedWindow::RecordViewer));
        QVERIFY(!t->state.window(ManagedWindow::RecordViewer).opening);
    }

    void browsingASavedResultOpensTheViewerWithoutAsking()
    {
        ResultWindow w(t->ctx, chineseReport());
        w.nameBox()->setText(QStringLiteral("王"));
        save(w, {QMessageBox::Ok});
        MessageBoxScript script({});
        w.browseRecords();
        QTRY_COMPARE(t->shell.closeOthersCount, 1);
        QVERIFY(script.seen.empty());
        QCOMPARE(t->shell.shownWindows, std::vector<ManagedWindow>{ManagedWindow::RecordViewer});
    }

    void resultWindowIsModalOverTheMainWindow()
    {
        QString title;
        QWidget *parent = nullptr;
        QTimer::singleShot(20, [&] {
            auto *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            title = dialog->windowTitle();
            parent = dialog->parentWidget();
            QVERIFY(dialog->objectName() == QStringLiteral("CountMessage"));
            dialog->findChild<QPushButton *>(QStringLiteral("comClose"))->click();
        });
        ShowResultWindow(t->ctx, chineseReport());
        QCOMPARE(title, QStringLiteral("统计资料——打字类型：中文打字"));
        QCOMPARE(parent, t->shell.mainWindow());
        QVERIFY(!t->state.resultWindowOpen);
    }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window.moc"
