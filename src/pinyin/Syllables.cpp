#include "pinyin/Syllables.h"

namespace {

// Each toned vowel: the plain letter ('v' for ü) and its tone.
struct TonedVowel {
    QChar toned;
    char plain;
    int tone;
};

const TonedVowel kTonedVowels[] = {
    {u'ā', 'a', 1}, {u'á', 'a', 2}, {u'ǎ', 'a', 3}, {u'à', 'a', 4},
    {u'ē', 'e', 1}, {u'é', 'e', 2}, {u'ě', 'e', 3}, {u'è', 'e', 4},
    {u'ī', 'i', 1}, {u'í', 'i', 2}, {u'ǐ', 'i', 3}, {u'ì', 'i', 4},
    {u'ō', 'o', 1}, {u'ó', 'o', 2}, {u'ǒ', 'o', 3}, {u'ò', 'o', 4},
    {u'ū', 'u', 1}, {u'ú', 'u', 2}, {u'ǔ', 'u', 3}, {u'ù', 'u', 4},
    {u'ǖ', 'v', 1}, {u'ǘ', 'v', 2}, {u'ǚ', 'v', 3}, {u'ǜ', 'v', 4},
    {u'ü', 'v', 0}, {u'ń', 'n', 2}, {u'ň', 'n', 3}, {u'ǹ', 'n', 4},
};

const TonedVowel *FindToned(QChar c)
{
    for (const TonedVowel &v : kTonedVowels)
        if (v.toned == c)
            return &v;
    return nullptr;
}

// The letter of a toneless syllable that carries the tone mark: a or e when
// present, o in "ou", otherwise the last vowel.
int MarkPosition(const QString &s)
{
    for (QChar preferred : {QChar('a'), QChar('e')})
        if (int i = s.indexOf(preferred); i >= 0)
            return i;
    if (int i = s.indexOf(QLatin1String("ou")); i >= 0)
        return i;
    for (int i = s.size() - 1; i >= 0; --i)
        if (QStringLiteral("iouv").contains(s[i]))
            return i;
    return -1;
}

bool IsSyllableSpelling(const QString &s)
{
    if (s.isEmpty() || s.size() > 7)
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            return false;
    return true;
}

} // namespace

QString TonelessSyllable(const QString &toned)
{
    QString out;
    out.reserve(toned.size());
    for (QChar c : toned.toLower()) {
        const TonedVowel *v = FindToned(c);
        out += v ? QChar(v->plain) : c;
    }
    return out;
}

int ToneOfSyllable(const QString &toned)
{
    for (QChar c : toned.toLower())
        if (const TonedVowel *v = FindToned(c); v && v->tone > 0)
            return v->tone;
    return 0;
}

QString TonedSyllable(const QString &toneless, int tone)
{
    QString out = toneless;
    const int at = MarkPosition(out);
    if (at >= 0 && tone >= 1 && tone <= 4) {
        for (const TonedVowel &v : kTonedVowels)
            if (v.plain == out[at].toLatin1() && v.tone == tone && v.plain != 'n') {
                out[at] = v.toned;
                break;
            }
    }
    out.replace(QLatin1Char('v'), QChar(u'ü'));
    return out;
}

bool SyllableQuery::matches(const QString &toned) const
{
    if (TonelessSyllable(toned) != toneless)
        return false;
    return tone < 0 || ToneOfSyllable(toned) == tone % 5;
}

SyllableQuery ParseSyllableQuery(const QString &text)
{
    QString s = text.trimmed().toLower();
    SyllableQuery query;
    if (!s.isEmpty() && s.back().isDigit()) {
        const int digit = s.back().digitValue();
        if (digit > 5)
            return {};
        query.tone = digit % 5;
        s.chop(1);
    } else if (const int tone = ToneOfSyllable(s); tone > 0) {
        query.tone = tone;
    }
    s = TonelessSyllable(s);
    s.replace(QChar(u'ü'), QLatin1Char('v'));
    if (!IsSyllableSpelling(s))
        return {};
    query.toneless = s;
    return query;
}

SyllableParts SplitSyllable(const QString &toneless)
{
    static const char *const kInitials[] = {"zh", "ch", "sh", "b", "p", "m", "f", "d", "t", "n", "l", "g",
                                            "k",  "h",  "j",  "q", "x", "r", "z", "c", "s", "y", "w"};
    SyllableParts parts{QString(), toneless};
    for (const char *initial : kInitials) {
        const int length = int(qstrlen(initial));
        if (toneless.size() > length && toneless.startsWith(QLatin1String(initial))) {
            parts.initial = QLatin1String(initial);
            parts.final = toneless.mid(length);
            break;
        }
    }
    const bool umlautWrittenU = parts.initial.size() == 1 && QStringLiteral("jqxy").contains(parts.initial);
    if (umlautWrittenU && parts.final.startsWith(QLatin1Char('u')))
        parts.final[0] = QLatin1Char('v');
    return parts;
}
