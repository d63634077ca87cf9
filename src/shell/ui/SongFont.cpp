#include "shell/ui/SongFont.h"

QFont SongFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
