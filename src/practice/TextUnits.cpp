#include "practice/TextUnits.h"

int CharacterCount(QStringView text)
{
    int n = 0;
    for (int unit = 0; unit < text.size(); unit += CharacterUnitsAt(text, unit))
        ++n;
    return n;
}

QString LastCharacter(QStringView text)
{
    const qsizetype n = text.size();
    if (n >= 2 && text.at(n - 1).isLowSurrogate() && text.at(n - 2).isHighSurrogate())
        return text.right(2).toString();
    return text.right(1).toString();
}

int CharacterUnitsAt(QStringView text, int unit)
{
    if (unit < 0 || unit >= text.size())
        return 0;
    if (unit + 1 < text.size() && text.at(unit).isHighSurrogate() && text.at(unit + 1).isLowSurrogate())
        return 2;
    return 1;
}

QVector<int> CharacterStarts(QStringView text)
{
    QVector<int> starts;
    starts.reserve(text.size());
    for (int unit = 0; unit < text.size(); unit += CharacterUnitsAt(text, unit))
        starts.append(unit);
    return starts;
}

QStringList Characters(QStringView text)
{
    QStringList characters;
    characters.reserve(text.size());
    for (int unit = 0; unit < text.size();) {
        const int units = CharacterUnitsAt(text, unit);
        characters.append(text.mid(unit, units).toString());
        unit += units;
    }
    return characters;
}
