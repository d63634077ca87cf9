#include "pinyin/ui/SchemeBox.h"

#include "shell/AppContext.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/ComposerInput.h"

#include <QComboBox>

QComboBox *NewSchemeBox(AppContext &ctx, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("schemeBox"));
    SetAccessibleText(box, QStringLiteral("双拼方案"));
    for (PinyinScheme scheme : pinyin::ShuangpinSchemes())
        box->addItem(pinyin::SchemeName(scheme), int(scheme));
    const std::optional<PinyinScheme> composing = ctx.composer ? ctx.composer->pinyinScheme() : std::nullopt;
    if (composing && pinyin::IsShuangpin(*composing))
        box->setCurrentIndex(box->findData(int(*composing)));
    return box;
}

PinyinScheme SchemeOfBox(const QComboBox *box)
{
    return PinyinScheme(box->currentData().toInt());
}
