#include "app/ui/Fonts.h"

#include <QGuiApplication>
#include <QFont>
#include <QFontInfo>
#include <QStringList>

void InstallChineseFonts()
{
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    for (const char *name : {"宋体", "SimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name), song);

    // The default family is often a generic name ("Sans Serif") that only
    // matching resolves; a list of families needs the real one first.
    QFont defaultFont = QGuiApplication::font();
    defaultFont.setFamilies(QStringList{QFontInfo(defaultFont).family()} + song);
    // Han and Latin need no OpenType shaping to be read correctly; skipping
    // it spares every typing box a pass through the CJK font's large
    // substitution and positioning tables on each repaint (a script that does
    // need shaping is still shaped).
    defaultFont.setStyleStrategy(QFont::PreferNoShaping);
    QGuiApplication::setFont(defaultFont);
}
