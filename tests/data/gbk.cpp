// The GBK code page and the UTF-8 check that tells the two encodings apart.
#include "data/Gbk.h"

#include <QTest>

class GbkTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripOfChineseText()
    {
        const QString text = QStringLiteral("五笔输入法：你好，世界！€ abc 〇");
        bool ok = false;
        const QByteArray bytes = EncodeGbk(text, &ok);
        QVERIFY(ok);
        QCOMPARE(bytes.left(2), QByteArray("\xce\xe5"));
        bool clean = false;
        QCOMPARE(DecodeGbk(bytes, &clean), text);
        QVERIFY(clean);
    }

    void unencodableCharactersAreReported()
    {
        bool ok = true;
        EncodeGbk(QStringLiteral("a😀b"), &ok);
        QVERIFY(!ok);
        EncodeGbk(QStringLiteral("한국어"), &ok);
        QVERIFY(!ok);
    }

    void badBytesBecomeReplacementCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("cut lead byte") << QByteArray("a\xc4", 2) << QStringLiteral("a\uFFFD");
        QTest::newRow("four-byte form") << QByteArray("\x81\x30\x81\x30", 4) << QStringLiteral("\uFFFD0\uFFFD0");
        QTest::newRow("lead then ASCII") << QByteArray("\xc4 x", 3) << QString();
        QTest::newRow("0xFF") << QByteArray("\xff", 1) << QString();
    }

    void badBytesBecomeReplacementCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        bool clean = true;
        const QString decoded = DecodeGbk(bytes, &clean);
        QVERIFY(!clean);
        if (!text.isEmpty())
            QCOMPARE(decoded, text);
    }

    void realCodesThatDecodeToPrivateUseAreClean()
    {
        // FE50..FEA0 and A6D9..A6DF are real GBK codes; AAA1 is a user-defined one.
        for (const QByteArray &bytes : {QByteArray("\xFE\x50"), QByteArray("\xFE\xA0"), QByteArray("\xA6\xD9"),
                                        QByteArray("\xA6\xDF"), QByteArray("\xAA\xA1")}) {
            bool clean = false;
            const QString text = DecodeGbk(bytes + EncodeGbk(QStringLiteral("工")), &clean);
            QVERIFY2(clean, bytes.toHex().constData());
            QCOMPARE(text.size(), 2);
            QCOMPARE(text.at(1), QChar(0x5DE5));
        }
    }

    void trailByteRangesAreWalkedFromTheStart()
    {
        // B9 A4 B9 is 工 followed by a cut lead byte; A4 B9 alone would be a pair.
        bool clean = true;
        QCOMPARE(DecodeGbk(QByteArray("\xb9\xa4\xb9", 3), &clean), QStringLiteral("工\uFFFD"));
        QVERIFY(!clean);
        QCOMPARE(DecodeGbk(QByteArray("\xb9\xa4\xb9\xa4", 4), &clean), QStringLiteral("工工"));
        QVERIFY(clean);
    }

    void utf8Check_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ASCII") << QByteArray("plain") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("Chinese") << QByteArray("中文") << true;
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF" "a") << true;
        QTest::newRow("four bytes") << QByteArray("\xF0\xA0\x80\x80") << true;
        QTest::newRow("GBK") << EncodeGbk(QStringLiteral("春天来了")) << false;
        QTest::newRow("cut") << QByteArray("\xE4\xB8") << false;
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("too large") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("stray continuation") << QByteArray("a\x80") << false;
    }

    void utf8Check()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(IsValidUtf8(bytes), valid);
    }
};

QTEST_GUILESS_MAIN(GbkTest)
#include "gbk.moc"
