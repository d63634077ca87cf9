// Reading reference texts (encodings, line ends, damaged and unsuitable
// files) and counting typed text.
#include "data/Gbk.h"
#include "practice/TextFile.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QString writeFile(const TestEnv &env, const QString &name, const QByteArray &bytes)
{
    const QString path = env.path() + "/" + name;
    WriteFileBytes(path, bytes);
    return path;
}

QByteArray gbk(const char *utf8) { return EncodeGbk(QString::fromUtf8(utf8)); }

// Bytes of address space this process has mapped now.
rlim_t addressSpaceInUse()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return rlim_t(statm.readLine().split(' ').value(0).toULongLong()) * rlim_t(sysconf(_SC_PAGESIZE));
}
} // namespace

class TextFileTest : public QObject {
    Q_OBJECT
private slots:
    void lineEndsAllEndALine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF with final") << gbk("春天\r\n来了\r\n");
        QTest::newRow("CR LF without final") << gbk("春天\r\n来了");
        QTest::newRow("lone LF") << gbk("春天\n来了\n");
        QTest::newRow("lone CR") << gbk("春天\r来了");
        QTest::newRow("UTF-8") << QByteArray("春天\n来了");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF春天\r\n来了\r\n");
    }

    void lineEndsAllEndALine()
    {
        QFETCH(QByteArray, bytes);
        TestEnv env;
        const QString path = writeFile(env, "t.txt", bytes);
        TextReadResult kept = ReadTextFile(path, true);
        QVERIFY(kept.ok);
        QCOMPARE(kept.text, QStringLiteral("春天\r\n来了\r\n"));
        TextReadResult joined = ReadTextFile(path, false);
        QVERIFY(joined.ok);
        QCOMPARE(joined.text, QStringLiteral("春天来了"));
    }

    void emptyLinesStayLines()
    {
        TestEnv env;
        const QString path = writeFile(env, "t.txt", gbk("一\r\n\r\n\n二\r\n\r\n"));
        QCOMPARE(ReadTextFile(path, true).text, QStringLiteral("一\r\n\r\n\r\n二\r\n\r\n"));
        const QString empty = writeFile(env, "e.txt", QByteArray());
        const TextReadResult r = ReadTextFile(empty, true);
        QVERIFY(r.ok);
        QVERIFY(r.text.isEmpty());
    }

    void gbkTextWithBadBytesIsReadWithReplacements()
    {
        TestEnv env;
        // "好" then a byte pair that is no GBK character, then a cut-off lead byte.
        const QByteArray bytes = gbk("好") + QByteArray("\x81\x30", 2) + gbk("吗\r\n") + QByteArray("\xb9", 1);
        const TextReadResult r = ReadTextFile(writeFile(env, "bad.txt", bytes), true);
        QVERIFY(r.ok);
        QVERIFY(r.text.startsWith(QStringLiteral("好\uFFFD")));
        QVERIFY(r.text.contains(QStringLiteral("吗\r\n")));
        QVERIFY(r.text.endsWith(QStringLiteral("\uFFFD\r\n")));
    }

    // Each text comes out as it was written: a UTF-8 text with one damaged
    // byte stays UTF-8 with that byte marked, GB18030 four-byte codes decode,
    // UTF-16 without a mark is known by its zero bytes, and control
    // characters become spaces or go. Each change is named in the warning.
    void textsDecodeAsWrittenAndDamageIsReported_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("warning"); // a part of it; empty when there is none
        const QByteArray utf8 = QStringLiteral("春天来了，花开了。\r\n燕子飞回来了。\r\n").toUtf8();
        QTest::newRow("UTF-8 with one bad byte")
            << utf8.left(9) + QByteArray("\xff") + utf8.mid(9)
            << QStringLiteral("春天来\uFFFD了，花开了。\r\n燕子飞回来了。\r\n") << QStringLiteral("1 个字节");
        // 𠀀 (U+20000) and 㐀 (U+3400) have no GBK code: GB18030 gives them four bytes.
        QTest::newRow("GB18030 four-byte codes")
            << gbk("字") + QByteArray("\x95\x32\x82\x36\x81\x39\xEE\x39", 8) + gbk("典\r\n")
            << QStringLiteral("字\U00020000\u3400典\r\n") << QString();
        QTest::newRow("UTF-16 without a mark")
            << QByteArray("\x25\x66\x29\x59\r\0\n\0\x65\x67", 10) << QStringLiteral("春天\r\n来\r\n")
            << QString();
        QTest::newRow("control characters")
            << QByteArray("a\tb\x01" "c\x1b[0m\r\n") << QStringLiteral("a bc[0m\r\n") << QStringLiteral("3 个控制字符");
        QTest::newRow("clean GBK") << gbk("春天来了\r\n") << QStringLiteral("春天来了\r\n") << QString();
    }

    void textsDecodeAsWrittenAndDamageIsReported()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, warning);
        TestEnv env;
        const TextReadResult r = ReadTextFile(writeFile(env, "text.txt", bytes), true);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.text, text);
        if (warning.isEmpty())
            QCOMPARE(r.warning, QString());
        else
            QVERIFY2(r.warning.contains(warning), qPrintable(r.warning));
    }

    void unsuitableFilesAreRefusedWithAMessage()
    {
        TestEnv env;
        TextReadResult r = ReadTextFile(QString(), true);
        QVERIFY(!r.ok);
        QVERIFY(r.text.isEmpty());
        QVERIFY(!r.error.isEmpty());

        // The message says why; the caller names the file, once.
        r = ReadTextFile(env.path() + "/missing.txt", true);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        QVERIFY(!r.error.contains("missing.txt"));

        r = ReadTextFile(env.path(), true);
        QVERIFY(!r.ok);

        QByteArray binary("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        r = ReadTextFile(writeFile(env, "picture.txt", binary), true);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());

        // Larger than the limit: refused without reading it all.
        const QString huge = env.path() + "/huge.txt";
        QFile f(huge);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(kMaxTextFileBytes + 1));
        f.close();
        r = ReadTextFile(huge, true);
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("MB"));
    }

    void utf16WithAByteOrderMarkIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("春天，来了\r\nSpring\n");
        QByteArray le("\xFF\xFE");
        QByteArray be("\xFE\xFF");
        for (QChar c : text) {
            le += char(c.unicode() & 0xFF);
            le += char(c.unicode() >> 8);
            be += char(c.unicode() >> 8);
            be += char(c.unicode() & 0xFF);
        }
        QTest::newRow("little-endian") << le;
        QTest::newRow("big-endian") << be;
    }

    void utf16WithAByteOrderMarkIsRead()
    {
        QFETCH(QByteArray, bytes);
        TestEnv env;
        const TextReadResult r = ReadTextFile(writeFile(env, "utf16.txt", bytes), true);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.text, QStringLiteral("春天，来了\r\nSpring\r\n"));
        // A surrogate without its partner is marked, so that the halves on
        // either side of a line break cannot join into one character.
        const TextReadResult halves =
            ReadTextFile(writeFile(env, "halves.txt", QByteArray("\xFF\xFE\x54\xDA\x0A\x00\xC4\xDC", 8)), false);
        QVERIFY(halves.ok);
        QCOMPARE(halves.text, QStringLiteral("\uFFFD\uFFFD"));
        QCOMPARE(CountTypedText(halves.text).characterCount, 2);
        // Cut in the middle of a character: read, the half character marked.
        const TextReadResult cut = ReadTextFile(writeFile(env, "cut.txt", bytes.chopped(1)), false);
        QVERIFY(cut.ok);
        QVERIFY(cut.text.startsWith(QStringLiteral("春天，来了Spring")));
    }

    void aSmallTextNeedsLittleMemory()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the address sanitizer reserves its own address space");
