#pragma once
// SettingsDialog "系统设置": the seven cue switches (a ticked box means no cue) and
// the font sizes of the free-input and text-comparison windows.
#include <QDialog>
#include <optional>

struct AppContext;
class QCheckBox;
class QComboBox;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(AppContext &ctx, QWidget *parent);

    QCheckBox *box(const QString &controlName) const; // "C_NK_SoundD", ...
    QComboBox *referenceFontBox() const { return m_referenceFontBox; }
    QComboBox *inputFontBox() const { return m_inputFontBox; }

public slots:
    void saveSettings();
    void cancel();

private:
    bool sizesAreListed();
    void showStoredSettings();
    QWidget *buildSoundTab();
    QWidget *buildTextTab();

    AppContext &m_ctx;
    QList<QCheckBox *> m_boxes; // in the order of the store's cue values
    QComboBox *m_referenceFontBox = nullptr;
    QComboBox *m_inputFontBox = nullptr;
};

// The size a font box stands for: its number when it is one of the offered
// sizes 10..19, nothing otherwise.
std::optional<int> FontSizeInBox(const QString &text);
