#include "pinyin/PinyinMistakes.h"

#include "pinyin/HanziReadings.h"
#include "pinyin/Syllables.h"

#include <algorithm>

namespace {

struct KindName {
    PinyinConfusion kind;
    const char *key;
    const char *caption;
};

const KindName kKinds[] = {
    {PinyinConfusion::ZZh, "z-zh", "平翘舌 z/zh"},
    {PinyinConfusion::CCh, "c-ch", "平翘舌 c/ch"},
    {PinyinConfusion::SSh, "s-sh", "平翘舌 s/sh"},
    {PinyinConfusion::NasalNNg, "n-ng", "前后鼻音 -n/-ng"},
    {PinyinConfusion::NL, "n-l", "鼻音边音 n/l"},
    {PinyinConfusion::FH, "f-h", "f/h 不分"},
    {PinyinConfusion::RL, "r-l", "r/l 不分"},
    {PinyinConfusion::UUmlaut, "u-v", "ü/u 不分"},
    {PinyinConfusion::ToneOnly, "tone", "声调"},
    {PinyinConfusion::Homophone, "homophone", "同音字"},
    {PinyinConfusion::Other, "other", "其他读音"},
};

const KindName &NameOf(PinyinConfusion kind)
{
    for (const KindName &k : kKinds)
        if (k.kind == kind)
            return k;
    return kKinds[std::size(kKinds) - 1];
}

// The confusion of two different initials, or Other.
PinyinConfusion InitialConfusion(const QString &a, const QString &b)
{
    const auto pair = [&](const char *x, const char *y) {
        return (a == QLatin1String(x) && b == QLatin1String(y)) || (a == QLatin1String(y) && b == QLatin1String(x));
    };
    if (pair("z", "zh"))
        return PinyinConfusion::ZZh;
    if (pair("c", "ch"))
        return PinyinConfusion::CCh;
    if (pair("s", "sh"))
        return PinyinConfusion::SSh;
    if (pair("n", "l"))
        return PinyinConfusion::NL;
    if (pair("f", "h"))
        return PinyinConfusion::FH;
    if (pair("r", "l"))
        return PinyinConfusion::RL;
    return PinyinConfusion::Other;
}

// The confusion of two different finals, or Other.
PinyinConfusion FinalConfusion(const QString &a, const QString &b)
{
    const auto nasalPair = [](const QString &n, const QString &ng) {
        return n.endsWith(QLatin1Char('n')) && ng == n + QLatin1Char('g');
    };
    if (nasalPair(a, b) || nasalPair(b, a))
        return PinyinConfusion::NasalNNg;
    QString va = a, vb = b;
    va.replace(QLatin1Char('v'), QLatin1Char('u'));
    vb.replace(QLatin1Char('v'), QLatin1Char('u'));
    if (va == vb)
        return PinyinConfusion::UUmlaut;
    return PinyinConfusion::Other;
}

// f+final and h+final are one confusion also where h takes a u glide:
// fan/huan, fei/hui, fen/hun.
bool FHFinals(const SyllableParts &f, const SyllableParts &h)
{
    if (f.initial != QLatin1String("f") || h.initial != QLatin1String("h"))
        return false;
    return h.final == f.final || h.final == QLatin1Char('u') + f.final
           || (f.final == QLatin1String("ei") && h.final == QLatin1String("ui"))
           || (f.final == QLatin1String("en") && h.final == QLatin1String("un"));
}

// How near a diagnosis is to what the learner meant: a homophone first, then
// a wrong tone, then a named confusion, then another syllable.
int Nearness(const QVector<PinyinConfusion> &kinds)
{
    if (kinds.isEmpty())
        return 0;
    if (kinds.contains(PinyinConfusion::Other))
        return 3;
    return kinds.contains(PinyinConfusion::ToneOnly) ? 1 : 2;
}

} // namespace

QString ConfusionCaption(PinyinConfusion kind)
{
    return QString::fromUtf8(NameOf(kind).caption);
}

