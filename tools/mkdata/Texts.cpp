// Reference texts: assets/text/<folder>/*.txt (UTF-8, LF) become
// text/<folder>/*.txt in GBK with CR LF line ends, as the program reads them.
#include "Output.h"
#include "Steps.h"

#include "data/Gbk.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {
const char *const kFolders[] = {"Czh", "Cwb", "ezh", "ewb"};

// Line and column of the first character GBK cannot encode.
QString locateUnencodable(const QString &text)
{
    int line = 1;
    int column = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        const QString ch = text.mid(i, pair ? 2 : 1);
        bool ok = false;
        EncodeGbk(ch, &ok);
        if (!ok)
            return QStringLiteral("line %1, column %2: \"%3\" (U+%4)")
                .arg(line)
                .arg(column)
                .arg(ch)
                .arg(QString::number(ch.toUcs4().value(0), 16).toUpper());
        if (text[i] == QLatin1Char('\n')) {
            ++line;
            column = 0;
        }
        if (pair)
            ++i;
        ++column;
    }
    return QStringLiteral("unknown position");
}

bool convertText(const QString &source, const QString &target, QString *error)
{
    QString text;
    if (!ReadUtf8Source(source, &text, error))
        return false;
    text.remove(QLatin1Char('\r'));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    bool ok = false;
    const QByteArray gbk = EncodeGbk(text, &ok);
    if (!ok) {
        *error = QStringLiteral("%1: a character has no GBK code, at %2").arg(source, locateUnencodable(text));
        return false;
    }
    return WriteOutputFile(target, gbk, error);
}

bool buildFolder(const QString &sourceDir, const QString &targetDir, QString *error)
{
    QDir().mkpath(targetDir);
    const QStringList names = QDir(sourceDir).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (!convertText(sourceDir + QLatin1Char('/') + name, targetDir + QLatin1Char('/') + name, error))
            return false;
    }
    // A text removed from the sources leaves the build folder too.
    const QSet<QString> wanted(names.begin(), names.end());
    for (const QString &old : QDir(targetDir).entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (!wanted.contains(old))
            QFile::remove(targetDir + QLatin1Char('/') + old);
    }
    return true;
}
} // namespace

bool BuildTexts(const QString &assets, const QString &out, QString *error)
{
    for (const char *folder : kFolders) {
        const QString name = QLatin1String(folder);
        if (!buildFolder(assets + QStringLiteral("/text/") + name, out + QStringLiteral("/text/") + name, error))
            return false;
    }
    return true;
}
