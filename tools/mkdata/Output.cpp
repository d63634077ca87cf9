#include "Output.h"

#include "data/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

bool WriteOutputFile(const QString &path, const QByteArray &bytes, QString *error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    const QString reason = WriteFileAtomically(path, bytes);
    if (!reason.isEmpty()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, reason);
        return false;
    }
    return true;
}

bool ReadUtf8Source(const QString &path, QString *text, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = utf8.decode(bytes);
    if (utf8.hasError()) {
        *error = QStringLiteral("%1 is not valid UTF-8").arg(path);
        return false;
    }
    return true;
}

QImage DenseImage(int width, int height, QImage::Format format)
{
    constexpr int kScale = 2;
    constexpr int kDotsPerMetre = int(kScale * 96 / 0.0254 + 0.5);
    QImage image(width * kScale, height * kScale, format);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.setDevicePixelRatio(kScale);
    return image;
}
