// The byte layout of typerecord.dat, the record count rule, and reading and
// writing whole files, damaged ones included.
#include "records/RecordFile.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace {
TypingRecord sampleRecord(qint32 number, const QString &name)
{
    TypingRecord r;
    r.number = number;
    r.name = name;
    r.speed = 56;
    r.characters = 100;
    r.punctuation = 7;
    r.total = 110;
    r.accuracy = QStringLiteral("97.50%");
    r.timeUsed = QStringLiteral("00:01:30");
    r.kind = QStringLiteral("中文文本对照练习");
    r.savedAt = QStringLiteral("2026-03-01 09:15:00 ");
    return r;
}

// A device that yields `good` bytes of records and then fails, as a disk
// with a bad sector does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray good) : m_good(std::move(good)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (m_at >= m_good.size())
            return -1;
        const qint64 n = std::min<qint64>(max, m_good.size() - m_at);
        memcpy(data, m_good.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_good;
    qint64 m_at = 0;
};
} // namespace

class RecordFileTest : public QObject {
    Q_OBJECT
    TestEnv env;
    QString dir;

private slots:
    void init()
    {
        dir = env.path() + QStringLiteral("/case") + QString::number(QRandomGenerator::global()->generate());
        QVERIFY(QDir().mkpath(dir));
    }

    void recordBytesFollowTheFixedLayout()
    {
        const QByteArray data = EncodeRecord(sampleRecord(6, QStringLiteral("王小明")));
        QCOMPARE(data.size(), 96);
        QCOMPARE(qFromLittleEndian<qint32>(data.constData() + 0), 6);
        QCOMPARE(data.mid(4, 16), QByteArray("\xCD\xF5\xD0\xA1\xC3\xF7") + QByteArray(10, ' '));
        QCOMPARE(qFromLittleEndian<qint32>(data.constData() + 20), 56);
        QCOMPARE(qFromLittleEndian<qint32>(data.constData() + 24), 100);
        QCOMPARE(qFromLittleEndian<qint32>(data.constData() + 28), 7);
        QCOMPARE(qFromLittleEndian<qint32>(data.constData() + 32), 110);
        QCOMPARE(data.mid(36, 10), QByteArray("97.50%    "));
        QCOMPARE(data.mid(46, 10), QByteArray("00:01:30  "));
        QCOMPARE(data.mid(56, 20).left(16), EncodeTextField(QStringLiteral("中文文本对照练习"), 16));
        QCOMPARE(data.mid(76, 20), QByteArray("2026-03-01 09:15:00 "));

        const TypingRecord back = DecodeRecord(data.constData());
        QCOMPARE(back.number, 6);
        QCOMPARE(back.name, QStringLiteral("王小明          "));
        QCOMPARE(back.speed, 56);
        QCOMPARE(back.total, 110);
        QCOMPARE(back.accuracy, QStringLiteral("97.50%    "));
        QCOMPARE(back.kind, QStringLiteral("中文文本对照练习    "));
        QCOMPARE(back.savedAt, QStringLiteral("2026-03-01 09:15:00 "));
    }

    void textFieldsAreCutOnACharacterBoundary()
    {
        // Ten Chinese characters keep their first eight (16 bytes).
        const QString ten = QStringLiteral("一二三四五六七八九十");
        QCOMPARE(DecodeTextField(EncodeTextField(ten, 16).constData(), 16), ten.left(8));
        // An odd start leaves one byte that cannot hold half a character.
        const QByteArray odd = EncodeTextField(QStringLiteral("a一二三四五六七八"), 16);
        QCOMPARE(odd.size(), 16);
        QCOMPARE(odd.at(15), ' ');
        QCOMPARE(DecodeTextField(odd.constData(), 16), QStringLiteral("a一二三四五六七 "));
        // Characters outside GBK are stored as "?", never as broken bytes.
        QCOMPARE(EncodeTextField(QStringLiteral("😀a"), 4), QByteArray("?a  "));
        QCOMPARE(EncodeTextField(QString(), 3), QByteArray("   "));
    }

