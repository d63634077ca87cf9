#pragma once
// The Song face the windows write Chinese in ("宋体", which start-up maps to
// a CJK serif face), at a size in points.
#include <QFont>

QFont SongFont(double pointSize, bool bold = false);
