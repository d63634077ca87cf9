// A catalogue of bad inputs for every file the program reads: code tables,
// reference texts, the settings file and the record file. Each case runs in a
// child process (so a crash or a hang is caught and reported, not fatal) and
// must end in a clear Chinese message or its documented fallback, and leave
// the bytes that were there as they were.
#include "data/CodeTable.h"
#include "data/Gbk.h"
#include "data/Scramble.h"
#include "data/Settings.h"
#include "practice/TextFile.h"
#include "records/RecordFile.h"
#include "records/RecordOrder.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
enum class Reader { Table, Text, Settings, Records };

// How a case prepares the path the reader is given.
using Setup = std::function<void(const QString &path)>;

// Size and hash of a file, read in pieces (some inputs are 100 MB).
QByteArray fileDigest(const QString &path)
{
    if (!QFileInfo(path).isFile()) // opening a FIFO would wait for a writer
        return QByteArray("not a file");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("unreadable");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&f);
    return QByteArray::number(f.size()) + ':' + hash.result().toHex();
}

Setup bytes(const QByteArray &content) { return [content](const QString &p) { WriteFileBytes(p, content); }; }
Setup missing() { return [](const QString &) {}; }
Setup folder() { return [](const QString &p) { QDir().mkpath(p); }; }
Setup sparse(qint64 size)
{
    return [size](const QString &p) {
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
            qFatal("cannot prepare %s", qPrintable(p));
    };
}
Setup linkLoop()
{
    return [](const QString &p) {
        QFile::link(p + QStringLiteral(".b"), p);
        QFile::link(p, p + QStringLiteral(".b"));
    };
}
Setup fifo()
{
    return [](const QString &p) {
        if (mkfifo(QFile::encodeName(p).constData(), 0666) != 0)
            qFatal("cannot make a FIFO at %s", qPrintable(p));
    };
}
Setup dangling() { return [](const QString &p) { QFile::link(p + QStringLiteral(".gone"), p); }; }
// Readable by nobody but the superuser; the reader then runs as "nobody".
Setup unreadable(const QByteArray &content)
{
    return [content](const QString &p) {
        WriteFileBytes(p, content);
        QFile::setPermissions(p, QFileDevice::Permissions());
    };
}

QByteArray gbk(const char *utf8) { return EncodeGbk(QString::fromUtf8(utf8)); }

const QByteArray kPlainTable = gbk("#工%a\r\n#了%b\r\n#中华%kwwl\r\n#");
const QByteArray kTable = UnscrambleBytes(kPlainTable);
const QByteArray kText = gbk("春天来了，\r\n花开了。\r\n");
const QByteArray kSettings = "[sound]\nsound_nk_press=0\n[font]\nout_in_fontsize=12\n";

QByteArray someRecords(int count)
{
    QByteArray out;
    for (int i = 1; i <= count; ++i) {
        TypingRecord r;
        r.number = i;
        r.name = i % 2 ? QStringLiteral("王小明") : QStringLiteral("李雷");
        r.speed = 40 + i;
        r.savedAt = QStringLiteral("2026-03-0%1 10:00:00 ").arg(i % 9 + 1);
        out += EncodeRecord(r) + QByteArray(kRecordSlotSize - kRecordDataSize, '\0');
    }
    return out;
}

bool holdsChinese(const QString &text)
{
    return text.contains(QRegularExpression(QStringLiteral("[\\x{4E00}-\\x{9FFF}]")));
}

// What the reader made of the input, in a few words; "message: ..." when it
// answered with a message.
QString readTable(const QString &path)
{
    // The table is looked for at <root>/data/zb86.dz; `path` is that file.
    const QString root = QDir::cleanPath(QFileInfo(path).absolutePath() + QStringLiteral("/.."));
    CodeTables tables;
    const QStringList messages = LoadCodeTables(root, true, false, tables);
    if (!messages.isEmpty())
        return tables.t86.isEmpty() ? QStringLiteral("message: ") + messages.join(QLatin1Char(' '))
                                    : QStringLiteral("message with a table");
    return QStringLiteral("loaded %1 entries").arg(tables.t86.text().count(QLatin1Char('#')) - 1);
}