#endif
        TestEnv env;
        const QString path = writeFile(env, "small.txt", gbk("春天来了\r\n"));
        // In a child whose address space may grow by 16 MB only, reading a
        // small text must succeed (a reader that allocates its limit up front
        // dies here).
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = addressSpaceInUse() + 16 * 1024 * 1024;
            setrlimit(RLIMIT_AS, &limit);
            try {
                const TextReadResult r = ReadTextFile(path, true);
                _exit(r.ok && r.text == QStringLiteral("春天来了\r\n") ? 0 : 1);
            } catch (...) {
                _exit(2);
            }
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void builtTextsAreGbkWithCrLf()
    {
        const QString root = TestEnv::dataRoot() + "/text";
        for (const char *folder : {"Czh", "Cwb", "ezh", "ewb"}) {
            QVERIFY(FolderExists(root + "/" + folder));
            const QStringList files = QDir(root + "/" + folder).entryList({"*.txt"}, QDir::Files);
            for (const QString &name : files) {
                QFile f(root + "/" + folder + "/" + name);
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QByteArray bytes = f.readAll();
                bool clean = false;
                DecodeGbk(bytes, &clean);
                QVERIFY2(clean, qPrintable(name));
                QVERIFY(bytes.endsWith("\r\n"));
                QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
                const TextReadResult r = ReadTextFile(f.fileName(), true);
                QVERIFY(r.ok);
                QVERIFY(!r.text.contains(QChar(QChar::ReplacementCharacter)));
            }
        }
        QVERIFY(!FolderExists(root + "/nope"));
        QVERIFY(!FolderExists(QString()));
    }

    void countingTypedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("punctuation");
        QTest::newRow("mixed") << QStringLiteral("你好，世界！ ab") << 9 << 6 << 2;
        QTest::newRow("empty") << QString() << 0 << 0 << 0;
        QTest::newRow("line ends count nowhere") << QStringLiteral("你好，\r\n世界！\r\n ab\n") << 9 << 6 << 2;
        QTest::newRow("question marks are characters") << QStringLiteral("？?\"—…-") << 6 << 6 << 0;
        QTest::newRow("curly quotes are punctuation") << QStringLiteral("“”‘’") << 4 << 0 << 4;
        QTest::newRow("all 22 marks") << QStringLiteral("，。；：‘’“”！、《》（）,.;:'!()") << 22 << 0 << 22;
        QTest::newRow("spaces only") << QStringLiteral("   ") << 3 << 0 << 0;
        QTest::newRow("full-width space is a character") << QStringLiteral("\u3000") << 1 << 1 << 0;
        QTest::newRow("pair is one character") << QStringLiteral("𠀀a") << 2 << 2 << 0;
    }

    void countingTypedText()
    {
        QFETCH(QString, text);
        QFETCH(int, total);
        QFETCH(int, characters);
        QFETCH(int, punctuation);
        const TypedCounts c = CountTypedText(text);
        QCOMPARE(c.totalCount, total);
        QCOMPARE(c.characterCount, characters);
        QCOMPARE(c.punctuationCount, punctuation);
    }

    void drillMaterial()
    {
        // Finger by finger, left hand first, then hand by hand: each key twice.
        const QString pool = BuildLetterPool();
        QCOMPARE(pool, QStringLiteral("qazwsxedcrfvtgbp;/ol.ik,yhnujmqwertasdfgzxcvbyuiophjkl;nm,./"));
        for (const QChar c : QStringLiteral("abcdefghijklmnopqrstuvwxyz;/.,"))
            QCOMPARE(pool.count(c), 2);

        // The 25 key names in keyboard order, Q to M (Z has none).
        QCOMPARE(KeyNameCharacters(), QStringLiteral("金人月白禾言立水火之工木大土王目日口田纟又女子已山"));
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "textfile.moc"
