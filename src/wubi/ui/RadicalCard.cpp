#include "wubi/ui/RadicalCard.h"

#include "shell/AppContext.h"
#include "shell/Placement.h"
#include "shell/Shell.h"
#include "data/Scramble.h"
#include "practice/PracticeState.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>

RadicalCard::RadicalCard(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ctx(ctx)
{
    setObjectName(QStringLiteral("ShowZgb"));
    setModal(true);
    cardPicture = new QLabel(this);
    cardPicture->setObjectName(QStringLiteral("picZg"));
    cardPicture->setFocusPolicy(Qt::StrongFocus);
    cardPicture->installEventFilter(this);
    cardPicture->move(0, 0);
    m_ctx.state.radicalCardOpen = true;
}

RadicalCard::~RadicalCard() { m_ctx.state.radicalCardOpen = false; }

QString RadicalCard::fileName(int keyCode, bool edition86)
{
    return QStringLiteral("%1%2.cr").arg(edition86 ? QLatin1Char('b') : QLatin1Char('j')).arg(keyCode);
}

bool RadicalCard::loadCard(int keyCode, bool edition86)
{
    const QString path = m_ctx.paths.data(QStringLiteral("data/zgcard/") + fileName(keyCode, edition86));
    QPixmap card;
    const bool loaded = card.loadFromData(ReadScrambledFile(path));
    if (loaded) {
        cardPicture->setPixmap(card);
        cardPicture->resize(card.size());
    } else {
        // The program stays usable: say what is missing, closable as a card.
        cardPicture->setText(QStringLiteral("找不到%1键的字根卡片\n(%2)\n\n单击或按回车关闭")
                           .arg(QChar(keyCode))
                           .arg(fileName(keyCode, edition86)));
        cardPicture->setAlignment(Qt::AlignCenter);
        cardPicture->setStyleSheet(QStringLiteral("background:#fffbe6; border:1px solid #8a7a40;"));
        cardPicture->resize(260, 120);
    }
    setFixedSize(cardPicture->size());
    return loaded;
}

void RadicalCard::handleKey(int keyCode)
{
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter)
        accept();
}

bool RadicalCard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cardPicture) {
        if (event->type() == QEvent::MouseButtonRelease) {
            closeCard();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            handleKey(static_cast<QKeyEvent *>(event)->key());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RadicalCard::keyPressEvent(QKeyEvent *event) { handleKey(event->key()); }

void ShowRadicalCard(AppContext &ctx, int keyCode, bool edition86)
{
    QWidget *parent = ctx.shell ? ctx.shell->mainWindow() : nullptr;
    QPointer<RadicalCard> card = new RadicalCard(ctx, parent);
    card->loadCard(keyCode, edition86);
    if (ctx.shell) {
        MainGeometry atOrigin;
        atOrigin.dockOffset = ctx.state.dockOffset;
        atOrigin.dockCorrection = ctx.state.dockCorrection;
        card->move(ctx.shell->mainToGlobal(RadicalChartPosition(atOrigin)));
    }
    card->cardPicture->setFocus();
    card->exec();
    delete card;
}
