// The data tool, run on small made-up sources: tables, texts and help come
// out in the formats the program reads, and bad sources stop it with a
// message naming the file.
#include "data/CodeTable.h"
#include "data/Gbk.h"
#include "data/Scramble.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {
// Sources with tiny tables; the radical data and licences are the real ones.
QString makeAssets(const TestEnv &env)
{
    const QString assets = env.path() + "/assets";
    const QString real = TestEnv::sourceDir() + "/assets/wubi/";
    QDir().mkpath(assets + "/wubi");
    QDir().mkpath(assets + "/help");
    for (const char *name : {"radicals.tsv", "mnemonics.tsv", "LICENSE-wubi86.txt", "LICENSE-wubi98.txt"})
        QFile::link(real + name, assets + "/wubi/" + name);
    WriteFileBytes(assets + "/wubi/wubi86.tsv", "工\ta\t1\n我\tq\t1\n我\ttrnt\tfull\n中华\tkwwl\tphrase\n");
    WriteFileBytes(assets + "/wubi/wubi98.tsv", "工\ta\t1\n我\ttrny\tfull\n");
    WriteFileBytes(assets + "/help/help.html", "<html>帮助</html>");
    // The licence beside the assets goes into help/.
    QFile::link(TestEnv::sourceDir() + "/COPYING", env.path() + "/COPYING");
    // The real tunes, copied: a test may spoil one.
    QDir().mkpath(assets + "/music");
    const QDir music(TestEnv::sourceDir() + "/assets/music");
    for (const QString &tune : music.entryList({"*.tune"}))
        QFile::copy(music.filePath(tune), assets + "/music/" + tune);
    return assets;
}

struct Outcome {
    int exitCode = -1;
    QString errors;
};

Outcome runTool(const QString &assets, const QString &out)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    tool.setProcessEnvironment(env);
    tool.start(TestEnv::dataRoot() + "/mkdata", {"--assets", assets, "--out", out});
    if (!tool.waitForFinished(120000))
        return {};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardError())};
}
} // namespace

class MkdataTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (!QFile::exists(TestEnv::dataRoot() + "/mkdata"))
            QSKIP("the data tool is not built in this configuration");
    }

    void buildsTablesTextsAndHelp()
    {
        TestEnv env;
        const QString assets = makeAssets(env);
        const QString out = env.path() + "/out";
        WriteFileBytes(assets + "/text/Czh/a.txt", "第一行\n第二行");
        WriteFileBytes(assets + "/text/ewb/b.txt", "\xEF\xBB\xBFOne line.\r\nTwo.\r\n");
        Outcome o = runTool(assets, out);
        QVERIFY2(o.exitCode == 0, qPrintable(o.errors));

        CodeTables tables;
        QVERIFY(LoadCodeTables(out, true, true, tables).isEmpty());
        QCOMPARE(tables.t86.text(), QStringLiteral("#工%a#我%q#我%trnt#中华%kwwl#"));
        QCOMPARE(tables.t98.text(), QStringLiteral("#工%a#我%trny#"));
        // One entry per CR LF line in the plain bytes.
        QVERIFY(DecodeGbk(UnscrambleBytes(FileBytes(out + "/data/zb98.dz"))) == QStringLiteral("#工%a\r\n#我%trny\r\n#"));

        QCOMPARE(FileBytes(out + "/text/Czh/a.txt"), EncodeGbk(QStringLiteral("第一行\r\n第二行\r\n")));
        QCOMPARE(FileBytes(out + "/text/ewb/b.txt"), QByteArray("One line.\r\nTwo.\r\n"));
        QVERIFY(QDir(out + "/text/Cwb").exists());
        QCOMPARE(FileBytes(out + "/help/help.html"), QByteArray("<html>帮助</html>"));
        QVERIFY(QFile::exists(out + "/help/LICENSE-wubi86.txt"));
        QVERIFY(QFile::exists(out + "/help/LICENSE-wubi98.txt"));
        for (const char *wav : {"yes.wav", "no.wav", "tick2.wav"})
            QVERIFY(FileBytes(out + "/sound/" + wav).startsWith("RIFF"));
        QVERIFY(FileBytes(out + "/data/midi/高山流水.mid").startsWith("MThd"));

        // A text taken out of the sources leaves the output on the next run.
        QVERIFY(QFile::remove(assets + "/text/Czh/a.txt"));
        o = runTool(assets, out);
        QCOMPARE(o.exitCode, 0);
        QVERIFY(!QFile::exists(out + "/text/Czh/a.txt"));
        QVERIFY(QFile::exists(out + "/text/ewb/b.txt"));
    }

    void aByteOrderMarkIsNoPartOfTheFirstWord()
    {
        TestEnv env;
        const QString assets = makeAssets(env);
        WriteFileBytes(assets + "/wubi/wubi98.tsv", "\xEF\xBB\xBF工\ta\t1\n我\ttrny\tfull\n");
        const Outcome o = runTool(assets, env.path() + "/out");
        QVERIFY2(o.exitCode == 0, qPrintable(o.errors));
        CodeTables tables;
        QVERIFY(LoadCodeTables(env.path() + "/out", false, true, tables).isEmpty());
        QCOMPARE(tables.t98.text(), QStringLiteral("#工%a#我%trny#"));
        QCOMPARE(tables.t98.codeOf(u"工"), std::optional<QString>(QStringLiteral("a")));
    }

    void textWithoutGbkCodeIsNamed()
    {
        TestEnv env;
        const QString assets = makeAssets(env);
        WriteFileBytes(assets + "/text/Cwb/bad.txt", "第一行\n还有한字\n");
        const Outcome o = runTool(assets, env.path() + "/out");
        QVERIFY(o.exitCode != 0);
        QVERIFY2(o.errors.contains("bad.txt") && o.errors.contains("line 2"), qPrintable(o.errors));
    }

    void aTuneWithABarThatIsNotFullIsNamed()
    {
        TestEnv env;
        const QString assets = makeAssets(env);
        WriteFileBytes(assets + "/music/花好月圆.tune",
                  "tempo 90\nsection A\n[1] 1 2 3 4 |\n[5] 5 6 7 |\nform A\n");
        const Outcome o = runTool(assets, env.path() + "/out");
        QVERIFY(o.exitCode != 0);
        QVERIFY2(o.errors.contains("花好月圆.tune:4") && o.errors.contains("3 beats"), qPrintable(o.errors));
    }

    void brokenTableRowIsNamed()
    {
        TestEnv env;
        const QString assets = makeAssets(env);
        WriteFileBytes(assets + "/wubi/wubi98.tsv", "工\ta\t1\n我#\ttrny\tfull\n");
        const Outcome o = runTool(assets, env.path() + "/out");
        QVERIFY(o.exitCode != 0);
        QVERIFY2(o.errors.contains("wubi98.tsv:2"), qPrintable(o.errors));
    }
};

QTEST_GUILESS_MAIN(MkdataTest)
#include "mkdata.moc"