QString readText(const QString &path)
{
    const TextReadResult r = ReadTextFile(path, true);
    if (!r.ok)
        return QStringLiteral("message: ") + r.error;
    return QStringLiteral("read %1 lines%2%3")
        .arg(r.text.count(QStringLiteral("\r\n")))
        .arg(r.text.contains(QChar(QChar::ReplacementCharacter)) ? QStringLiteral(", marked") : QStringLiteral(", clean"))
        .arg(r.warning.isEmpty() ? QString() : QStringLiteral(", warned"));
}

QString readSettings(const QString &path)
{
    SettingsStore store(path);
    QStringList told;
    store.setProblemReporter([&told](const QString &message) { told << message; });
    CueFlags cues;
    FontSizes fonts;
    LoadStartupSettings(store, cues, fonts);
    const QString loaded = cues.nkPress && fonts.outIn == 0 ? QStringLiteral("defaults") : QStringLiteral("stored");
    store.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("王"));
    const bool kept = store.read(QStringLiteral("user"), QStringLiteral("name")) == QStringLiteral("王");
    // A setting that did not stick is told, in Chinese, naming the file.
    const bool toldClearly = told.size() == 1 && holdsChinese(told[0]) && told[0].contains(path);
    return loaded + (kept ? QStringLiteral(", name saved") : QStringLiteral(", name not saved"))
           + (toldClearly ? QStringLiteral(", told") : told.isEmpty() ? QString() : QStringLiteral(", told unclearly"));
}

// Reads the records, and reorders the file as the viewer does when it can.
QString readRecords(const QString &path)
{
    // The viewer does nothing without a file.
    if (!QFileInfo::exists(path))
        return QStringLiteral("no file, nothing done");
    RecordReadResult read = ReadAllRecords(path);
    if (!read.ok) {
        if (!holdsChinese(read.error))
            return QStringLiteral("unclear: ") + read.error;
        return QStringLiteral("message: ") + read.error;
    }
    const size_t count = read.records.size();
    OrderRecords(read.records, RecordKey::Speed);
    const QString error = ReplaceAllRecords(path, read.records);
    if (!error.isEmpty())
        return QStringLiteral("message: ") + error;
    return QStringLiteral("%1 records, reordered").arg(count);
}

struct Case {
    const char *name;
    Reader reader;
    Setup setup;
    const char *expected; // the start of the outcome
};

QString fileNameFor(Reader reader)
{
    switch (reader) {
    case Reader::Table: return QStringLiteral("data/zb86.dz");
    case Reader::Text: return QStringLiteral("text.txt");
    case Reader::Settings: return QStringLiteral("quorvel.ini");
    case Reader::Records: return QStringLiteral("typerecord.dat");
    }
    return QString();
}

QString runReader(Reader reader, const QString &path)
{
    switch (reader) {
    case Reader::Table: return readTable(path);
    case Reader::Text: return readText(path);
    case Reader::Settings: return readSettings(path);
    case Reader::Records: return readRecords(path);
    }
    return QString();
}

struct Outcome {
    bool finished = false; // exited normally, in time
    QString text;
};

// Runs the reader in a child process with a time limit, as "nobody" when the
// input is meant to be unreadable and the test runs as the superuser.
Outcome runInChild(Reader reader, const QString &path, bool asNobody)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        alarm(60);
        if (asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(66);
        const QByteArray text = runReader(reader, path).toUtf8();
        if (write(fds[1], text.constData(), size_t(text.size())) != text.size())
            _exit(67);
        _exit(0);
    }
    close(fds[1]);
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Outcome outcome;
    outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    outcome.text = outcome.finished ? QString::fromUtf8(text)
                                    : QStringLiteral("child ended with status %1").arg(status);
    return outcome;
}

const qint64 k100MB = qint64(100) * 1000 * 1000;

