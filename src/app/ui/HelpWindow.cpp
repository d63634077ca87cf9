#include "app/ui/HelpWindow.h"

#include "app/ui/Artwork.h"
#include "data/Settings.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("HelpWindow");
const QSize kDefaultSize(720, 560);
const QSize kSmallestSize(320, 240);
} // namespace

HelpWindow::HelpWindow(const QString &helpFile, SettingsStore &settings, QWidget *parent)
    : QWidget(parent, Qt::Window), m_settings(settings), m_browser(new QTextBrowser(this))
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

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    const QSize remembered(SettingToInt(m_settings.read(kSection, QStringLiteral("Width"))),
                           SettingToInt(m_settings.read(kSection, QStringLiteral("Height"))));
    QSize size = remembered.expandedTo(kSmallestSize) == remembered ? remembered : kDefaultSize;
    // A size stored on a larger screen (or edited by hand) fits this one.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
}

void HelpWindow::hideEvent(QHideEvent *event)
{
    m_settings.write(kSection, QStringLiteral("Width"), QString::number(width()));
    m_settings.write(kSection, QStringLiteral("Height"), QString::number(height()));
    QWidget::hideEvent(event);
}
