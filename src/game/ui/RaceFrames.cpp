#include "game/ui/RaceFrames.h"

#include "data/Scramble.h"
#include "shell/ui/PictureScale.h"

#include <QMap>

namespace {

QImage decode(const QString &path)
{
    return WithPictureScale(QImage::fromData(ReadScrambledFile(path)));
}

RaceFrameImages load(const QString &dataRoot)
{
    const QString folder = dataRoot + QStringLiteral("/data/gdata/");
    RaceFrameImages frames;
    for (int i = 0; i < race::kHareFrames; ++i)
        frames.hare[std::size_t(i)] = decode(folder + QStringLiteral("gt%1.gt").arg(i + 1));
    for (int i = 0; i < 2; ++i)
        frames.tortoise[std::size_t(i)] = decode(folder + QStringLiteral("gg%1.gg").arg(i + 1));
    return frames;
}

} // namespace

const RaceFrameImages &RaceFrames(const QString &dataRoot)
{
    static QMap<QString, RaceFrameImages> decoded;
    auto it = decoded.find(dataRoot);
    if (it == decoded.end())
        it = decoded.insert(dataRoot, load(dataRoot));
    return it.value();
}
