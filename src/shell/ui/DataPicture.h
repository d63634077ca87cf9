#pragma once
// Pictures kept as scrambled files below data/: read through the scrambled
// file reader and decoded in memory.
#include "data/Paths.h"
#include "shell/ui/PictureScale.h"

#include <QPixmap>
#include <QString>

class QWidget;


// The picture in data/<relativeName> (for example "pic/b3.bmp"). A missing or
// empty file shows "请确认图片是否存在！", an undecodable one the decoder's
// error number and description; both give a null pixmap. `messageParent` may
// be null (the message then has no parent).
QPixmap PictureFromDataFile(const AppPaths &paths, const QString &relativeName, QWidget *messageParent);
