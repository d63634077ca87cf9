// The record viewer: the grid, reordering the file, deleting by number, by
// user and all, double-click picking, damaged files and the menu command.
#include "records/ui/Register.h"
#include "records/RecordFile.h"
#include "records/ui/RecordViewer.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

TypingRecord record(qint32 number, const QString &name, qint32 speed, const QString &savedAt)
{
    TypingRecord r;
    r.number = number;
    r.name = name;
    r.speed = speed;
    r.characters = 100 + number;
    r.punctuation = 3;
    r.total = 110 + number;
    r.accuracy = QStringLiteral("97.50%");
    r.timeUsed = QStringLiteral("00:01:30");
    r.kind = QStringLiteral("中文文本对照练习");
    r.savedAt = savedAt;
    return r;
}

} // namespace

class RecordViewerTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestContext> t;

    QString path() const { return t->ctx.paths.recordFile(); }

    void writeRecords(const std::vector<TypingRecord> &records)
    {
        QCOMPARE(ReplaceAllRecords(path(), records), QString());
    }
    void writeThree()
    {
        writeRecords({record(1, QStringLiteral("王小明"), 56, QStringLiteral("2026-03-02 10:00:00 ")),
                      record(2, QStringLiteral("李雷"), 80, QStringLiteral("2026-03-01 10:00:00 ")),
                      record(3, QStringLiteral("王"), 70, QStringLiteral("2026-03-03 10:00:00 "))});
    }

    QStringList column(const RecordViewer &viewer, int col) const
    {
        QStringList out;
        for (int row = 0; row < viewer.model().rowCount(); ++row)
            out << viewer.model().cellText(row, col);
        return out;
    }
    QStringList fileNames() const
    {
        QStringList out;
        for (const TypingRecord &r : ReadAllRecords(path()).records)
            out << r.name.trimmed();
        return out;
    }
    QList<int> fileNumbers() const
    {
        QList<int> out;
        for (const TypingRecord &r : ReadAllRecords(path()).records)
            out << r.number;
        return out;
    }

    // Runs a handler, answering its message boxes in order.
    std::vector<MessageBoxScript::Seen> answer(std::deque<QMessageBox::StandardButton> answers,
                                               const std::function<void()> &handler)
    {
        MessageBoxScript script(std::move(answers));
        handler();
        if (!script.finished())
            QTest::qFail("a message box was expected but did not come", __FILE__, __LINE__);
        return script.seen;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        t->shell.mainWindow()->setWindowTitle(QStringLiteral("QuorvelV1.41"));
    }
    void cleanup()
    {
        t.reset();
    }

    void theGridShowsEveryRecordUnderTheTenHeaders()
    {
        writeThree();
        RegisterRecords(t->ctx, t->shell);
        auto &viewer = *qobject_cast<RecordViewer *>(t->shell.showWindow(ManagedWindow::RecordViewer));
        QVERIFY(t->state.shown(ManagedWindow::RecordViewer));
        QCOMPARE(viewer.model().columnCount(), 10);
        QCOMPARE(viewer.model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("记录号"));
        QCOMPARE(viewer.model().headerData(2, Qt::Horizontal).toString(), QStringLiteral("打字速度（字/分）"));
        QCOMPARE(viewer.model().headerData(9, Qt::Horizontal).toString(), QStringLiteral("保存时间"));
        QCOMPARE(viewer.model().rowCount(), 3);
        QCOMPARE(column(viewer, 1), (QStringList{"王小明", "李雷", "王"}));
        QCOMPARE(viewer.model().cellText(1, 2), QStringLiteral("80"));
        QCOMPARE(viewer.model().cellText(0, 6), QStringLiteral("97.50%    ")); // as stored
        QCOMPARE(viewer.model().cellText(0, 9), QStringLiteral("2026-03-02 10:00:00 "));
        QVERIFY(viewer.readProblem().isEmpty());
    }

    void orderingRewritesTheFileAndKeepsTheNumbers()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        viewer.sortBy(1); // speed, fastest first
        QCOMPARE(fileNumbers(), (QList<int>{2, 3, 1}));
        QCOMPARE(column(viewer, 0), (QStringList{"2", "3", "1"}));
        viewer.sortBy(2); // save time, oldest first
        QCOMPARE(fileNumbers(), (QList<int>{2, 1, 3}));
        viewer.sortBy(0); // name by code value
        QCOMPARE(fileNames(), (QStringList{"李雷", "王", "王小明"}));
        viewer.sortBy(3); // highest number first
        QCOMPARE(fileNumbers(), (QList<int>{3, 2, 1}));
        QCOMPARE(column(viewer, 0), (QStringList{"3", "2", "1"}));
        // The next save still gets the next number.
        QCOMPARE(CountRecordsInFile(path()) + 1, 4);
    }

    void deletingRecordTwoOfThreeRenumbers()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        viewer.numberBox()->setText(QStringLiteral(" 2 "));
        const auto seen = answer({QMessageBox::Yes}, [&] { viewer.deleteByNumber(); });
        QCOMPARE(seen.at(0).title, QStringLiteral("删除确认"));
        QCOMPARE(seen.at(0).text, QStringLiteral("确实要删除记录号为  2  的记录吗？"));
        QCOMPARE(fileNumbers(), (QList<int>{1, 2}));
        QCOMPARE(fileNames(), (QStringList{"王小明", "王"}));
        QCOMPARE(column(viewer, 0), (QStringList{"1", "2"}));
        QCOMPARE(QDir(t->ctx.paths.userDataDir).entryList(QDir::Files), QStringList{"typerecord.dat"});
    }

    // Another copy of the program saved a record after the viewer read the
    // file: the viewer deletes nothing from a list the learner has not seen,
    // shows the new list and says so; ordering keeps the new record.
    void aStaleListIsRefreshedBeforeDeletingOrOrdering()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        QCOMPARE(AppendRecord(path(), record(0, QStringLiteral("韩梅梅"), 90, QStringLiteral("2026-03-04 10:00:00 ")))
                     .number,
                 4);
        const QByteArray before = [&] { QFile f(path()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        viewer.numberBox()->setText(QStringLiteral("2"));
        auto seen = answer({QMessageBox::Yes, QMessageBox::Ok}, [&] { viewer.deleteByNumber(); });
        QVERIFY(seen.at(1).text.contains(QStringLiteral("另一个程序窗口")));
        QCOMPARE(column(viewer, 1), (QStringList{"王小明", "李雷", "王", "韩梅梅"}));
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);

        QCOMPARE(AppendRecord(path(), record(0, QStringLiteral("张三"), 10, QStringLiteral("2026-03-05 10:00:00 ")))
                     .number,
                 5);
        viewer.sortBy(1); // fastest first
        QCOMPARE(fileNames(), (QStringList{"韩梅梅", "李雷", "王", "王小明", "张三"}));
        QCOMPARE(column(viewer, 1), fileNames());
    }

    void deletingByNumberAnswersBadInputAndMissingRecords()
    {
        writeThree();
        const QByteArray before = [&] { QFile f(path()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        RecordViewer viewer(t->ctx);
        viewer.numberBox()->setText(QStringLiteral("abc"));
        auto seen = answer({QMessageBox::Ok}, [&] { viewer.deleteByNumber(); });
        QCOMPARE(seen.at(0).text, QStringLiteral("请先输入正确的记录号"));
        QCOMPARE(seen.at(0).title, QStringLiteral("QuorvelV1.41"));

        viewer.numberBox()->setText(QStringLiteral("9"));
        seen = answer({QMessageBox::Yes, QMessageBox::Ok}, [&] { viewer.deleteByNumber(); });
        QCOMPARE(seen.at(1).text, QStringLiteral("无此记录号的记录"));

        viewer.numberBox()->setText(QStringLiteral("1"));
        answer({QMessageBox::No}, [&] { viewer.deleteByNumber(); });

        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void deletingAUserTakesNamesThatBeginWithIt()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        viewer.nameBox()->setText(QStringLiteral("王小明"));
        auto seen = answer({QMessageBox::Yes}, [&] { viewer.deleteByName(); });
        QCOMPARE(seen.at(0).text, QStringLiteral("确实要删除 王小明 的所有记录吗？"));
        QCOMPARE(fileNames(), (QStringList{"李雷", "王"}));

        writeThree();
        viewer.fillGrid();
        viewer.nameBox()->setText(QStringLiteral("王"));
        answer({QMessageBox::Yes}, [&] { viewer.deleteByName(); });
        QCOMPARE(fileNames(), QStringList{"李雷"});
        QCOMPARE(fileNumbers(), QList<int>{1});
        QCOMPARE(column(viewer, 1), QStringList{"李雷"});

        viewer.nameBox()->setText(QStringLiteral("张"));
        seen = answer({QMessageBox::Yes, QMessageBox::Ok}, [&] { viewer.deleteByName(); });
        QCOMPARE(seen.at(1).text, QStringLiteral("无此用户的记录"));
    }

    void aNameOfSpacesOnlyDeletesNothing()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        for (const QString &name : {QString(), QStringLiteral("   ")}) {
            viewer.nameBox()->setText(name);
            const auto seen = answer({QMessageBox::Ok}, [&] { viewer.deleteByName(); });
            QCOMPARE(seen.at(0).text, QStringLiteral("请先输入正确的用户名"));
        }
        QCOMPARE(fileNames().size(), 3);
    }

    void deletingTheOnlyRecordLeavesAnEmptyFile()
    {
        writeRecords({record(1, QStringLiteral("王"), 50, QStringLiteral("2026-03-01 10:00:00 "))});
        RecordViewer viewer(t->ctx);
        viewer.numberBox()->setText(QStringLiteral("1"));
        answer({QMessageBox::Yes}, [&] { viewer.deleteByNumber(); });
        QVERIFY(QFile::exists(path()));
        QCOMPARE(QFileInfo(path()).size(), 0);
        QCOMPARE(viewer.model().rowCount(), 0);
        viewer.sortBy(1); // nothing to order
        QCOMPARE(QFileInfo(path()).size(), 0);
    }

    void longNamesExercisesAndTimesShowWholeWithoutScrolling()
    {
        // The longest texts the file can hold: 16 bytes of name, 20 of title.
        TypingRecord longest = record(12345, QStringLiteral("欧阳司马上官诸葛"), 9999, QStringLiteral("2026-12-31 23:59:59 "));
        longest.kind = QStringLiteral("五笔98版四字词组练习");
        longest.characters = longest.total = 123456;
        longest.accuracy = QStringLiteral("100.00%");
        // The widest figures come second, after shorter ones stored with padding.
        writeRecords({record(2, QStringLiteral("李雷"), 80, QStringLiteral("2026-03-01 10:00:00 ")), longest});
        RecordViewer viewer(t->ctx);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QTableView *grid = viewer.grid();
        QVERIFY(grid->isVisible());
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        // A cell's text has the style's focus margin on each side and the grid line.
        const QFontMetrics fm(grid->font());
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
        for (int c = 0; c < RecordTableModel::kColumns; ++c) {
            const QString text = viewer.model().cellText(1, c).trimmed();
            QVERIFY2(fm.horizontalAdvance(text) + margins <= grid->columnWidth(c), qPrintable(text));
            QVERIFY(grid->columnViewportPosition(c) + grid->columnWidth(c) <= grid->viewport()->width());
        }
    }

    void anEmptyFileShowsANoteInsteadOfTheGrid()
    {
        writeRecords({});
        RecordViewer viewer(t->ctx);
        viewer.show();
        QVERIFY(!viewer.grid()->isVisible());
        auto *note = viewer.findChild<QLabel *>(QStringLiteral("lblEmpty"));
        QVERIFY(note && note->isVisible() && note->text().contains(QStringLiteral("还没有")));

        writeThree();
        viewer.fillGrid();
        QVERIFY(viewer.grid()->isVisible());
        QVERIFY(!note->isVisible());
    }

    void deletingEverythingAsksFirst()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        auto seen = answer({QMessageBox::No}, [&] { viewer.deleteAll(); });
        QCOMPARE(seen.at(0).text, QStringLiteral("确实要删除所有记录吗？"));
        QCOMPARE(seen.at(0).preselected, QMessageBox::No);
        QCOMPARE(viewer.model().rowCount(), 3);
        answer({QMessageBox::Yes}, [&] { viewer.deleteAll(); });
        QCOMPARE(QFileInfo(path()).size(), 0);
        QCOMPARE(viewer.model().rowCount(), 0);
    }

    void everyDeletionQuestionPreselectsNo()
    {
        writeThree();
        const QByteArray before = [&] { QFile f(path()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        RecordViewer viewer(t->ctx);
        viewer.numberBox()->setText(QStringLiteral("1"));
        viewer.nameBox()->setText(QStringLiteral("王"));
        const auto seen = answer({QMessageBox::No, QMessageBox::No, QMessageBox::No}, [&] {
            viewer.deleteByNumber();
            viewer.deleteByName();
            viewer.deleteAll();
        });
        QCOMPARE(seen.size(), size_t(3));
        for (const auto &question : seen)
            QCOMPARE(question.preselected, QMessageBox::No);
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void aMissingFileLeavesEverythingAsItIs()
    {
        RecordViewer viewer(t->ctx);
        QCOMPARE(viewer.model().rowCount(), 0);
        viewer.numberBox()->setText(QStringLiteral("1"));
        viewer.nameBox()->setText(QStringLiteral("王"));
        const auto seen = answer({}, [&] {
            viewer.sortBy(0);
            viewer.deleteByNumber();
            viewer.deleteByName();
        });
        QVERIFY(seen.empty());
        QVERIFY(!QFile::exists(path()));
    }

    void doubleClickPicksANumberOrAName()
    {
        writeThree();
        RecordViewer viewer(t->ctx);
        viewer.pickRecord(viewer.model().index(2, 0));
        QCOMPARE(viewer.numberBox()->text(), QStringLiteral("3"));
        viewer.pickRecord(viewer.model().index(1, 1));
        QCOMPARE(viewer.nameBox()->text(), QStringLiteral("李雷"));
        viewer.pickRecord(viewer.model().index(0, 2));
        QCOMPARE(viewer.numberBox()->text(), QStringLiteral("3"));
        QCOMPARE(viewer.nameBox()->text(), QStringLiteral("李雷"));
    }

    void damagedFilesAreShownAsFarAsTheyCanBeRead()
    {
        QByteArray garbage(1000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 97 + 13) & 0xFF);
        {
            QFile f(path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(garbage);
        }
        RecordViewer viewer(t->ctx);
        QCOMPARE(viewer.model().rowCount(), 8);
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 10; ++col)
                viewer.model().data(viewer.model().index(row, col));
        viewer.grab(); // painting every visible cell must not fail either
        viewer.sortBy(0);
        QCOMPARE(viewer.model().rowCount(), 8);
    }

    void theMenuCommandClosesOthersThenShowsTheViewer()
    {
        RegisterRecords(t->ctx, t->shell);
        writeThree();
        QVERIFY(t->shell.runCommand(QStringLiteral("other.records")));
        QCOMPARE(t->shell.closeOthersCount, 1);
        auto *viewer = qobject_cast<RecordViewer *>(t->shell.window(ManagedWindow::RecordViewer));
        QVERIFY(viewer);
        QCOMPARE(viewer->model().rowCount(), 3);
        QVERIFY(!t->state.window(ManagedWindow::RecordViewer).opening);
        // A second time keeps the open viewer.
        QVERIFY(t->shell.runCommand(QStringLiteral("other.records")));
        QCOMPARE(t->shell.window(ManagedWindow::RecordViewer), viewer);
    }
};

QTEST_MAIN(RecordViewerTest)
#include "record_viewer.moc"
