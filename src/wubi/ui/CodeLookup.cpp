#include "wubi/ui/CodeLookup.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "shell/ui/SongFont.h"
#include "pinyin/PinyinData.h"
#include "wubi/PinyinLookup.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

namespace {

struct InputLayout {
    QRect geometry;
    int pointSize;
    int maxLength;
};
const InputLayout kCharacterLayout{{96, 80, 73, 57}, 40, 1};
const InputLayout kPhraseLayout{{33, 96, 200, 31}, 14, 9};

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
    setFixedSize(450, 420);
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
        kindButtons[i] = new QRadioButton(zCaptions[i], Frame1);
        kindButtons[i]->setObjectName(QStringLiteral("OpZ(%1)").arg(i));
        kindButtons[i]->setGeometry(24 + i * 90, 22, 70, 24);
        connect(kindButtons[i], &QRadioButton::clicked, this, [this, i] { chooseLookupKind(i); });
        editionButtons[i] = new QRadioButton(gCaptions[i], Frame2);
        editionButtons[i]->setObjectName(QStringLiteral("OpZg(%1)").arg(i));
        editionButtons[i]->setGeometry(24 + i * 90, 22, 70, 24);
        connect(editionButtons[i], &QRadioButton::clicked, this, [this, i] { chooseEdition(i); });
    }

    input = new QLineEdit(this);
    input->setObjectName(QStringLiteral("txtIn"));
    input->setAlignment(Qt::AlignCenter);
    input->setTextMargins(0, 0, 0, 0);
    input->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; }"));
    input->installEventFilter(this);
    connect(input, &QLineEdit::textChanged, this, [this] { lookUp(); });

    echoLabel = new QLabel(this);
    echoLabel->setObjectName(QStringLiteral("lblZ"));
    echoLabel->setGeometry(250, 70, 186, 46);
    echoLabel->setFont(SongFont(kEchoPointSize));
    echoLabel->setAlignment(Qt::AlignCenter);
    codeLabel = new QLabel(this);
    codeLabel->setObjectName(QStringLiteral("lblZm"));
    codeLabel->setGeometry(250, 122, 186, 46);
    codeLabel->setFont(SongFont(20, true));
    codeLabel->setAlignment(Qt::AlignCenter);
    codeLabel->setStyleSheet(QStringLiteral("color: #1f4e9a;"));

    auto *pinyinLabel = new QLabel(QStringLiteral("按拼音查找（如 zhong1、zhōng、zhong guo）："), this);
    pinyinLabel->setGeometry(12, 182, 426, 20);
    pinyinInput = new QLineEdit(this);
    pinyinInput->setObjectName(QStringLiteral("txtPinyin"));
    pinyinInput->setGeometry(12, 206, 426, 28);
    pinyinInput->setFont(SongFont(12));
    pinyinInput->setAccessibleName(QStringLiteral("拼音"));
    connect(pinyinInput, &QLineEdit::textChanged, this, [this] { lookUpPinyin(); });
    pinyinMatches = new QListWidget(this);
    pinyinMatches->setObjectName(QStringLiteral("lstPinyin"));
    pinyinMatches->setGeometry(12, 240, 426, 168);
    pinyinMatches->setFont(SongFont(12));
    pinyinMatches->setAccessibleName(QStringLiteral("拼音查找结果"));

    kindButtons[0]->setChecked(true);
    editionButtons[0]->setChecked(true);
    m_edition86 = true;
    setCharacterLayout(true);
    m_ctx.state.lookupWindowOpen = true;
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
}

CodeLookup::~CodeLookup() { m_ctx.state.lookupWindowOpen = false; }

void CodeLookup::setCharacterLayout(bool characterMode)
{
    m_characterMode = characterMode;
    const InputLayout &layout = characterMode ? kCharacterLayout : kPhraseLayout;
    input->setGeometry(layout.geometry);
    input->setFont(SongFont(layout.pointSize));
    input->setMaxLength(layout.maxLength);
}

void CodeLookup::chooseLookupKind(int index)
{
    kindButtons[index]->setChecked(true);
    setCharacterLayout(index == 0);
    // Emptying the input runs the lookup, also when it was empty already.
    if (input->text().isEmpty())
        lookUp();
    else
        input->clear();
    input->setFocus();
}

void CodeLookup::chooseEdition(int index)
{
    editionButtons[index]->setChecked(true);
    m_edition86 = index == 0;
    lookUp();
}

void CodeLookup::lookUp()
{
    if (m_characterMode)
        input->selectAll(); // the next character replaces this one
    const QString text = input->text();
    for (bool edition86 : {true, false}) {
        const bool found = LookUpCode(m_ctx.state, text, edition86);
        if (edition86 == m_edition86) {
            showEcho(echoLabel, text);
            codeLabel->setText(found ? m_ctx.state.lookupCode : QStringLiteral("无"));
        }
    }
}

void CodeLookup::lookUpPinyin()
{
    pinyinMatches->clear();
    const QString text = pinyinInput->text().trimmed();
    if (text.isEmpty())
        return;
    if (!LooksLikePinyin(text))
        return pinyinMatches->addItem(QStringLiteral("请输入拼音，如 zhong1、zhōng、zhong 或 zhong guo"));
    PinyinData *data = m_ctx.pinyinData;
    if (!data || !data->available())
        return pinyinMatches->addItem(data ? data->error() : QStringLiteral("拼音数据不可用"));
    const QVector<PinyinMatch> matches = LookUpPinyin(text, *data->readings(), *data->lexicon(), CodeTablesOf(m_ctx.state));
    if (matches.isEmpty())
        return pinyinMatches->addItem(QStringLiteral("没有读作“%1”的字词").arg(text));
    for (const PinyinMatch &m : matches)
        pinyinMatches->addItem(PinyinMatchLine(m));
}

bool CodeLookup::eventFilter(QObject *watched, QEvent *event)
{
    // On focus the whole text is selected after the focus change settles.
    if (watched == input && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, input, [edit = input] { edit->selectAll(); });
    return QDialog::eventFilter(watched, event);
}

void ShowCodeLookup(AppContext &ctx)
{
    CodeLookup lookup(ctx, ctx.shell ? ctx.shell->mainWindow() : nullptr);
    lookup.input->setFocus();
    lookup.exec();
}
