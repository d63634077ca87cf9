#include "app/ui/Fonts.h"

#include <QGuiApplication>
#include <QFont>
#include <QFontInfo>
#include <QStringList>

void InstallSongFontSubstitutes()
{
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    for (const char *name : {"宋体", "SimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name), song);

    // The default family is often a generic name ("Sans Serif") that only
    // matching resolves; a list of families needs the real one first.
    QFont defaultFont = QGuiApplication::font();
    defaultFont.setFamilies(QStringList{QFontInfo(defaultFont).family()} + song);
    QGuiApplication::setFont(defaultFont);
}
