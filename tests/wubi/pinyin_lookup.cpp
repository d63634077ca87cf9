// Reverse lookup from pinyin, against the built pinyin data and code tables:
// tones narrow the characters, toneless and numbered spellings agree, words
// of several syllables come with their codes, and the command line answers
// a pinyin query with the same lines.
#include "app/CommandLine.h"
#include "data/CodeTable.h"
#include "pinyin/PinyinData.h"
#include "support/TestEnv.h"
#include "wubi/PinyinLookup.h"

#include <QTest>

class PinyinLookupTest : public QObject {
    Q_OBJECT
    PinyinData data{TestEnv::dataRoot() + QStringLiteral("/data")};
    CodeTables tables;

    QVector<PinyinMatch> find(const QString &query)
    {
        return LookUpPinyin(query, *data.readings(), *data.lexicon(), tables);
    }
    static QStringList words(const QVector<PinyinMatch> &matches)
    {
        QStringList list;
        for (const PinyinMatch &m : matches)
            list.append(m.word);
        return list;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(data.available(), qPrintable(data.error()));
        QVERIFY(LoadCodeTables(TestEnv::dataRoot(), true, true, tables).isEmpty());
    }

    void syllablesFindTheirCharactersWithBothCodes()
    {
        const QVector<PinyinMatch> zhong1 = find(QStringLiteral("zhong1"));
        QCOMPARE(zhong1.first().word, QStringLiteral("中"));
        QCOMPARE(zhong1.first().reading, QStringLiteral("zhōng"));
        QCOMPARE(zhong1.first().code86, QStringLiteral("k"));
        QCOMPARE(zhong1.first().code98, QStringLiteral("k"));
        QVERIFY(words(zhong1).contains(QStringLiteral("钟")));
        QVERIFY(!words(zhong1).contains(QStringLiteral("种"))); // zhǒng, zhòng
        QCOMPARE(words(find(QStringLiteral("zhōng"))), words(zhong1));
        const QStringList anyTone = words(find(QStringLiteral("zhong")));
        QVERIFY(anyTone.contains(QStringLiteral("种")) && anyTone.contains(QStringLiteral("重")));
        QVERIFY(anyTone.size() > zhong1.size());

        const QVector<PinyinMatch> lv = find(QStringLiteral("lü4"));
        QCOMPARE(words(lv), words(find(QStringLiteral("lv4"))));
        QVERIFY(words(lv).contains(QStringLiteral("绿")));
        QVERIFY(!words(lv).contains(QStringLiteral("吕"))); // lǚ
        // Every code shown is the table's code of that character.
        for (const QString &query : {QStringLiteral("zhong"), QStringLiteral("lv"), QStringLiteral("ai"), QStringLiteral("shi4")}) {
            const QVector<PinyinMatch> matches = find(query);
            QVERIFY2(matches.size() >= 5, qPrintable(query));
            for (const PinyinMatch &m : matches) {
                QCOMPARE(m.code86, tables.t86.codeOf(m.word).value_or(QString()));
                QCOMPARE(m.code98, tables.t98.codeOf(m.word).value_or(QString()));
            }
        }
    }

    void severalSyllablesFindWordsAndOthersAreNoPinyin()
    {
        const QVector<PinyinMatch> china = find(QStringLiteral("zhong1 guo2"));
        QCOMPARE(china.first().word, QStringLiteral("中国"));
        QCOMPARE(china.first().code86, QStringLiteral("khlg"));
        QCOMPARE(china.first().reading, QStringLiteral("zhōng guó"));
        QCOMPARE(words(find(QStringLiteral("xi'an"))).value(0), QStringLiteral("西安"));
        for (const QString &text : {QStringLiteral("我"), QStringLiteral("中 guo"), QStringLiteral("zhong9"), QString()})
            QVERIFY2(!LooksLikePinyin(text), qPrintable(text));
        QVERIFY(LooksLikePinyin(QStringLiteral("Zhōng")));
    }

    void commandLineAnswersPinyinAndStillCharacters()
    {
        QString out, err;
        CommandLineOptions o = RunCommandLine({QStringLiteral("--data-dir"), TestEnv::dataRoot(),
                                               QStringLiteral("--lookup"), QStringLiteral("zhong1")},
                                              QString(), out, err);
        QVERIFY2(o.exitNow && o.exitCode == 0, qPrintable(err));
        QVERIFY(out.startsWith(QStringLiteral("中 zhōng  86:k  98:k\n")));
        QCOMPARE(out.count(QLatin1Char('\n')), find(QStringLiteral("zhong1")).size());
        out.clear();
        o = RunCommandLine({QStringLiteral("--data-dir"), TestEnv::dataRoot(), QStringLiteral("--lookup=我")},
                           QString(), out, err);
        QCOMPARE(out, QStringLiteral("q\n"));
    }
};

QTEST_GUILESS_MAIN(PinyinLookupTest)
#include "pinyin_lookup.moc"
