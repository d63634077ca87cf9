#pragma once
// Pictures kept as scrambled files below data/: read through the scrambled
// file reader and decoded in memory.
#include "data/Paths.h"
#include "shell/ui/PictureScale.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

class QWidget;


// The picture in data/<relativeName> (for example "pic/b3.bmp"). A missing or
// empty file shows "请确认图片是否存在！", an undecodable one the decoder's
// error number and description; both give a null pixmap. `messageParent` may
// be null (the message then has no parent).
QPixmap PictureFromDataFile(const AppPaths &paths, const QString &relativeName, QWidget *messageParent);

// While one lives, the problems of the pictures read are gathered and told in
// one message, naming every file, when it ends: a board of damaged pictures
// gives one message, not one box each.
class PictureProblemBatch {
public:
    explicit PictureProblemBatch(QWidget *messageParent);
    ~PictureProblemBatch();
    PictureProblemBatch(const PictureProblemBatch &) = delete;
    PictureProblemBatch &operator=(const PictureProblemBatch &) = delete;

    void add(const QString &problem, const QString &file);

private:
    QWidget *m_parent;
    PictureProblemBatch *m_outer;
    QStringList m_problems; // distinct texts, in order
    QStringList m_files;
};
