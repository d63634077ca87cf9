// Qt's own texts in Chinese, seen in the file dialog, whose columns all show
// at its opening size.
#include "app/Translations.h"
#include "practice/ui/ReferenceFileDialog.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QTreeView>

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallQtChineseTranslations(*qApp)); }

    void theFileDialogSpeaksChineseAndShowsItsColumnsWhole()
    {
        TestEnv env;
        QFile file(env.path() + QStringLiteral("/一篇相当长的对照文本的文件名.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QString labelText;
        QStringList cutColumns;
        int columns = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            QTest::qWait(200); // the folder is read in the background
            labelText = dialog->findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text();
            auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
            QHeaderView *header = view->header();
            columns = header->count();
            const QFontMetrics fm(header->font());
            for (int c = 0; c < header->count(); ++c) {
                const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
                const bool outside = header->sectionViewportPosition(c) + header->sectionSize(c) > header->width();
                if (outside || fm.horizontalAdvance(title) > header->sectionSize(c))
                    cutColumns << title;
            }
            dialog->reject();
        });
        poll.start(10);
        QCOMPARE(ChooseReferenceFile(nullptr, env.path()), QString());
        QVERIFY(labelText.contains(QStringLiteral("文件名")));
        QCOMPARE(columns, 4);
        QVERIFY2(cutColumns.isEmpty(), qPrintable(cutColumns.join(QLatin1Char(','))));
    }
};

QTEST_MAIN(TranslationsTest)
#include "Translations.moc"
