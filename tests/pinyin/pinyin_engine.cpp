// The pinyin engine without its data or its module: it says which file is
// missing and which package provides it, or that a file cannot be read or
// loaded, and a composer without an engine leaves every key alone.
#include "pinyin/PinyinComposer.h"
#include "pinyin/PinyinEngine.h"

#include <QTemporaryDir>
#include <QtTest>

class PinyinEngineTest : public QObject {
    Q_OBJECT
private slots:
    void missingOrDamagedDataMakeItUnavailableWithTheReason()
    {
        const PinyinEngine::DataFiles installed = PinyinEngine::installedFiles();
        QVERIFY2(PinyinEngine(installed).missingDataMessage().isEmpty(), "the pinyin data are not installed");
        QTemporaryDir dir;

        PinyinEngine noDictionary({dir.filePath(QStringLiteral("sc.dict")), installed.languageModel});
        const QString message = noDictionary.missingDataMessage();
        QVERIFY(message.startsWith(QStringLiteral("拼音练习不可用：")));
        QVERIFY(message.contains(dir.filePath(QStringLiteral("sc.dict"))));
        QVERIFY(message.contains(QStringLiteral("软件包 libime-data）")));
        QVERIFY(!noDictionary.waitUntilLoaded());
        QCOMPARE(noDictionary.unavailableMessage(), message);

        PinyinEngine noModel({installed.dictionary, dir.filePath(QStringLiteral("zh_CN.lm"))});
        QVERIFY(noModel.missingDataMessage().contains(QStringLiteral("libime-data-language-model")));

        // A file that is there but no dictionary: the load fails, nothing crashes.
        QFile damaged(dir.filePath(QStringLiteral("damaged.dict")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(64, '\x7f'));
        damaged.close();
        PinyinEngine unreadable({damaged.fileName(), installed.languageModel});
        QVERIFY(unreadable.missingDataMessage().isEmpty());
        unreadable.startLoading();
        QVERIFY(!unreadable.waitUntilLoaded());
        QVERIFY(unreadable.unavailableMessage().startsWith(QStringLiteral("拼音练习不可用：")));
        QVERIFY(unreadable.unavailableMessage().contains(damaged.fileName()));

        PinyinComposer composer;
        composer.setEngine(nullptr, PinyinScheme::Full);
        QVERIFY(!composer.press(ComposerKey::typed(QLatin1Char('n'))).consumed);
        QVERIFY(!composer.composing());
    }

    void missingOrBrokenModuleMakesItUnavailableWithTheReason()
    {
        const PinyinEngine::DataFiles installed = PinyinEngine::installedFiles();
        QTemporaryDir dir;
        const QString absent = dir.filePath(QStringLiteral("quorvel-pinyin.so"));
        PinyinEngine noModule({installed.dictionary, installed.languageModel, absent});
        QVERIFY(!noModule.waitUntilLoaded());
        QCOMPARE(noModule.unavailableMessage(),
                 QStringLiteral("拼音练习不可用：找不到拼音模块 %1（请重新安装软件包 quorvel）").arg(absent));

        // There, but no module: loading it fails, nothing crashes.
        QFile broken(dir.filePath(QStringLiteral("broken.so")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(256, '\x7f'));
        broken.close();
        PinyinEngine brokenModule({installed.dictionary, installed.languageModel, broken.fileName()});
        QVERIFY(!brokenModule.waitUntilLoaded());
        QVERIFY(brokenModule.unavailableMessage().startsWith(
            QStringLiteral("拼音练习不可用：拼音模块 %1 无法载入（").arg(broken.fileName())));

        // The program's own module, beside the test in the build tree, loads.
        PinyinEngine working(installed);
        QVERIFY2(working.waitUntilLoaded(), qPrintable(working.unavailableMessage()));
    }
};

QTEST_GUILESS_MAIN(PinyinEngineTest)
#include "pinyin_engine.moc"
