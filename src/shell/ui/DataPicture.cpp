#include "shell/ui/DataPicture.h"

#include "data/Scramble.h"

#include <QBuffer>
#include <QImageReader>
#include <QMessageBox>
#include <QWidget>

namespace {
void TellPictureProblem(QWidget *parent, const QString &text)
{
    const QString title = parent ? parent->window()->windowTitle() : QString();
    QMessageBox::warning(parent, title, text);
}
} // namespace

QPixmap PictureFromDataFile(const AppPaths &paths, const QString &relativeName, QWidget *messageParent)
{
    QByteArray bytes = ReadScrambledFile(paths.data(QStringLiteral("data/") + relativeName));
    if (bytes.isEmpty()) {
        TellPictureProblem(messageParent, QStringLiteral("请确认图片是否存在！"));
        return QPixmap();
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer); // the format comes from the content
    const QImage image = reader.read();
    if (image.isNull()) {
        TellPictureProblem(messageParent,
                           QStringLiteral("%1 - %2").arg(int(reader.error())).arg(reader.errorString()));
        return QPixmap();
    }
    return QPixmap::fromImage(WithPictureScale(image));
}
