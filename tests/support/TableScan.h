#pragma once
// The answers of a code table as a plain scan of its string finds them, for
// checking the table's index: the first "#word%code" entry wins, and a prefix
// is any "#text" in the string.
#include "data/CodeTable.h"

inline std::optional<QString> ScanCodeOf(const CodeTable &table, QStringView word)
{
    const QString key = QLatin1Char('#') + word.toString() + QLatin1Char('%');
    const qsizetype at = table.text().indexOf(key);
    if (at < 0)
        return std::nullopt;
    const qsizetype start = at + key.size();
    const qsizetype next = table.text().indexOf(QLatin1Char('#'), start); // none after the last entry
    return table.text().mid(start, next < 0 ? -1 : next - start);
}

inline bool ScanEntryPrefix(const CodeTable &table, QStringView text)
{
    return table.text().contains(QLatin1Char('#') + text.toString());
}
