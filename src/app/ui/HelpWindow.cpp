#include "app/ui/HelpWindow.h"

#include "app/ui/Artwork.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Quorvel 帮助"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    QFont font(artwork::songFamily());
    font.setPointSize(11);
    m_browser->setFont(font);
    m_browser->setSource(QUrl::fromLocalFile(helpFile));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 560);
}
