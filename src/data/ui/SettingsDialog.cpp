#include "data/ui/SettingsDialog.h"

#include "data/Settings.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "shell/ui/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
struct CueBox {
    const char *control;
    const char *caption;
    const char *value; // name under section Sound
    bool CueFlags::*flag;
};

// In the order the dialog writes them.
const CueBox kCueBoxes[] = {
    {"C_NK_SoundD", "击键时无提示音", "Sound_NK_Press", &CueFlags::nkPress},
    {"C_NK_SoundE", "击错时无提示音", "Sound_NK_Error", &CueFlags::nkError},
    {"C_TK_SoundD", "击键时无提示音", "Sound_TK_Press", &CueFlags::tkPress},
    {"C_TK_SoundE", "击错时无提示音", "Sound_TK_Error", &CueFlags::tkError},
    {"C_ZW_SoundR", "输入正确无提示音", "Sound_ZW_Right", &CueFlags::zwRight},
    {"C_ZW_SoundE", "输入错误无提示音", "Sound_ZW_Error", &CueFlags::zwError},
    {"C_ZY_Sound", "自由录入无提示音", "Sound_ZY_Press", &CueFlags::zyPress},
};
constexpr int kSmallestSize = 10;
constexpr int kLargestSize = 19;

QComboBox *sizeBox(QWidget *parent, const QString &name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setValidator(new QIntValidator(0, 99, box));
    for (int size = kSmallestSize; size <= kLargestSize; ++size)
        box->addItem(QString::number(size));
    return box;
}

QString sizeText(int size)
{
    return QString::number(size == 0 ? kSmallestSize : size);
}
} // namespace

std::optional<int> FontSizeInBox(const QString &text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok || size < kSmallestSize || size > kLargestSize)
        return std::nullopt;
    return size;
}

SettingsDialog::SettingsDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("ConfigSys"));
    setWindowTitle(QStringLiteral("系统设置"));
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    tabs->addTab(buildSoundTab(), QStringLiteral("提示声音设置"));
    tabs->addTab(buildTextTab(), QStringLiteral("文字设置"));

    auto *all = new QVBoxLayout(this);
    all->addWidget(tabs);
    all->addLayout(DialogButtonRow(this, QStringLiteral("确定"), QStringLiteral("cmdOK"), [this] { saveSettings(); },
                                   [this] { cancel(); }));
    showStoredSettings();
}

QWidget *SettingsDialog::buildSoundTab()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    const auto group = [&](const char *name, const char *title, int first, int last) {
        auto *frame = new QGroupBox(QString::fromUtf8(title), page);
        frame->setObjectName(QString::fromLatin1(name));
        auto *row = new QHBoxLayout(frame);
        for (int i = first; i <= last; ++i) {
            auto *box = new QCheckBox(QString::fromUtf8(kCueBoxes[i].caption), frame);
            box->setObjectName(QString::fromLatin1(kCueBoxes[i].control));
            row->addWidget(box);
            m_boxes << box;
        }
        row->addStretch(1);
        column->addWidget(frame);
    };
    group("Frame1", "数字键区指法练习", 0, 1);
    group("Frame2", "打字键区指法及键位练习", 2, 3);
    group("Frame3", "逐行对打及文本对打", 4, 5);
    auto *free = new QCheckBox(QString::fromUtf8(kCueBoxes[6].caption), page);
    free->setObjectName(QString::fromLatin1(kCueBoxes[6].control));
    m_boxes << free;
    column->addWidget(free);
    column->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildTextTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_referenceFontBox = sizeBox(page, QStringLiteral("cobZY"));
    m_inputFontBox = sizeBox(page, QStringLiteral("cobZH"));
    form->addRow(QStringLiteral("自由录入字体大小"), m_referenceFontBox);
    form->addRow(QStringLiteral("文本对打字体大小"), m_inputFontBox);
    return page;
}

QCheckBox *SettingsDialog::box(const QString &controlName) const
{
    for (QCheckBox *b : m_boxes)
        if (b->objectName() == controlName)
            return b;
    return nullptr;
}

void SettingsDialog::showStoredSettings()
{
    const CueFlags &cues = m_ctx.state.cues;
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(!(cues.*kCueBoxes[i].flag));
    m_inputFontBox->setEditText(sizeText(m_ctx.state.fonts.intIn));
    m_referenceFontBox->setEditText(sizeText(m_ctx.state.fonts.outIn));
    adjustSize();
    if (m_ctx.shell)
        m_ctx.shell->centreDialog(this);
}

// A size box must hold one of the listed sizes: anything else is refused,
// with the box focused and nothing stored.
bool SettingsDialog::sizesAreListed()
{
    for (QComboBox *box : {m_referenceFontBox, m_inputFontBox}) {
        if (FontSizeInBox(box->currentText()))
            continue;
        QMessageBox::information(
            this, windowTitle(),
            QStringLiteral("字体大小只能是%1到%2，请从列表中选择。").arg(kSmallestSize).arg(kLargestSize));
        box->setFocus();
        box->lineEdit()->selectAll();
        return false;
    }
    return true;
}

void SettingsDialog::saveSettings()
{
    if (!sizesAreListed())
        return;
    QList<SettingValue> stored;
    CueFlags &cues = m_ctx.state.cues;
    for (int i = 0; i < m_boxes.size(); ++i) {
        const bool off = m_boxes[i]->isChecked();
        stored.append({QStringLiteral("Sound"), QString::fromLatin1(kCueBoxes[i].value),
                       off ? QStringLiteral("0") : QStringLiteral("-1")});
        cues.*kCueBoxes[i].flag = !off;
    }
    const auto takeSize = [&stored](const QComboBox *box, const QString &name, int &size) {
        size = *FontSizeInBox(box->currentText());
        stored.append({QStringLiteral("Font"), name, QString::number(size)});
    };
    takeSize(m_referenceFontBox, QStringLiteral("out_in_fontsize"), m_ctx.state.fonts.outIn);
    takeSize(m_inputFontBox, QStringLiteral("int_in_fontsize"), m_ctx.state.fonts.intIn);
    m_ctx.settings.write(stored);
    if (m_ctx.shell) {
        for (ManagedWindow w : {ManagedWindow::FreeInputWindow, ManagedWindow::TextPracticeWindow})
            if (auto *panel = dynamic_cast<ExercisePanel *>(m_ctx.shell->window(w)))
                panel->applyFontSizes();
    }
    accept();
}

void SettingsDialog::cancel()
{
    reject();
}
