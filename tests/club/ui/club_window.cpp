// The club race window against a real PostgreSQL server: a member joins the
// open race, types its passage in the whole-text practice and finds the
// result in the ranking; a member cannot post a passage, and a passage with
// control characters is refused before it is sent.
#include "club/ClubConnection.h"
#include "club/ClubDatabase.h"
#include "club/ClubSchema.h"
#include "club/ui/ClubWindow.h"
#include "club/ui/Register.h"
#include "practice/ui/PracticeHarness.h"
#include "practice/ui/TextPracticeWindow.h"
#include "support/ClubTestServer.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTableWidget>
#include <QtTest>

namespace {
const QString kPassage = QStringLiteral("春眠不觉晓，\n处处闻啼鸟。");
}

class ClubWindowTest : public QObject {
    Q_OBJECT
    ClubTestServer m_server;
    qint64 m_race = 0;

    qint64 count(const QString &sql)
    {
        QSqlQuery q(m_server.admin());
        return q.exec(sql) && q.next() ? q.value(0).toLongLong() : -1;
    }

    // The window of a learner logged in as `login`, connected.
    ClubWindow *openWindow(TestContext &t, const QString &login)
    {
        t.settings.write({{QStringLiteral("Club"), QStringLiteral("Host"), QStringLiteral("127.0.0.1")},
                          {QStringLiteral("Club"), QStringLiteral("Port"), QString::number(m_server.port())},
                          {QStringLiteral("Club"), QStringLiteral("Database"), QStringLiteral("postgres")},
                          {QStringLiteral("Club"), QStringLiteral("User"), login}});
        RegisterLinePractice(t.ctx, t.shell);
        RegisterTextPractice(t.ctx, t.shell);
        RegisterRecords(t.ctx, t.shell);
        RegisterClub(t.ctx, t.shell);
        t.shell.mainWindow()->show();
        if (!t.shell.runCommand(QStringLiteral("other.club")))
            return nullptr;
        auto *w = t.shell.mainWindow()->findChild<ClubWindow *>();
        if (w && !QTest::qWaitFor([w] { return w->session().isOnline() && w->raceList->count() > 0; }, 10000))
            return nullptr;
        return w;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.startWithAdmin(), qPrintable(m_server.error()));
        QSqlDatabase db = m_server.admin();
        QVERIFY(MigrateClubSchema(db).ok());
        QVERIFY2(m_server.addMember(QStringLiteral("teacher"), QStringLiteral("王老师"), QString(), true), qPrintable(m_server.error()));
        QVERIFY2(m_server.addMember(QStringLiteral("xiaoming"), QStringLiteral("小明"), QString(), false), qPrintable(m_server.error()));
        QSqlDatabase teacher = MakeClubDatabase(m_server.as(QStringLiteral("teacher")), QStringLiteral("teacher"));
        QVERIFY(teacher.open());
        qint64 passage = 0;
        QVERIFY(PostPassage(teacher, QStringLiteral("春晓"), kPassage, &passage).ok());
        QVERIFY(OpenRace(teacher, passage, QStringLiteral("周一赛文"), &m_race).ok());
        teacher.close();
    }

    void cleanupTestCase()
    {
        m_server.closeAdmin();
        QSqlDatabase::removeDatabase(QStringLiteral("teacher"));
    }

    void joinedRaceIsTypedInThePracticeAndRanked()
    {
        TestContext t(3);
        ClubWindow *w = openWindow(t, QStringLiteral("xiaoming"));
        QVERIFY(w);
        QVERIFY(!w->organiserBox->isVisible());
        QCOMPARE(w->selectedRace(), m_race);

        ModalWatcher watcher;
        watcher.handle = [](QWidget *modal) {
            if (auto *start = qobject_cast<StartDialog *>(modal)) {
                start->startOnEnter(Qt::Key_Return);
                return true;
            }
            return false;
        };
        w->joinSelectedRace();
        auto *practice = qobject_cast<TextPracticeWindow *>(t.shell.window(ManagedWindow::TextPracticeWindow));
        QVERIFY(practice);
        QCOMPARE(practice->reference()->toPlainText(), QStringLiteral("春眠不觉晓，处处闻啼鸟。"));
        QVERIFY(t.runStarted());

        // Typed through an input method, a phrase at a time, over 20 seconds;
        // the whole-text practice joins the passage's lines.
        for (const QString &phrase : {QStringLiteral("春眠"), QStringLiteral("不觉晓，"), QStringLiteral("处处闻"),
                                      QStringLiteral("啼鸟。")}) {
            t.clock.advanceSeconds(5);
            QInputMethodEvent e;
            e.setCommitString(phrase);
            QApplication::sendEvent(practice->input(), &e);
            QTest::qWait(300); // the window sends the typed count as it goes
        }
        QTRY_COMPARE_WITH_TIMEOUT(watcher.reports.size(), size_t(1), 5000);

        // The result reaches the server once, and the ranking shows it.
        QTRY_COMPARE_WITH_TIMEOUT(w->rankingTable->rowCount(), 1, 10000);
        QCOMPARE(w->rankingTable->item(0, 1)->text(), QStringLiteral("小明"));
        QCOMPARE(w->rankingTable->item(0, 2)->text(), QStringLiteral("36")); // 12 characters in 20 s
        QCOMPARE(w->rankingTable->item(0, 4)->text(), QStringLiteral("12"));
        QCOMPARE(w->session().pendingResults(), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM results WHERE member = 'xiaoming'")), qint64(1));
        // Everyone saw the progress live; the last count is the whole passage.
        QCOMPARE(count(QStringLiteral("SELECT characters FROM progress WHERE member = 'xiaoming'")), qint64(12));
        QTRY_COMPARE_WITH_TIMEOUT(w->progressTable->rowCount(), 1, 5000);
        QCOMPARE(w->progressTable->item(0, 1)->text(), QStringLiteral("12"));
        delete w;
    }

    void refusedPassagesSaySo()
    {
        TestContext t(4);
        ClubWindow *w = openWindow(t, QStringLiteral("xiaoming"));
        QVERIFY(w);
        const qint64 before = count(QStringLiteral("SELECT count(*) FROM passages"));
        MessageBoxScript answers({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
        QVERIFY(!w->postPassage(QStringLiteral("铃声"), QStringLiteral("响\a铃")));
        QVERIFY(!w->postPassage(QString(41, QChar(0x6587)), QStringLiteral("正文")));
        // A member's login may not post: the server says no, and the window says why.
        QVERIFY(!w->postPassage(QStringLiteral("O'Brien; --"), QStringLiteral("'; DROP TABLE passages; --")));
        QTRY_COMPARE(answers.seen.size(), size_t(3));
        QVERIFY(answers.seen[0].text.contains(QStringLiteral("控制字符")));
        QVERIFY(answers.seen[1].text.contains(QStringLiteral("太长")));
        QVERIFY2(answers.seen[2].text.contains(QStringLiteral("没有权限")), qPrintable(answers.seen[2].text));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM passages")), before);
        QVERIFY(w->session().isOnline()); // a refusal is not a lost connection
        delete w;

        TestContext organiser(5);
        w = openWindow(organiser, QStringLiteral("teacher"));
        QVERIFY(w);
        QVERIFY(w->organiserBox->isVisible());
        QVERIFY(w->postPassage(QStringLiteral("O'Brien; --"), QStringLiteral("'; DROP TABLE passages; --")));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM passages WHERE body = '''; DROP TABLE passages; --'")), qint64(1));
        // Members: a login with a space or a name with a control character is refused before sending.
        MessageBoxScript refusals({QMessageBox::Ok, QMessageBox::Ok});
        QVERIFY(!w->enrolMember(QStringLiteral("zhang san"), QStringLiteral("张三"), QString()));
        QVERIFY(!w->enrolMember(QStringLiteral("zhang3"), QStringLiteral("张\u0007三"), QString()));
        QTRY_COMPARE(refusals.seen.size(), size_t(2));
        QVERIFY(refusals.seen[0].text.contains(QStringLiteral("空格")));
        QVERIFY(refusals.seen[1].text.contains(QStringLiteral("控制字符")));
        QVERIFY(w->enrolMember(QStringLiteral("zhang3"), QStringLiteral("O'张; --"), QString()));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM members WHERE display_name = 'O''张; --'")), qint64(1));
        delete w;
    }
};

QTEST_MAIN(ClubWindowTest)
#include "club_window.moc"
