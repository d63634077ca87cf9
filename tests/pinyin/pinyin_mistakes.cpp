// Pinyin confusions: pairs of syllables sorted into the confusions of
// dialect speakers, wrong characters diagnosed through their readings, and
// the drill material built for the sounds and for confused pairs.
#include "data/Random.h"
#include "pinyin/PinyinData.h"
#include "pinyin/PinyinDrills.h"
#include "pinyin/PinyinMistakes.h"
#include "pinyin/Syllables.h"
#include "support/TestEnv.h"

#include <QtTest>

using Kinds = QVector<PinyinConfusion>;
Q_DECLARE_METATYPE(Kinds)

class PinyinMistakesTest : public QObject {
    Q_OBJECT
    PinyinData m_data{TestEnv::dataRoot() + QStringLiteral("/data")};

private slots:
    void initTestCase() { QVERIFY2(m_data.available(), qPrintable(m_data.error())); }

    void syllablePairs_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Kinds>("kinds");
        using K = PinyinConfusion;
        const auto row = [](const char *e, const char *t, Kinds k) {
            QTest::addRow("%s-%s", e, t) << QString::fromUtf8(e) << QString::fromUtf8(t) << k;
        };
        row("zhōng", "zōng", {K::ZZh});
        row("zi", "zhi", {K::ZZh});
        row("chī", "cī", {K::CCh});
        row("shì", "sì", {K::SSh});
        row("bāng", "bān", {K::NasalNNg});
        row("fēng", "fēn", {K::NasalNNg});
        row("yīn", "yīng", {K::NasalNNg});
        row("xiang3", "xian3", {K::NasalNNg});
        row("nán", "lán", {K::NL});
        row("fēi", "huī", {K::FH});
        row("fàn", "huàn", {K::FH});
        row("fu", "hu", {K::FH});
        row("ròu", "lòu", {K::RL});
        row("lǜ", "lù", {K::UUmlaut});
        row("nv", "lu", (Kinds{K::NL, K::UUmlaut}));
        row("zhāng", "zān", (Kinds{K::ZZh, K::NasalNNg}));
        row("shí", "shì", {K::ToneOnly});
        row("mā", "bā", {K::Other});
        row("zhong", "zong2", {K::ZZh}); // a syllable without tone has none to confuse
        row("shi", "shì", {});
        row("ju", "jv", {}); // ü written u after j
        row("jú", "zhú", {K::Other});
        row("ma", "not a syllable!", {K::Other});
    }
    void syllablePairs()
    {
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(Kinds, kinds);
        QCOMPARE(ClassifySyllables(expected, typed), kinds);
    }

    void wrongCharactersThroughTheirReadings()
    {
        const HanziReadings &r = *m_data.readings();
        const auto kindsOf = [&r](const char *expectedChar, const char *syllable, const char *typedChar) {
            Kinds kinds;
            for (const PinyinMistake &m : DiagnoseCharacter(QString::fromUtf8(expectedChar), QString::fromUtf8(syllable),
                                                            QString::fromUtf8(typedChar), r))
                kinds << m.kind;
            return kinds;
        };
        QCOMPARE(kindsOf("四", "sì", "是"), Kinds{PinyinConfusion::SSh});
        QCOMPARE(kindsOf("因", "yīn", "英"), Kinds{PinyinConfusion::NasalNNg});
        QCOMPARE(kindsOf("是", "shì", "时"), Kinds{PinyinConfusion::ToneOnly});
        QCOMPARE(kindsOf("是", "shì", "事"), Kinds{PinyinConfusion::Homophone});
        // 长 is read cháng and zhǎng: the reading that explains the slip is taken.
        QCOMPARE(kindsOf("赞", "zàn", "长"), (Kinds{PinyinConfusion::ZZh, PinyinConfusion::NasalNNg})); // zhǎng, not cháng
        QCOMPARE(kindsOf("掌", "zhǎng", "长"), Kinds{PinyinConfusion::Homophone});
        QVERIFY(kindsOf("四", "sì", "a").isEmpty()); // a letter has no reading
        QVERIFY(kindsOf("四", "", "是").isEmpty());

        PinyinMistakeLog log;
        log.noteCharacter(QStringLiteral("四"), QStringLiteral("sì"), QStringLiteral("是"), r);
        log.noteCharacter(QStringLiteral("中"), QStringLiteral("zhōng"), QStringLiteral("宗"), r);
        log.noteSyllables(QStringLiteral("shān"), QStringLiteral("san"), QStringLiteral("山")); // a composer's keys
        log.noteSyllables(QStringLiteral("yīng"), QStringLiteral("yin"));
        QCOMPARE(log.summary(), (QStringList{QStringLiteral("平翘舌 z/zh：1 处"), QStringLiteral("平翘舌 s/sh：2 处"),
                                             QStringLiteral("前后鼻音 -n/-ng：1 处")}));
        QCOMPARE(log.mistakes().at(1).typedSyllable, QStringLiteral("zōng"));
    }

    void drillMaterial()
    {
        const PinyinLexicon &lexicon = *m_data.lexicon();
        const HanziReadings &r = *m_data.readings();
        const QVector<pinyin::SoundGroup> initials = pinyin::InitialGroups(lexicon, r);
        QCOMPARE(initials.size(), 23);
        for (const pinyin::SoundGroup &g : initials)
            for (char32_t c : g.characters.toUcs4())
                QCOMPARE(SplitSyllable(TonelessSyllable(r.readings(c).value(0))).initial, g.sound);
        const QVector<pinyin::SoundGroup> whole = pinyin::WholeSyllableGroups(lexicon, r);
        QCOMPARE(whole.size(), 16);
        QVERIFY(whole.at(3).characters.contains(QStringLiteral("日")));
        QVERIFY(!pinyin::FinalGroups(lexicon, r).isEmpty());

        SeededRandom random(3);
        const QString text = pinyin::SoundDrillText(initials, 30, random);
        QCOMPARE(text.count(QStringLiteral("\r\n")), 3); // 12 + 12 + 6
        QCOMPARE(QString(text).remove(QStringLiteral("\r\n")).toUcs4().size(), 30);

        // A confused pair: each confused character twice, then words with them.
        const QString pairs = pinyin::ConfusedPairsText(
            {{QStringLiteral("sì"), QStringLiteral("shì"), QStringLiteral("四"), QStringLiteral("是")}}, 40, lexicon, r);
        const QStringList lines = pairs.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QVERIFY(lines.value(0).startsWith(QStringLiteral("四四是是")));
        QVERIFY(lines.value(1).contains(QStringLiteral("是")) || lines.value(1).contains(QStringLiteral("四")));
    }
};

QTEST_GUILESS_MAIN(PinyinMistakesTest)
#include "pinyin_mistakes.moc"