    void recordCountFollowsTheSlotRule_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("count");
        QTest::newRow("empty") << qint64(0) << qint64(0);
        QTest::newRow("three bytes") << qint64(3) << qint64(0);
        QTest::newRow("four bytes") << qint64(4) << qint64(1);
        QTest::newRow("one record") << qint64(96) << qint64(1);
        QTest::newRow("one full slot") << qint64(128) << qint64(1);
        QTest::newRow("into the second slot") << qint64(129) << qint64(2);
        QTest::newRow("five short") << qint64(4 * 128 + 96) << qint64(5);
        QTest::newRow("five full") << qint64(640) << qint64(5);
    }
    void recordCountFollowsTheSlotRule()
    {
        QFETCH(qint64, length);
        QFETCH(qint64, count);
        QCOMPARE(RecordCountForLength(length), count);
    }

    void countsAboveSixteenBitsAreSavedWhole_data()
    {
        QTest::addColumn<qint32>("stored");
        QTest::newRow("40 000") << 40000;
        QTest::newRow("largest") << std::numeric_limits<qint32>::max();
        QTest::newRow("smallest") << std::numeric_limits<qint32>::min();
        QTest::newRow("65 536") << 65536;
    }

    void countsAboveSixteenBitsAreSavedWhole()
    {
        QFETCH(qint32, stored);
        TypingRecord r = sampleRecord(1, QStringLiteral("王"));
        r.speed = r.characters = r.punctuation = r.total = stored;
        const TypingRecord back = DecodeRecord(EncodeRecord(r).constData());
        QCOMPARE(back.speed, stored);
        QCOMPARE(back.characters, stored);
        QCOMPARE(back.punctuation, stored);
        QCOMPARE(back.total, stored);
    }

    void aFailedOrShortReadGivesNoRecordsAndNoSuccess()
    {
        const QByteArray two = EncodeRecord(sampleRecord(1, QStringLiteral("甲"))) + QByteArray(32, '\0')
                               + EncodeRecord(sampleRecord(2, QStringLiteral("乙")));
        // The device fails after the first record.
        FailingDevice failing(two.left(128));
        RecordReadResult read = ReadRecordsFrom(failing, two.size(), QStringLiteral("typerecord.dat"));
        QVERIFY(!read.ok);
        QVERIFY(read.records.empty());
        QVERIFY(read.error.contains(QStringLiteral("typerecord.dat")));

        // Fewer bytes than the file's size promised.
        QBuffer shorter;
        shorter.setData(two.left(100));
        shorter.open(QIODevice::ReadOnly);
        read = ReadRecordsFrom(shorter, two.size(), QStringLiteral("typerecord.dat"));
        QVERIFY(!read.ok);
        QVERIFY(read.records.empty());

        // A folder in the file's place opens on this system but cannot be read.
        const QString folder = dir + QStringLiteral("/typerecord.dat");
        QVERIFY(QDir().mkpath(folder));
        read = ReadAllRecords(folder);
        QVERIFY(!read.ok);
        QVERIFY(!read.error.isEmpty());
    }

    void namesAreFittedToTheFieldWithoutHalfCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fitted");
        QTest::newRow("short") << QStringLiteral("王") << QStringLiteral("王");
        QTest::newRow("eight Chinese") << QStringLiteral("一二三四五六七八") << QStringLiteral("一二三四五六七八");
        QTest::newRow("forty Chinese") << QString(40, QChar(0x738B)) << QString(8, QChar(0x738B));
        QTest::newRow("no half character") << QStringLiteral("abcdefghijklmno王") << QStringLiteral("abcdefghijklmno");
        QTest::newRow("mixed") << QStringLiteral("王小明abcdefghijklmnop") << QStringLiteral("王小明abcdefghij");
        QTest::newRow("no GBK code counts as one byte") << QStringLiteral("😀😀abc") << QStringLiteral("😀😀abc");
    }

    void namesAreFittedToTheFieldWithoutHalfCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, fitted);
        QCOMPARE(FitTextField(typed, kNameWidth), fitted);
        // What the field keeps is exactly what is stored.
        QCOMPARE(EncodeTextField(fitted, kNameWidth), EncodeTextField(typed, kNameWidth));
    }

    void writingIntoAMissingFileStartsAtOffsetZero()
    {
        const QString path = dir + QStringLiteral("/typerecord.dat");
        QCOMPARE(CountRecordsInFile(path), 0);
        QCOMPARE(WriteRecordAt(path, 1, sampleRecord(1, QStringLiteral("王"))), QString());
        const QByteArray bytes = FileBytes(path);
        QCOMPARE(bytes.size(), 96);
        QCOMPARE(bytes, EncodeRecord(sampleRecord(1, QStringLiteral("王"))));
        QCOMPARE(CountRecordsInFile(path), 1);
    }

    void writingAfterFiveRecordsUsesOffset640AndKeepsTheRest()
    {
        const QString path = dir + QStringLiteral("/typerecord.dat");
        QByteArray five;
        for (int n = 1; n <= 5; ++n) {
            five += EncodeRecord(sampleRecord(n, QStringLiteral("甲")));
            if (n < 5)
                five += QByteArray(32, 'x'); // slot tails are never read, but must survive
        }
        WriteFileBytes(path, five);
        QCOMPARE(CountRecordsInFile(path), 5);
        QCOMPARE(WriteRecordAt(path, 6, sampleRecord(6, QStringLiteral("乙"))), QString());
        const QByteArray bytes = FileBytes(path);
        QCOMPARE(bytes.size(), 640 + 96);
        QCOMPARE(bytes.left(five.size()), five);
        QCOMPARE(bytes.mid(five.size(), 640 - five.size()), QByteArray(640 - five.size(), '\0'));
        QCOMPARE(bytes.mid(640), EncodeRecord(sampleRecord(6, QStringLiteral("乙"))));
        QCOMPARE(CountRecordsInFile(path), 6);
    }

    void aFileThatCannotBeOpenedIsReportedAndUntouched()
    {
        // A folder in the record file's place cannot be opened as a file.
        const QString path = dir + QStringLiteral("/typerecord.dat");
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
        QVERIFY(!WriteRecordAt(path, 1, sampleRecord(1, QStringLiteral("王"))).isEmpty());
        QVERIFY(!ReplaceAllRecords(path, {sampleRecord(1, QStringLiteral("王"))}).isEmpty());
        QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
    }

    void replacingWritesSlotsInOrderAndLeavesNoTemporaryFile()
    {
        const QString path = dir + QStringLiteral("/typerecord.dat");
        WriteFileBytes(path, QByteArray(1000, 'z'));
        const std::vector<TypingRecord> records{sampleRecord(1, QStringLiteral("甲")),
                                                sampleRecord(2, QStringLiteral("乙"))};
        QCOMPARE(ReplaceAllRecords(path, records), QString());
        const QByteArray bytes = FileBytes(path);
        QCOMPARE(bytes.size(), 128 + 96);
        QCOMPARE(bytes.left(96), EncodeRecord(records[0]));
        QCOMPARE(bytes.mid(128), EncodeRecord(records[1]));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("typerecord.dat")});

        QCOMPARE(ReplaceAllRecords(path, {}), QString());
        QCOMPARE(QFileInfo(path).size(), 0);
        const RecordReadResult read = ReadAllRecords(path);
        QVERIFY(read.ok);
        QVERIFY(read.records.empty());
    }

    void recordsOfAnotherCopyAreReadWhateverTheLastSlotLength()
    {
        const QString path = dir + QStringLiteral("/typerecord.dat");
        QByteArray bytes = EncodeRecord(sampleRecord(1, QStringLiteral("王小明"))) + QByteArray(32, '\0')
                           + EncodeRecord(sampleRecord(2, QStringLiteral("李")));
        for (int tail : {0, 32}) {
            WriteFileBytes(path, bytes + QByteArray(tail, '\0'));
            const RecordReadResult read = ReadAllRecords(path);
            QVERIFY(read.ok);
            QCOMPARE(read.records.size(), size_t(2));
            QCOMPARE(read.records[0].name.trimmed(), QStringLiteral("王小明"));
            QCOMPARE(read.records[1].number, 2);
            QCOMPARE(read.records[1].name.trimmed(), QStringLiteral("李"));
        }
    }

    void damagedFilesAreReadAsFarAsPossible()
    {
        const QString path = dir + QStringLiteral("/typerecord.dat");
        // One whole record, then 10 stray bytes: the second slot reads zero-filled.
        WriteFileBytes(path, EncodeRecord(sampleRecord(1, QStringLiteral("王"))) + QByteArray(32, '\0')
                             + QByteArray("\x05\x00\x00\x00\xB0\xA1\xFF\xFF\x81\x20", 10));
        RecordReadResult read = ReadAllRecords(path);
        QVERIFY(read.ok);
        QCOMPARE(read.records.size(), size_t(2));
        QCOMPARE(read.records[1].number, 5);
        QVERIFY(read.records[1].name.startsWith(QStringLiteral("啊")));
        QVERIFY(read.records[1].name.contains(QChar(0xFFFD)));
        QCOMPARE(read.records[1].speed, 0);
        QCOMPARE(read.records[1].accuracy, QString());

        // Rewriting keeps every stored byte but the number, even text that
        // did not decode.
        read.records[1].number = 2;
        QCOMPARE(ReplaceAllRecords(path, read.records), QString());
        const QByteArray rewritten = FileBytes(path);
        QCOMPARE(rewritten.mid(128 + 4, 6), QByteArray("\xB0\xA1\xFF\xFF\x81\x20", 6));
        QCOMPARE(qFromLittleEndian<qint32>(rewritten.constData() + 128), 2);

        // Pure garbage of odd length.
        QByteArray garbage(1000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 151 + 7) & 0xFF);
        WriteFileBytes(path, garbage);
        read = ReadAllRecords(path);
        QVERIFY(read.ok);
        QCOMPARE(read.records.size(), size_t(8));
    }
};

QTEST_GUILESS_MAIN(RecordFileTest)
#include "record_file.moc"