std::vector<Case> catalogue()
{
    const QByteArray records = someRecords(3);
    return {
        // Code tables.
        {"table: missing", Reader::Table, missing(), "message: 找不到五笔86编码表文件"},
        {"table: empty", Reader::Table, bytes({}), "message: 五笔86编码表文件是空的或无法读取"},
        {"table: one byte", Reader::Table, bytes(kTable.left(1)), "message: 五笔86编码表文件已损坏"},
        {"table: cut inside a character", Reader::Table, bytes(kTable.left(kPlainTable.indexOf(gbk("中")) + 1)), "message: 五笔86编码表文件已损坏"},
        {"table: cut inside a code", Reader::Table, bytes(kTable.left(kTable.size() - 5)), "message: 五笔86编码表文件不完整"},
        {"table: cut after a whole line", Reader::Table, bytes(kTable.left(kTable.size() - 1)), "loaded 3 entries"},
        {"table: stored unscrambled", Reader::Table, bytes(gbk("#工%a\r\n#了%b\r\n#")), "message: 五笔86编码表文件已损坏"},
        {"table: UTF-8 instead of GBK", Reader::Table, bytes(UnscrambleBytes(QByteArray("#工%a\r\n#了%b\r\n#"))), "message: 五笔86编码表文件已损坏"},
        {"table: binary", Reader::Table, bytes(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452")), "message: 五笔86编码表文件已损坏"},
        {"table: 100 MB", Reader::Table, sparse(k100MB), "message: 五笔86编码表文件是空的或无法读取"},
        {"table: a folder", Reader::Table, folder(), "message: 找不到五笔86编码表文件"},
        {"table: unreadable", Reader::Table, unreadable(kTable), "message: 五笔86编码表文件是空的或无法读取"},
        {"table: link loop", Reader::Table, linkLoop(), "message: 找不到五笔86编码表文件"},
        // Reference texts.
        {"text: missing", Reader::Text, missing(), "message: 文件不存在"},
        {"text: empty", Reader::Text, bytes({}), "read 0 lines"},
        {"text: cut inside a character", Reader::Text, bytes(kText.left(kText.size() - 3)), "read 2 lines, marked, warned"},
        {"text: UTF-8 cut inside a character", Reader::Text, bytes(QByteArray("春天来了").chopped(1)), "read 1 lines, marked, warned"},
        {"text: UTF-16 with a mark", Reader::Text, bytes(QByteArray("\xFF\xFE\x25\x66\x29\x59\r\0\n\0", 10)), "read 1 lines"},
        {"text: UTF-16 without a mark", Reader::Text, bytes(QByteArray("\x25\x66\x29\x59\r\0\n\0", 8)), "read 1 lines, clean"},
        {"text: UTF-8 with one bad byte", Reader::Text, bytes(QByteArray("\xe6\x98\xa5\xe5\xa4\xa9\xff\xe6\x9d\xa5\xe4\xba\x86\r\n")), "read 1 lines, marked, warned"},
        {"text: GB18030 four-byte codes", Reader::Text, bytes(QByteArray("\xd7\xd6\x95\x32\x82\x36\r\n")), "read 1 lines, clean"},
        {"text: control characters", Reader::Text, bytes(QByteArray("a\tb\x01" "c\x1b[0m\r\n")), "read 1 lines, clean, warned"},
        {"text: a FIFO", Reader::Text, fifo(), "message: 不是普通文件"},
        {"text: binary", Reader::Text, bytes(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452")), "message: 这不是文本文件"},
        {"text: 100 MB", Reader::Text, sparse(k100MB), "message: 文件太大"},
        {"text: a folder", Reader::Text, folder(), "message: 不是普通文件"},
        {"text: unreadable", Reader::Text, unreadable(kText), "message: 无法打开文件"},
        {"text: link loop", Reader::Text, linkLoop(), "message: 文件不存在"},
        {"text: dangling link", Reader::Text, dangling(), "message: 文件不存在"},
        // The settings file.
        {"settings: missing", Reader::Settings, missing(), "defaults, name saved"},
        {"settings: empty", Reader::Settings, bytes({}), "defaults, name saved"},
        {"settings: cut inside a header", Reader::Settings, bytes(kSettings.left(3)), "defaults, name saved"},
        {"settings: cut inside a value", Reader::Settings, bytes(kSettings.left(kSettings.size() - 2)), "stored, name saved"},
        {"settings: GBK instead of UTF-8", Reader::Settings, bytes(kSettings + gbk("[user]\nname=李雷\n")), "stored, name saved"},
        {"settings: binary", Reader::Settings, bytes(QByteArray("\0\xff\x01[\n=\n\0", 8)), "defaults, name saved"},
        {"settings: 10 MB", Reader::Settings, bytes(kSettings + QByteArray(10 * 1024 * 1024, ';').replace(4096, 1, "\n")), "stored, name saved"},
        {"settings: 100 MB", Reader::Settings, sparse(k100MB), "defaults, name not saved, told"},
        {"settings: a FIFO", Reader::Settings, fifo(), "defaults, name not saved, told"},
        {"settings: a folder", Reader::Settings, folder(), "defaults, name not saved, told"},
        {"settings: unreadable", Reader::Settings, unreadable(kSettings), "defaults, name not saved, told"},
        // The loop holds nothing; the name is saved in a file in its place.
        {"settings: link loop", Reader::Settings, linkLoop(), "defaults, name saved"},
        // The record file.
        {"records: missing", Reader::Records, missing(), "no file"},
        {"records: empty", Reader::Records, bytes({}), "0 records"},
        {"records: three bytes", Reader::Records, bytes("abc"), "0 records"},
        {"records: odd length", Reader::Records, bytes(records.left(300)), "3 records"},
        {"records: cut inside the first record", Reader::Records, bytes(records.left(50)), "1 records"},
        {"records: garbage numbers", Reader::Records, bytes(QByteArray(128 * 4, '\xff') + records), "7 records"},
        {"records: 100 MB", Reader::Records, sparse(k100MB), "message: 记录文件"},
        {"records: a folder", Reader::Records, folder(), "message: 记录文件"},
        {"records: a FIFO", Reader::Records, fifo(), "message: 记录文件"},
        {"records: unreadable", Reader::Records, unreadable(records), "message: 无法打开记录文件"},
        {"records: link loop", Reader::Records, linkLoop(), "no file"},
    };
}
} // namespace

class BadInputsTest : public QObject {
    Q_OBJECT
    TestEnv env;

private slots:
    void everyBadInputEndsInAMessageOrAFallbackAndLosesNothing_data()
    {
        QTest::addColumn<int>("index");
        const std::vector<Case> cases = catalogue();
        for (size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << int(i);
    }

    void everyBadInputEndsInAMessageOrAFallbackAndLosesNothing()
    {
        QFETCH(int, index);
        const Case c = catalogue()[size_t(index)];
        // The child may run as another user: the folders must be reachable.
        QFile::setPermissions(env.path(), QFileDevice::Permissions(0x7755));
        const QString dir = env.path() + QStringLiteral("/case%1").arg(index);
        const QString path = dir + QLatin1Char('/') + fileNameFor(c.reader);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile::setPermissions(QFileInfo(path).absolutePath(), QFileDevice::Permissions(0x7777));
        c.setup(path);
        const QByteArray before = fileDigest(path);
        const QByteArray beforeBytes =
            QFileInfo(path).isFile() && QFileInfo(path).size() < 4096 ? FileBytes(path) : QByteArray();
        const bool wasFile = QFileInfo(path).isFile();
        const bool existed = QFileInfo(path).isFile() || QFileInfo(path).isDir();

        const Outcome outcome = runInChild(c.reader, path, QString::fromLatin1(c.name).contains("unreadable"));
        qInfo("%-40s -> %s", c.name, qPrintable(outcome.text));
        QVERIFY2(outcome.finished, qPrintable(outcome.text));
        QVERIFY2(outcome.text.startsWith(QString::fromUtf8(c.expected)), qPrintable(outcome.text));
        if (outcome.text.startsWith(QStringLiteral("message")))
            QVERIFY(holdsChinese(outcome.text));

        // Nothing that was there is lost: a refused or read-only input is
        // unchanged; a rewritten record file holds as many records; a written
        // settings file still holds every old line.
        if (c.reader == Reader::Settings && wasFile && outcome.text.endsWith(QStringLiteral(", name saved"))) {
            const QByteArray after = FileBytes(path);
            for (const QByteArray &line : beforeBytes.split('\n')) {
                if (!line.startsWith("name="))
                    QVERIFY2(after.contains(line), line.constData());
            }
        } else if (c.reader == Reader::Records && outcome.text.endsWith(QStringLiteral("reordered"))) {
            QCOMPARE(RecordCountForLength(QFileInfo(path).size()), RecordCountForLength(beforeBytes.size()));
        } else if (existed) {
            QCOMPARE(fileDigest(path), before);
        }
        if (existed)
            QCOMPARE(QFileInfo(path).isFile(), wasFile);
    }
};

QTEST_GUILESS_MAIN(BadInputsTest)
#include "bad_inputs.moc"
