// The settings store: case-folded names, defaults, damaged files, atomic
// replacement, and the numeric reading of stored texts.
#include "data/Settings.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunHasEveryCueOnAndDesignSizes()
    {
        TestEnv env;
        const SettingsStore store(env.path() + "/config/quorvel/quorvel.ini");
        CueFlags cues;
        cues.zwError = false;
        FontSizes fonts{12, 14};
        LoadStartupSettings(store, cues, fonts);
        for (bool on : {cues.nkPress, cues.nkError, cues.tkPress, cues.tkError, cues.zwRight, cues.zwError, cues.zyPress})
            QVERIFY(on);
        QCOMPARE(fonts.outIn, 0);
        QCOMPARE(fonts.intIn, 0);
        QVERIFY(!QFile::exists(store.path())); // reading never creates the file
    }

    void namesFoldCaseBetweenWritersAndLoader()
    {
        TestEnv env;
        SettingsStore store(env.path() + "/config/quorvel/quorvel.ini");
        store.write("Sound", "Sound_NK_Error", "0");
        store.write("Sound", "Sound_ZW_Right", "0");
        store.write("Font", "out_in_fontsize", "16");
        store.write("Font", "INT_IN_FONTSIZE", "12");
        QCOMPARE(store.read("sound", "sound_nk_error"), QStringLiteral("0"));
        QCOMPARE(store.read("SOUND", "SOUND_NK_ERROR"), QStringLiteral("0"));

        CueFlags cues;
        FontSizes fonts;
        LoadStartupSettings(SettingsStore(store.path()), cues, fonts);
        QVERIFY(!cues.nkError);
        QVERIFY(!cues.zwRight);
        QVERIFY(cues.zwError && cues.nkPress && cues.tkPress && cues.tkError && cues.zyPress);
        QCOMPARE(fonts.outIn, 16);
        QCOMPARE(fonts.intIn, 12);

        // A later write under another spelling replaces the same entry.
        store.write("SOUND", "sound_nk_error", "-1");
        QCOMPARE(store.read("Sound", "Sound_NK_Error"), QStringLiteral("-1"));
        QCOMPARE(FileBytes(store.path()).count("sound_nk_error"), 1);
    }

    void valuesReadBackWhole()
    {
        TestEnv env;
        SettingsStore store(env.path() + "/config/quorvel/quorvel.ini");
        const QStringList values{QStringLiteral("欧阳小明"), QStringLiteral("a=b;c"), QStringLiteral("[x]"),
                                 QStringLiteral("back\\slash\\n"), QStringLiteral("two\r\nlines\n"),
                                 QStringLiteral("  padded  ")};
        for (int i = 0; i < values.size(); ++i)
            store.write("User", QStringLiteral("v%1").arg(i), values[i]);
        const SettingsStore again(store.path());
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(again.read("user", QStringLiteral("V%1").arg(i)), values[i]);
        // Another section is untouched by these writes.
        store.write("Font", "out_in_fontsize", "10");
        QCOMPARE(again.read("User", "v0"), values[0]);
    }

    void absentOrEmptyValuesGiveTheDefault()
    {
        TestEnv env;
        SettingsStore store(env.path() + "/config/quorvel/quorvel.ini");
        QCOMPARE(store.read("User", "Name", "nobody"), QStringLiteral("nobody"));
        store.write("User", "Name", "");
        QCOMPARE(store.read("User", "Name", "nobody"), QStringLiteral("nobody"));
        QCOMPARE(store.read("Other", "Name"), QString());
    }

    void damagedFilesGiveDefaultsAndAreRepairedByWrites()
    {
        TestEnv env;
        const QString path = env.path() + "/config/quorvel/quorvel.ini";
        QDir().mkpath(env.path() + "/config/quorvel");
        static const char damaged[] = "\x00\xff\xfe garbage\n=novalue\nname_without_section=1\n[sound\n"
                                      "sound_nk_press=0\n[sound]\n broken line\nsound_tk_press = 0\n";
        WriteFileBytes(path, QByteArray(damaged, sizeof(damaged) - 1));
        SettingsStore store(path);
        CueFlags cues;
        FontSizes fonts;
        LoadStartupSettings(store, cues, fonts);
        QVERIFY(cues.nkPress); // its section header was broken
        QVERIFY(!cues.tkPress); // readable line in a sound section
        store.write("User", "Name", "张三");
        QCOMPARE(SettingsStore(path).read("user", "name"), QStringLiteral("张三"));
        QCOMPARE(SettingsStore(path).read("sound", "sound_tk_press"), QStringLiteral(" 0"));
    }

    // A settings file of 10 MB (a log pasted in by mistake) still gives its
    // settings and takes new ones, every line kept; one over the limit gives
    // what can be read, is left alone, and says so once.
    void aLargeSettingsFileIsReadAndKeptAndAnOversizedOneReported()
    {
        TestEnv env;
        const QString path = env.path() + "/quorvel.ini";
        QByteArray filler;
        for (int i = 0; filler.size() < 10 * 1024 * 1024; ++i)
            filler += "; line " + QByteArray::number(i) + " of something pasted here by mistake\n";
        const QByteArray head = "[sound]\nsound_nk_press=0\n[user]\nname=李雷\n";
        WriteFileBytes(path, head + filler);
        SettingsStore store(path);
        QStringList reported;
        store.setProblemReporter([&](const QString &message) { reported << message; });
        CueFlags cues;
        FontSizes fonts;
        LoadStartupSettings(store, cues, fonts);
        QVERIFY(!cues.nkPress);
        QCOMPARE(store.read("User", "Name"), QStringLiteral("李雷"));
        QCOMPARE(store.write("User", "Name", "王"), QString());
        QCOMPARE(SettingsStore(path).read("user", "name"), QStringLiteral("王"));
        QVERIFY(FileBytes(path).endsWith(filler));
        QCOMPARE(reported, QStringList());

        WriteFileBytes(path, head + filler.repeated(2));
        const QByteArray oversized = FileBytes(path);
        QCOMPARE(store.read("User", "Name"), QStringLiteral("李雷"));
        QVERIFY(!store.write("User", "Name", "王").isEmpty());
        store.write("User", "Name", "王");
        QCOMPARE(FileBytes(path), oversized);
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].contains(path) && reported[0].contains(QStringLiteral("太大")), qPrintable(reported[0]));
    }

    void aWriteKeepsEveryLineItDoesNotChange()
    {
        TestEnv env;
        const QString path = env.path() + "/config/quorvel/quorvel.ini";
        QDir().mkpath(env.path() + "/config/quorvel");
        QByteArray head = "; Quorvel settings, edited by hand\r\n"
                                "[Sound]\r\n"
                                "# cues for the keypad drill\r\n"
                                "Sound_NK_Press=0\r\n"
                                "this line means nothing\r\n"
                                "old_name=\xC0\xEE\xC0\xD7 (GBK, not UTF-8)\r\n";
        const QByteArray tail = "\r\n[Font]\r\nout_in_fontsize=12\r\n";
        WriteFileBytes(path, head + tail);
        SettingsStore store(path);

        // A changed value changes its own line only, spelling and CR kept.
        store.write("sound", "sound_nk_press", "-1");
        QCOMPARE(FileBytes(path), head.replace("Sound_NK_Press=0", "Sound_NK_Press=-1") + tail);

        // A new value goes to the end of its section; a new section at the end.
        store.write("Sound", "Sound_ZW_Error", "0");
        store.write("User", "Name", "王");
        const QByteArray now = FileBytes(path);
        QVERIFY(now.startsWith(head + "sound_zw_error=0\r\n" + tail));
        QVERIFY(now.endsWith("\r\n\r\n[user]\r\nname=王\r\n"));
        QCOMPARE(store.read("sound", "sound_nk_press"), QStringLiteral("-1"));
        QCOMPARE(store.read("font", "out_in_fontsize"), QStringLiteral("12"));
    }

    // The settings dialog stores all its values in one write and start-up
    // reads them in one: the same bytes and values as one at a time.
    void severalValuesInOneWriteAndOneRead()
    {
        TestEnv env;
        QDir().mkpath(env.path() + "/config");
        const QByteArray start = "; by hand\r\n[Sound]\r\nSound_NK_Press=0\r\n\r\n[Font]\r\nout_in_fontsize=12\r\n";
        const QList<SettingValue> values{{"sound", "sound_nk_press", "-1"}, {"Sound", "Sound_ZW_Error", "0"},
                                         {"User", "Name", "王"},           {"User", "Pace", "30"},
                                         {"USER", "name", "李"},           {"", "ignored", "1"}};
        SettingsStore oneByOne(env.path() + "/config/a.ini");
        SettingsStore together(env.path() + "/config/b.ini");
        WriteFileBytes(oneByOne.path(), start);
        WriteFileBytes(together.path(), start);
        for (const SettingValue &v : values)
            oneByOne.write(v.section, v.name, v.text);
        together.write(values);
        QCOMPARE(FileBytes(together.path()), FileBytes(oneByOne.path()));
        QCOMPARE(FileBytes(together.path()).count("[user]"), 1);

        const StoredSettings stored = together.readAll();
        together.write("User", "Name", "赵"); // after the reading
        QCOMPARE(stored.read("user", "NAME"), QStringLiteral("李"));
        QCOMPARE(stored.read("Sound", "Sound_NK_Press"), QStringLiteral("-1"));
        QCOMPARE(stored.read("Font", "int_in_fontsize", "none"), QStringLiteral("none"));
    }

    void writesReplaceTheFileAtomically()
    {
        TestEnv env;
        const QString dir = env.path() + "/config/quorvel";
        SettingsStore store(dir + "/quorvel.ini");
        store.write("User", "Name", "甲");
        store.write("User", "Name", "乙");
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"quorvel.ini"});
        QCOMPARE(store.read("User", "Name"), QStringLiteral("乙"));

        // A folder in the file's place: the write fails silently, nothing breaks.
        SettingsStore blocked(env.path() + "/config/blocked");
        QDir().mkpath(blocked.path());
        blocked.write("User", "Name", "丙");
        QCOMPARE(blocked.read("User", "Name", "def"), QStringLiteral("def"));
    }

    void numericReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("number");
        QTest::newRow("-1") << "-1" << true << -1;
        QTest::newRow("1") << "1" << true << 1;
        QTest::newRow("0") << "0" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("True") << "True" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("padded") << "  16 " << true << 16;
        QTest::newRow("trailing text") << "12pt" << true << 12;
        QTest::newRow("fraction") << "12.6" << true << 13;
        QTest::newRow("half even") << "12.5" << true << 12;
        QTest::newRow("small") << "0.2" << true << 0;
        QTest::newRow("exponent") << "1e1" << true << 10;
        QTest::newRow("bare e") << "1e" << true << 1;
        QTest::newRow("plus") << "+3" << true << 3;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("huge") << "99999999999" << true << 32767;
        QTest::newRow("full-width digits") << "１２" << false << 0;
    }

    void numericReading()
    {
        QFETCH(QString, text);
        QFETCH(bool, on);
        QFETCH(int, number);
        QCOMPARE(SettingIsOn(text), on);
        QCOMPARE(SettingToInt(text), number);
    }

    void unusableFontSizesKeepTheDesignSize()
    {
        TestEnv env;
        SettingsStore store(env.path() + "/config/quorvel/quorvel.ini");
        store.write("Font", "out_in_fontsize", "-5");
        store.write("Font", "int_in_fontsize", "5000");
        CueFlags cues;
        FontSizes fonts{3, 3};
        LoadStartupSettings(store, cues, fonts);
        QCOMPARE(fonts.outIn, 0);
        QCOMPARE(fonts.intIn, 0);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings.moc"
