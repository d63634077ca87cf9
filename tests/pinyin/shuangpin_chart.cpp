// The 双拼 charts, read through the pinyin module, against the engine's own
// table of each scheme, read here from the engine itself: reading a
// syllable's initial and final off the key caps gives two keys the engine
// types it with, every syllable the drill asks for is typed by its keys,
// and no syllable the scheme types is missing from the chart.
#include "pinyin/ShuangpinChart.h"
#include "pinyin/module/LibImeHeaders.h"

#include <QtTest>

namespace {
QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

// Whether the engine's table types `syllable` exactly with `keys`.
bool tableTypes(const libime::ShuangpinProfile &profile, const QString &keys, const libime::PinyinSyllable &syllable)
{
    const auto entry = profile.table().find(keys.toStdString());
    if (entry == profile.table().end())
        return false;
    for (const auto &[reading, flags] : entry->second)
        if (reading == syllable && flags == libime::PinyinFuzzyFlag::None)
            return true;
    return false;
}

// The keys whose caps show `label` among initials (or finals).
QString keysShowing(const ShuangpinChart &chart, const QString &label, bool initial)
{
    QString keys;
    for (auto it = chart.keys().cbegin(); it != chart.keys().cend(); ++it)
        if ((initial ? it->initials : it->finals).contains(label))
            keys += it.key();
    return keys;
}

// The engine's own profile of each 双拼 scheme, in menu order.
libime::ShuangpinBuiltinProfile builtinProfileOf(PinyinScheme scheme)
{
    const libime::ShuangpinBuiltinProfile profiles[] = {
        libime::ShuangpinBuiltinProfile::Xiaohe,  libime::ShuangpinBuiltinProfile::Ziranma,
        libime::ShuangpinBuiltinProfile::MS,      libime::ShuangpinBuiltinProfile::ABC,
        libime::ShuangpinBuiltinProfile::Ziguang, libime::ShuangpinBuiltinProfile::PinyinJiajia,
        libime::ShuangpinBuiltinProfile::Zhongwenzhixing,
    };
    return profiles[pinyin::ShuangpinSchemes().indexOf(scheme)];
}

// Every syllable of standard pinyin.
QVector<libime::PinyinSyllable> allSyllables()
{
    QVector<libime::PinyinSyllable> syllables;
    for (char i = libime::PinyinEncoder::firstInitial; i <= libime::PinyinEncoder::lastInitial; ++i)
        for (char f = libime::PinyinEncoder::firstFinal; f <= libime::PinyinEncoder::lastFinal; ++f) {
            const auto initial = libime::PinyinInitial(i);
            const auto final = libime::PinyinFinal(f);
            if (initial != libime::PinyinInitial::Invalid && final != libime::PinyinFinal::Invalid &&
                libime::PinyinEncoder::isValidInitialFinal(initial, final) && final != libime::PinyinFinal::Zero)
                syllables.append({initial, final});
        }
    return syllables;
}
} // namespace

class ShuangpinChartTest : public QObject {
    Q_OBJECT
private slots:
    void chartsAgreeWithTheEngine_data()
    {
        QTest::addColumn<int>("scheme");
        for (PinyinScheme scheme : pinyin::ShuangpinSchemes())
            QTest::newRow(qPrintable(pinyin::SchemeName(scheme))) << int(scheme);
    }

    void chartsAgreeWithTheEngine()
    {
        QFETCH(int, scheme);
        const ShuangpinChart chart{PinyinScheme(scheme)};
        QVERIFY2(chart.unavailableMessage().isEmpty(), qPrintable(chart.unavailableMessage()));
        const libime::ShuangpinProfile profile(builtinProfileOf(PinyinScheme(scheme)));

        QHash<QString, QString> chartKeys;
        for (const SyllableKeys &s : chart.syllables())
            chartKeys.insert(s.syllable, s.keys);
        int checked = 0;
        for (const libime::PinyinSyllable &syllable : allSyllables()) {
            const QString spelled = pinyin::DisplayPinyin(text(syllable.toString()));
            const QString keys = chartKeys.value(spelled);
            if (!tableTypes(profile, keys, syllable)) {
                // Not on the chart: then the engine has no two keys for it either.
                for (const auto &[typed, readings] : profile.table())
                    QVERIFY2(typed.size() != 2 || !tableTypes(profile, text(typed), syllable), qPrintable(spelled));
                continue;
            }
            ++checked;
            QVERIFY2(chart.typesSyllable(keys, spelled), qPrintable(spelled));
            if (syllable.initial() == libime::PinyinInitial::Zero) {
                const auto listed = std::find_if(chart.zeroInitialSyllables().begin(), chart.zeroInitialSyllables().end(),
                                                 [&](const SyllableKeys &s) { return s.syllable == spelled; });
                QVERIFY2(listed != chart.zeroInitialSyllables().end() && listed->keys == keys, qPrintable(spelled));
                continue;
            }
            // Read off the caps: a key showing the initial, then one showing the final.
            const QString firsts = keysShowing(chart, text(libime::PinyinEncoder::initialToString(syllable.initial())), true);
            const QString seconds = keysShowing(
                chart, pinyin::DisplayPinyin(text(libime::PinyinEncoder::finalToString(syllable.final()))), false);
            bool typed = false;
            for (QChar a : firsts)
                for (QChar b : seconds)
                    typed = typed || tableTypes(profile, QString(a) + b, syllable);
            QVERIFY2(typed, qPrintable(spelled + QLatin1Char(' ') + firsts + QLatin1Char('/') + seconds));
        }
        // Nearly all of the about 410 syllables have two keys in every scheme.
        QVERIFY2(checked > 380, qPrintable(QString::number(checked)));
        QCOMPARE(chart.syllables().size(), checked);
    }

    void fullPinyinHasNoChart()
    {
        const ShuangpinChart chart{PinyinScheme::Full};
        QVERIFY(chart.keys().isEmpty());
        QVERIFY(chart.syllables().isEmpty());
        QVERIFY(!chart.typesSyllable(QStringLiteral("vs"), QStringLiteral("zhong")));
    }
};

QTEST_GUILESS_MAIN(ShuangpinChartTest)
#include "shuangpin_chart.moc"
