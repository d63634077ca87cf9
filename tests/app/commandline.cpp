// Command-line options: answers printed before any window exists.
#include "app/CommandLine.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QTest>

namespace {
struct Run {
    CommandLineOptions options;
    QString out;
    QString err;
};

Run run(const QStringList &args, const QString &exeDir = QString())
{
    Run r;
    r.options = RunCommandLine(args, exeDir, r.out, r.err);
    return r;
}
} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void versionAndHelpExitAtOnce()
    {
        Run r = run({"--version"});
        QVERIFY(r.options.exitNow);
        QCOMPARE(r.options.exitCode, 0);
        QVERIFY(r.out.startsWith("Quorvel 1."));
        r = run({"--help"});
        QVERIFY(r.options.exitNow);
        QVERIFY(r.out.contains("--lookup"));
        QVERIFY(r.out.contains("--data-dir"));
    }

    void lookupPrintsTheCodeOfEitherEdition()
    {
        TestEnv env;
        Run r = run({"--data-dir", TestEnv::dataRoot(), "--lookup", "我"});
        QVERIFY(r.options.exitNow);
        QCOMPARE(r.options.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("q\n"));

        r = run({"--lookup", "式", "--edition", "98"}, TestEnv::dataRoot());
        QCOMPARE(r.options.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("aa\n"));

        r = run({"--lookup=经济", "--edition=86", "--data-dir=" + TestEnv::dataRoot()});
        QCOMPARE(r.options.exitCode, 0);
        QCOMPARE(r.out.trimmed().size(), 4);

        r = run({"--lookup", "abc"}, TestEnv::dataRoot());
        QCOMPARE(r.options.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("无\n"));
    }

    void lookupWithoutTablesFails()
    {
        TestEnv env;
        QDir().mkpath(env.path() + "/empty/data");
        const Run r = run({"--data-dir", env.path() + "/empty", "--lookup", "我", "--edition", "98"});
        QVERIFY(r.options.exitNow);
        QVERIFY(r.options.exitCode != 0);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains("zb98.dz"));
    }

    void badOptionsAreReported()
    {
        TestEnv env;
        for (const QStringList &args : {QStringList{"--lookup"}, QStringList{"--data-dir"},
                                        QStringList{"--lookup", "我", "--edition", "87"},
                                        QStringList{"--data-dir", env.path() + "/none"}}) {
            const Run r = run(args, TestEnv::dataRoot());
            QVERIFY(r.options.exitNow);
            QCOMPARE(r.options.exitCode, 2);
            QVERIFY(!r.err.isEmpty());
        }
    }

    void windowProgramKeepsDataDirAndQtOptions()
    {
        const Run r = run({"-platform", "offscreen", "--data-dir", TestEnv::dataRoot()});
        QVERIFY(!r.options.exitNow);
        QCOMPARE(r.options.dataDir, TestEnv::dataRoot());
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "commandline.moc"