QString ConfusionKey(PinyinConfusion kind)
{
    return QString::fromLatin1(NameOf(kind).key);
}

PinyinConfusion ConfusionFromKey(const QString &key)
{
    for (const KindName &k : kKinds)
        if (key == QLatin1String(k.key))
            return k.kind;
    return PinyinConfusion::Other;
}

QVector<PinyinConfusion> ClassifySyllables(const QString &expected, const QString &typed)
{
    const SyllableQuery e = ParseSyllableQuery(expected.trimmed().toLower());
    const SyllableQuery t = ParseSyllableQuery(typed.trimmed().toLower());
    if (e.toneless.isEmpty() || t.toneless.isEmpty())
        return {PinyinConfusion::Other};
    if (e.toneless == t.toneless) {
        if (e.tone >= 0 && t.tone >= 0 && e.tone != t.tone)
            return {PinyinConfusion::ToneOnly};
        return {};
    }
    const SyllableParts se = SplitSyllable(e.toneless), st = SplitSyllable(t.toneless);
    if (se.initial == st.initial && se.final == st.final)
        return {}; // one syllable in two spellings (ju, jv)
    QVector<PinyinConfusion> kinds;
    if (se.initial != st.initial) {
        const PinyinConfusion initial = InitialConfusion(se.initial, st.initial);
        if (initial == PinyinConfusion::Other)
            return {PinyinConfusion::Other};
        kinds.append(initial);
        if (initial == PinyinConfusion::FH && (FHFinals(se, st) || FHFinals(st, se)))
            return kinds;
    }
    if (se.final != st.final) {
        const PinyinConfusion final = FinalConfusion(se.final, st.final);
        if (final == PinyinConfusion::Other)
            return {PinyinConfusion::Other};
        kinds.append(final);
    }
    return kinds;
}

QVector<PinyinMistake> DiagnoseCharacter(const QString &expectedChar, const QString &expectedSyllable,
                                         const QString &typedChar, const HanziReadings &readings)
{
    const QVector<uint> typed = typedChar.toUcs4();
    if (expectedSyllable.isEmpty() || typed.size() != 1)
        return {};
    const QStringList typedReadings = readings.readings(typed.first());
    if (typedReadings.isEmpty())
        return {};
    QString nearest;
    QVector<PinyinConfusion> nearestKinds;
    int best = 4;
    for (const QString &reading : typedReadings) {
        const QVector<PinyinConfusion> kinds = ClassifySyllables(expectedSyllable, reading);
        if (const int n = Nearness(kinds); n < best) {
            best = n;
            nearest = reading;
            nearestKinds = kinds;
        }
    }
    if (nearestKinds.isEmpty())
        nearestKinds = {PinyinConfusion::Homophone};
    QVector<PinyinMistake> mistakes;
    for (PinyinConfusion kind : nearestKinds)
        mistakes.append({kind, expectedSyllable, nearest, expectedChar, typedChar});
    return mistakes;
}

void PinyinMistakeLog::noteCharacter(const QString &expectedChar, const QString &expectedSyllable,
                                     const QString &typedChar, const HanziReadings &readings)
{
    m_mistakes += DiagnoseCharacter(expectedChar, expectedSyllable, typedChar, readings);
}

void PinyinMistakeLog::noteSyllables(const QString &expectedSyllable, const QString &typedSyllable,
                                     const QString &expectedChar)
{
    for (PinyinConfusion kind : ClassifySyllables(expectedSyllable, typedSyllable))
        m_mistakes.append({kind, expectedSyllable, typedSyllable, expectedChar, QString()});
}

QStringList PinyinMistakeLog::summary() const
{
    QStringList lines;
    for (const KindName &k : kKinds) {
        const auto count = std::count_if(m_mistakes.cbegin(), m_mistakes.cend(),
                                         [&k](const PinyinMistake &m) { return m.kind == k.kind; });
        if (count > 0)
            lines << QStringLiteral("%1：%2 处").arg(QString::fromUtf8(k.caption)).arg(count);
    }
    return lines;
}
