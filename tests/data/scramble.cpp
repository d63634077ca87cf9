// Scrambled data files: the position-keyed XOR and the whole-file reader.
#include "data/Scramble.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QTest>

class ScrambleTest : public QObject {
    Q_OBJECT
private slots:
    void keyBytesFollowPositionRules()
    {
        using namespace scramble;
        for (qint64 i : {0, 35, 45, 70})
            QCOMPARE(keyAt(i), kKeyA);
        for (qint64 i : {7, 14, 28, 49, 56, 63})
            QCOMPARE(keyAt(i), kKeyD);
        for (qint64 i : {9, 18, 27, 36, 54})
            QCOMPARE(keyAt(i), kKeyC);
        for (qint64 i : {1, 2, 3, 4, 6, 8, 11})
            QCOMPARE(keyAt(i), kKeyB);
    }

    void unscrambleXorsEachByteWithItsKey()
    {
        // Zero bytes reveal the key stream itself, well past one 315-byte period.
        const QByteArray zeros(1000, '\0');
        const QByteArray keys = UnscrambleBytes(zeros);
        QCOMPARE(keys.size(), zeros.size());
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(static_cast<unsigned char>(keys[i]), scramble::keyAt(i));
    }

    void scramblingTwiceRestoresTheBytes()
    {
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.append(static_cast<char>((i * 37 + 11) & 0xFF));
        const QByteArray once = UnscrambleBytes(bytes);
        QVERIFY(once != bytes);
        QCOMPARE(UnscrambleBytes(once), bytes);
        QVERIFY(UnscrambleBytes(QByteArray()).isEmpty());
    }

    void readersGiveEmptyArraysForMissingOrEmptyFiles()
    {
        TestEnv env;
        QVERIFY(ReadWholeFile(env.path() + "/nothing.dz").isEmpty());
        QVERIFY(ReadScrambledFile(env.path() + "/nothing.dz").isEmpty());
        QVERIFY(ReadWholeFile(QString()).isEmpty());
        QVERIFY(ReadWholeFile(env.path()).isEmpty()); // a folder

        // Larger than any data file: not read at all (a sparse file, so the
        // test writes nothing to disk).
        const QString huge = env.path() + "/huge.dz";
        QFile big(huge);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(kMaxDataFileBytes + 1));
        big.close();
        QVERIFY(ReadWholeFile(huge).isEmpty());

        const QString empty = env.path() + "/empty.dz";
        QFile(empty).open(QIODevice::WriteOnly);
        QVERIFY(ReadScrambledFile(empty).isEmpty());

        const QByteArray plain("#\xb9\xa4%a\r\n#", 7);
        const QString path = env.path() + "/table.dz";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(UnscrambleBytes(plain));
        file.close();
        QCOMPARE(ReadWholeFile(path), UnscrambleBytes(plain));
        QCOMPARE(ReadScrambledFile(path), plain);
    }
};

QTEST_GUILESS_MAIN(ScrambleTest)
#include "scramble.moc"
