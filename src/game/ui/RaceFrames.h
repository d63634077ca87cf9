#pragma once
// The race's animation frames, data/gdata/gt1.gt .. gt8.gt (the running hare)
// and gg1.gg, gg2.gg (the walking tortoise): scrambled pictures, decoded once
// per process and kept in memory. A missing or unreadable file gives a null
// image.
#include "game/Race.h"

#include <QImage>
#include <array>

struct RaceFrameImages {
    std::array<QImage, race::kHareFrames> hare; // gt1 .. gt8
    std::array<QImage, 2> tortoise;             // gg1, gg2
};

// The frames below `dataRoot`, decoded on the first call for that folder.
const RaceFrameImages &RaceFrames(const QString &dataRoot);
