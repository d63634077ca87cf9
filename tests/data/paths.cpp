// Where the data and the writable files are, and the two file helpers.
#include "data/Paths.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class PathsTest : public QObject {
    Q_OBJECT
private slots:
    void dataRootPrefersOptionThenProgramFolder()
    {
        TestEnv env;
        const QString exeDir = env.path() + "/bin";
        QDir().mkpath(exeDir + "/data");
        QCOMPARE(ResolvePaths(QString(), exeDir).dataRoot, exeDir);
        QCOMPARE(ResolvePaths(env.path() + "/elsewhere/../elsewhere", exeDir).dataRoot, env.path() + "/elsewhere");

        // A program folder without data/ falls back to the installed folder.
        const QString bare = env.path() + "/bare";
        QDir().mkpath(bare);
        const QString fallback = ResolvePaths(QString(), bare).dataRoot;
        QVERIFY(fallback != bare);
        QVERIFY(fallback.endsWith("/share/quorvel"));
    }

    void writableFoldersFollowXdgAndAreCreated()
    {
        TestEnv env;
        const AppPaths paths = ResolvePaths(QString(), QString());
        QCOMPARE(paths.configDir, env.path() + "/config/quorvel");
        QCOMPARE(paths.userDataDir, env.path() + "/share/quorvel");
        QVERIFY(QFileInfo(paths.configDir).isDir());
        QVERIFY(QFileInfo(paths.userDataDir).isDir());
        QCOMPARE(paths.settingsFile(), env.path() + "/config/quorvel/quorvel.ini");
        QCOMPARE(paths.recordFile(), env.path() + "/share/quorvel/typerecord.dat");
        QCOMPARE(paths.data("text/Czh"), paths.dataRoot + "/text/Czh");
    }

    void fileHelpers()
    {
        TestEnv env;
        const QString file = env.path() + "/.TypeRecord.dat";
        QVERIFY(!FileExists(file));
        QVERIFY(!FileExists(QString()));
        QVERIFY(CreateEmptyFile(file));
        QVERIFY(FileExists(file)); // hidden names too
        QVERIFY(FileExists(env.path()));

        QFile f(file);
        QVERIFY(f.open(QIODevice::Append));
        f.write("data");
        f.close();
        QVERIFY(CreateEmptyFile(file));
        QCOMPARE(QFileInfo(file).size(), 0);

        QVERIFY(!CreateEmptyFile(env.path() + "/missing/folder/file"));
        QVERIFY(!CreateEmptyFile(QString()));
    }
};

QTEST_GUILESS_MAIN(PathsTest)
#include "paths.moc"
