// The about box: version and licence link, and the system information button with and without a
// tool on the search path.
#include "ShellFixture.h"

#include "app/ui/AboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    // The box names the program and its version, and its licence line links
    // to the licence text that ships in the data folder: no made-up address.
    void showsVersionAndLinksTheShippedLicence()
    {
        ShellFixture f;
        f.start();
        AboutBox about(f.ctx, &f.main);
        QCOMPARE(about.findChild<QLabel *>("lblVersion")->text(), QString("版本：1.41"));
        for (const QLabel *label : about.findChildren<QLabel *>())
            QVERIFY2(!label->text().contains("example"), qPrintable(label->text()));
        const QLabel *licence = about.findChild<QLabel *>("Label1");
        QVERIFY(licence->openExternalLinks());
        const QRegularExpressionMatch link = QRegularExpression("href=\"([^\"]+)\"").match(licence->text());
        QVERIFY(link.hasMatch());
        QFile text(QUrl(link.captured(1)).toLocalFile());
        QVERIFY2(text.open(QIODevice::ReadOnly), qPrintable(text.fileName()));
        QVERIFY(text.readLine().contains("GNU GENERAL PUBLIC LICENSE"));
        QVERIFY(text.readAll().contains("Version 3"));
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
        about.openSystemInfo();
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
        about.openSystemInfo();
        qputenv("PATH", path);
        QTRY_VERIFY(QFile::exists(marker));
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBox.moc"
