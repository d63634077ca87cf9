// The program's icon for the desktop's hicolor theme: the 打 seal of the
// about box as PNG in the usual sizes and as SVG, under icons/hicolor/.
#include "Output.h"
#include "Steps.h"

#include "app/ui/Artwork.h"
#include "app/ui/Fonts.h"

#include <QBuffer>
#include <QPixmap>

bool BuildIcons(const QString &out, QString *error)
{
    InstallChineseFonts();
    const QString theme = out + QStringLiteral("/icons/hicolor/");
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        artwork::emblem(side).save(&buffer, "PNG");
        const QString path = theme + QStringLiteral("%1x%1/apps/quorvel.png").arg(side);
        if (!WriteOutputFile(path, png, error))
            return false;
    }
    return WriteOutputFile(theme + QStringLiteral("scalable/apps/quorvel.svg"), artwork::emblemSvg(64), error);
}
