#include "shell/ui/DataPicture.h"

#include "data/Scramble.h"

#include <QBuffer>
#include <QImageReader>
#include <QMessageBox>
#include <QWidget>

namespace {
PictureProblemBatch *g_batch = nullptr;

void ShowPictureProblem(QWidget *parent, const QString &text)
{
    const QString title = parent ? parent->window()->windowTitle() : QString();
    QMessageBox::warning(parent, title, text);
}

void TellPictureProblem(QWidget *parent, const QString &text, const QString &file)
{
    if (g_batch)
        g_batch->add(text, file);
    else
        ShowPictureProblem(parent, text);
}
} // namespace

PictureProblemBatch::PictureProblemBatch(QWidget *messageParent) : m_parent(messageParent), m_outer(g_batch)
{
    g_batch = this;
}

PictureProblemBatch::~PictureProblemBatch()
{
    g_batch = m_outer;
    if (m_files.isEmpty())
        return;
    ShowPictureProblem(m_parent, m_problems.join(QLatin1Char('\n')) + QStringLiteral("\n\n")
                                     + m_files.join(QLatin1Char('\n')));
}

void PictureProblemBatch::add(const QString &problem, const QString &file)
{
    if (!m_problems.contains(problem))
        m_problems.append(problem);
    m_files.append(file);
}

QPixmap PictureFromDataFile(const AppPaths &paths, const QString &relativeName, QWidget *messageParent)
{
    const QString file = paths.data(QStringLiteral("data/") + relativeName);
    QByteArray bytes = ReadScrambledFile(file);
    if (bytes.isEmpty()) {
        TellPictureProblem(messageParent, QStringLiteral("请确认图片是否存在！"), file);
        return QPixmap();
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer); // the format comes from the content
    const QImage image = reader.read();
    if (image.isNull()) {
        TellPictureProblem(messageParent, QStringLiteral("%1 - %2").arg(int(reader.error())).arg(reader.errorString()),
                           file);
        return QPixmap();
    }
    return QPixmap::fromImage(WithPictureScale(image));
}
