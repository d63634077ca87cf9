#include "app/ui/Fonts.h"

#include <QGuiApplication>
#include <QFont>
#include <QStringList>

void InstallSongFontSubstitutes()
{
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    for (const char *name : {"宋体", "SimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name), song);

    QFont defaultFont = QGuiApplication::font();
    defaultFont.setFamilies(QStringList{defaultFont.family()} + song);
    QGuiApplication::setFont(defaultFont);
}
