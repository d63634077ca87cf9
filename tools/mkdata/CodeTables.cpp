// The Wubi code tables: assets/wubi/wubiNN.tsv (UTF-8 "word<TAB>code<TAB>kind"
// rows, already in table order) become data/zbNN.dz, "#word%code" entries in
// GBK, one per CR LF line, closed by a final "#", scrambled.
#include "Output.h"
#include "Steps.h"

#include "data/Gbk.h"
#include "data/Scramble.h"

#include <QStringList>

namespace {
bool isValidCode(const QString &code)
{
    if (code.isEmpty() || code.size() > 4)
        return false;
    for (QChar c : code) {
        if (c < QLatin1Char('a') || c > QLatin1Char('y'))
            return false;
    }
    return true;
}

// The plain table text, or an empty string with *error set.
QString tableText(const QString &tsvPath, QString *error)
{
    QString source;
    if (!ReadUtf8Source(tsvPath, &source, error))
        return {};
    QString text;
    int lineNumber = 0;
    for (const QString &line : source.split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QString word = fields.value(0);
        const QString code = fields.value(1).trimmed();
        if (fields.size() < 2 || word.isEmpty() || word.contains(QLatin1Char('#'))
            || word.contains(QLatin1Char('%')) || !isValidCode(code)) {
            *error = QStringLiteral("%1:%2: not a \"word<TAB>code<TAB>kind\" row").arg(tsvPath).arg(lineNumber);
            return {};
        }
        text += QLatin1Char('#') + word + QLatin1Char('%') + code + QStringLiteral("\r\n");
    }
    if (text.isEmpty()) {
        *error = QStringLiteral("%1 holds no entries").arg(tsvPath);
        return {};
    }
    return text + QLatin1Char('#');
}

bool buildTable(const QString &assets, const QString &out, const QString &edition, QString *error)
{
    const QString tsv = assets + QStringLiteral("/wubi/wubi%1.tsv").arg(edition);
    const QString text = tableText(tsv, error);
    if (text.isEmpty())
        return false;
    bool encodable = false;
    const QByteArray plain = EncodeGbk(text, &encodable);
    if (!encodable) {
        *error = QStringLiteral("%1 holds characters that GBK cannot encode").arg(tsv);
        return false;
    }
    return WriteOutputFile(out + QStringLiteral("/data/zb%1.dz").arg(edition), UnscrambleBytes(plain), error);
}
} // namespace

bool BuildCodeTables(const QString &assets, const QString &out, QString *error)
{
    return buildTable(assets, out, QStringLiteral("86"), error)
        && buildTable(assets, out, QStringLiteral("98"), error);
}
