// The pinyin data as built from the Unihan database and the pinyin engine's
// dictionary: syllable spellings, levels, readings in context, reverse lookup.
#include "pinyin/GradedMaterial.h"
#include "pinyin/PinyinData.h"
#include "pinyin/Syllables.h"
#include "support/FileBytes.h"
#include "support/TestEnv.h"

#include <QtTest>

class PinyinDataTest : public QObject {
    Q_OBJECT
    PinyinData m_data{TestEnv::dataRoot() + QStringLiteral("/data")};

    QString toned(const QString &text)
    {
        return TonedContextReading(text, *m_data.lexicon(), *m_data.readings()).join(QLatin1Char(' '));
    }

private slots:
    void initTestCase() { QVERIFY2(m_data.available(), qPrintable(m_data.error())); }

    void syllableSpellings()
    {
        QCOMPARE(TonelessSyllable(QStringLiteral("Zhōng")), QStringLiteral("zhong"));
        QCOMPARE(TonelessSyllable(QStringLiteral("lǜ")), QStringLiteral("lv"));
        QCOMPARE(ToneOfSyllable(QStringLiteral("lǜ")), 4);
        QCOMPARE(ToneOfSyllable(QStringLiteral("de")), 0);
        QCOMPARE(TonedSyllable(QStringLiteral("lv"), 4), QStringLiteral("lǜ"));
        QCOMPARE(TonedSyllable(QStringLiteral("guo"), 2), QStringLiteral("guó"));
        QCOMPARE(TonedSyllable(QStringLiteral("gou"), 3), QStringLiteral("gǒu"));
        QCOMPARE(TonedSyllable(QStringLiteral("gui"), 4), QStringLiteral("guì"));
        QCOMPARE(TonedSyllable(QStringLiteral("xue"), 2), QStringLiteral("xué"));
        const SyllableQuery numbered = ParseSyllableQuery(QStringLiteral("lü4"));
        QCOMPARE(numbered.toneless, QStringLiteral("lv"));
        QCOMPARE(numbered.tone, 4);
        QCOMPARE(ParseSyllableQuery(QStringLiteral("zhōng")).tone, 1);
        QCOMPARE(ParseSyllableQuery(QStringLiteral("zhong")).tone, -1);
        QVERIFY(ParseSyllableQuery(QStringLiteral("zh ong")).toneless.isEmpty());
        QVERIFY(ParseSyllableQuery(QStringLiteral("中")).toneless.isEmpty());
    }

    void levelsOfTheStandardTable()
    {
        const HanziReadings &readings = *m_data.readings();
        QCOMPARE(readings.charactersOfLevel(1).size(), 3500);
        QCOMPARE(readings.charactersOfLevel(2).size(), 3000);
        QCOMPARE(readings.charactersOfLevel(3).size(), 1605);
        QCOMPARE(readings.level(U'的'), 1);
        QCOMPARE(readings.readings(U'行').value(0), QStringLiteral("xíng"));
    }

    void readingsInContext()
    {
        QCOMPARE(toned(QStringLiteral("银行")), QStringLiteral("yín háng"));
        QCOMPARE(toned(QStringLiteral("行走")), QStringLiteral("xíng zǒu"));
        QCOMPARE(toned(QStringLiteral("音乐很快乐")), QStringLiteral("yīn yuè hěn kuài lè"));
        QCOMPARE(toned(QStringLiteral("重要的重复")), QStringLiteral("zhòng yào de chóng fù"));
        QCOMPARE(toned(QStringLiteral("长城长大了")), QStringLiteral("cháng chéng zhǎng dà le"));
        // What is no Chinese character has no reading, and keeps its place.
        QCOMPARE(TonedContextReading(QStringLiteral("a,行"), *m_data.lexicon(), *m_data.readings()),
                 (QStringList{QString(), QString(), QStringLiteral("xíng")}));
    }

    void reverseLookupAndFrequency()
    {
        const QVector<char32_t> zhong1 = m_data.readings()->charactersOf(ParseSyllableQuery(QStringLiteral("zhong1")));
        QVERIFY(zhong1.contains(U'中') && zhong1.contains(U'钟'));
        QVERIFY(!zhong1.contains(U'重')); // zhòng, chóng
        QVERIFY(m_data.readings()->charactersOf(ParseSyllableQuery(QStringLiteral("zhong"))).contains(U'重'));
        QCOMPARE(m_data.lexicon()->wordsReadAs({QStringLiteral("zhong"), QStringLiteral("guo")}).value(0),
                 QStringLiteral("中国"));
        QVERIFY(m_data.lexicon()->mostCommon(5, 1).contains(QStringLiteral("的")));
        const QStringList words = m_data.lexicon()->mostCommon(200, 0);
        QCOMPARE(words.size(), 200);
        QVERIFY(words.contains(QStringLiteral("我们")));
        QVERIFY(m_data.lexicon()->score(QStringLiteral("我们")) > m_data.lexicon()->score(QStringLiteral("饕餮")));
    }

    void gradedMaterial()
    {
        const QString first500 = CommonCharacters(*m_data.lexicon(), *m_data.readings(), 0, 500);
        const QString next500 = CommonCharacters(*m_data.lexicon(), *m_data.readings(), 500, 500);
        QCOMPARE(first500.size(), 500);
        QCOMPARE(next500.size(), 500);
        QVERIFY(first500.contains(QStringLiteral("的")) && first500.contains(QStringLiteral("是")));
        for (QChar c : first500 + next500)
            QVERIFY2(m_data.readings()->level(c.unicode()) > 0, qPrintable(QString(c)));
        for (QChar c : next500)
            QVERIFY(!first500.contains(c));
        QCOMPARE(CharactersOfLevel(*m_data.readings(), 1).size(), 3500);
        QCOMPARE(CommonWords(*m_data.lexicon(), 50).size(), 50);
    }

    void damagedFilesAreRefusedWithAReason()
    {
        TestEnv env;
        WriteFileBytes(env.path() + QStringLiteral("/pinyin_words.txt"), "中国\tzhong'guo\n");
        PinyinData broken(env.path());
        QVERIFY(!broken.lexicon());
        QVERIFY(broken.error().contains(QStringLiteral("已损坏")));
        QVERIFY(!broken.readings());
        QVERIFY(broken.error().contains(QStringLiteral("hanzi_readings.txt")));
    }
};

QTEST_GUILESS_MAIN(PinyinDataTest)
#include "pinyin_data.moc"
