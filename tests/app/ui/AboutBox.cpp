// The about box: texts, and the system information button with and without a
// tool on the search path.
#include "ShellFixture.h"

#include "app/ui/AboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void showsNameVersionAndAddress()
    {
        ShellFixture f;
        f.start();
        AboutBox about(f.ctx, &f.main);
        QCOMPARE(about.windowTitle(), QString("关于Quorvel"));
        QCOMPARE(about.findChild<QLabel *>("lblTitle")->text(), QString("Quorvel"));
        QCOMPARE(about.findChild<QLabel *>("lblVersion")->text(), QString("版本：1.41"));
        QVERIFY(about.findChild<QLabel *>("Label1")->text().startsWith("https://"));
        QCOMPARE(about.findChild<QPushButton *>("cmdSysInfo")->text(), QString("系统信息(&S)..."));
        QVERIFY(!about.findChild<QLabel *>("picIcon")->pixmap().isNull());
    }

    void withoutAToolTheMessageSaysSoAndTheBoxStays()
    {
        ShellFixture f;
        f.start();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(f.env.path()));
        QVERIFY(FindSystemInfoTool().isEmpty());
        AboutBox about(f.ctx, &f.main);
        about.show();
        QString title, text;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
        about.cmdSysInfo_Click();
        qputenv("PATH", path);
        QCOMPARE(title, QString("Quorvel"));
        QCOMPARE(text, QString("此时系统信息不可用"));
        QVERIFY(about.isVisible());
    }

    void aToolOnThePathIsStarted()
    {
        ShellFixture f;
        const QString marker = f.env.path() + "/started";
        const QString tool = f.env.path() + "/hardinfo";
        QFile script(tool);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(f.env.path()) + ":/usr/bin:/bin");
        QCOMPARE(FindSystemInfoTool(), tool);
        f.start();
        AboutBox about(f.ctx, &f.main);
        about.cmdSysInfo_Click();
        qputenv("PATH", path);
        QTRY_VERIFY(QFile::exists(marker));
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBox.moc"
