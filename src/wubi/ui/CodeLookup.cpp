#include "wubi/ui/CodeLookup.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "shell/ui/SongFont.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {
// Twips at 15 per pixel.
constexpr int px(int twips) { return twips / 15; }

struct InputLayout {
    QRect geometry;
    int pointSize;
    int maxLength;
};
const InputLayout kCharacterLayout{{px(1440), px(1200), px(1095), px(855)}, 40, 1};
const InputLayout kPhraseLayout{{px(500), px(1440), px(3000), px(465)}, 14, 9};

// The echo's largest size; a long phrase gets a smaller one, so it shows whole.
constexpr int kEchoPointSize = 22;
constexpr int kSmallestEchoPointSize = 8;

void showEcho(QLabel *label, const QString &text)
{
    QFont font = SongFont(kEchoPointSize);
    const int room = label->contentsRect().width() - 4;
    while (font.pointSize() > kSmallestEchoPointSize && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSize(font.pointSize() - 1);
    label->setFont(font);
    label->setText(text);
}
} // namespace

CodeLookup::CodeLookup(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setObjectName(QStringLiteral("txtSearch"));
    setWindowTitle(QStringLiteral("五笔打法查找"));
    setFixedSize(px(6750), px(2925));
    setFont(SongFont(10));

    auto *Frame1 = new QGroupBox(QStringLiteral("选择查找对象"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(12, 6, 200, 52);
    auto *Frame2 = new QGroupBox(QStringLiteral("选择查找的版本"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(236, 6, 200, 52);
    const QString zCaptions[2] = {QStringLiteral("字"), QStringLiteral("词")};
    const QString gCaptions[2] = {QStringLiteral("86"), QStringLiteral("98")};
    for (int i = 0; i < 2; ++i) {
        OpZ[i] = new QRadioButton(zCaptions[i], Frame1);
        OpZ[i]->setObjectName(QStringLiteral("OpZ(%1)").arg(i));
        OpZ[i]->setGeometry(24 + i * 90, 22, 70, 24);
        connect(OpZ[i], &QRadioButton::clicked, this, [this, i] { OpZ_Click(i); });
        OpZg[i] = new QRadioButton(gCaptions[i], Frame2);
        OpZg[i]->setObjectName(QStringLiteral("OpZg(%1)").arg(i));
        OpZg[i]->setGeometry(24 + i * 90, 22, 70, 24);
        connect(OpZg[i], &QRadioButton::clicked, this, [this, i] { OpZg_Click(i); });
    }

    txtIn = new QLineEdit(this);
    txtIn->setObjectName(QStringLiteral("txtIn"));
    txtIn->setAlignment(Qt::AlignCenter);
    txtIn->setTextMargins(0, 0, 0, 0);
    txtIn->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; }"));
    txtIn->installEventFilter(this);
    connect(txtIn, &QLineEdit::textChanged, this, [this] { txtIn_Change(); });

    lblZ = new QLabel(this);
    lblZ->setObjectName(QStringLiteral("lblZ"));
    lblZ->setGeometry(250, 70, 186, 46);
    lblZ->setFont(SongFont(kEchoPointSize));
    lblZ->setAlignment(Qt::AlignCenter);
    lblZm = new QLabel(this);
    lblZm->setObjectName(QStringLiteral("lblZm"));
    lblZm->setGeometry(250, 122, 186, 46);
    lblZm->setFont(SongFont(20, true));
    lblZm->setAlignment(Qt::AlignCenter);
    lblZm->setStyleSheet(QStringLiteral("color: #1f4e9a;"));

    OpZ[0]->setChecked(true);
    OpZg[0]->setChecked(true);
    m_edition86 = true;
    setCharacterLayout(true);
    m_ctx.state.lookupFormOpen = true;
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
}

CodeLookup::~CodeLookup() { m_ctx.state.lookupFormOpen = false; }

void CodeLookup::setCharacterLayout(bool characterMode)
{
    m_characterMode = characterMode;
    const InputLayout &layout = characterMode ? kCharacterLayout : kPhraseLayout;
    txtIn->setGeometry(layout.geometry);
    txtIn->setFont(SongFont(layout.pointSize));
    txtIn->setMaxLength(layout.maxLength);
}

void CodeLookup::OpZ_Click(int index)
{
    OpZ[index]->setChecked(true);
    setCharacterLayout(index == 0);
    // Emptying the input runs the lookup, also when it was empty already.
    if (txtIn->text().isEmpty())
        txtIn_Change();
    else
        txtIn->clear();
    txtIn->setFocus();
}

void CodeLookup::OpZg_Click(int index)
{
    OpZg[index]->setChecked(true);
    m_edition86 = index == 0;
    txtIn_Change();
}

void CodeLookup::txtIn_Change()
{
    if (m_characterMode)
        txtIn->selectAll(); // the next character replaces this one
    const QString text = txtIn->text();
    for (bool edition86 : {true, false}) {
        const bool found = LookUpCode(m_ctx.state, text, edition86);
        if (edition86 == m_edition86) {
            showEcho(lblZ, text);
            lblZm->setText(found ? m_ctx.state.lookupCode : QStringLiteral("无"));
        }
    }
}

bool CodeLookup::eventFilter(QObject *watched, QEvent *event)
{
    // txtIn_GotFocus: the whole text, selected after the focus change settles.
    if (watched == txtIn && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtIn, [edit = txtIn] { edit->selectAll(); });
    return QDialog::eventFilter(watched, event);
}

void ShowCodeLookup(AppContext &ctx)
{
    CodeLookup lookup(ctx, ctx.shell ? ctx.shell->mainWindow() : nullptr);
    lookup.txtIn->setFocus();
    lookup.exec();
}
