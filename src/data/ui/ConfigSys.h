#pragma once
// ConfigSys "系统设置": the seven cue switches (a ticked box means no cue) and
// the font sizes of the free-input and text-comparison windows.
#include <QDialog>
#include <optional>

struct AppContext;
class QCheckBox;
class QComboBox;

class ConfigSys : public QDialog {
    Q_OBJECT
public:
    ConfigSys(AppContext &ctx, QWidget *parent);

    QCheckBox *box(const QString &controlName) const; // "C_NK_SoundD", ...
    QComboBox *cobZY() const { return m_cobZY; }
    QComboBox *cobZH() const { return m_cobZH; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    bool sizesAreListed();
    void Form_Load();
    QWidget *buildSoundTab();
    QWidget *buildTextTab();

    AppContext &m_ctx;
    QList<QCheckBox *> m_boxes; // in the order of the store's cue values
    QComboBox *m_cobZY = nullptr;
    QComboBox *m_cobZH = nullptr;
};

// The size a font box stands for: its number when it is one of the offered
// sizes 10..19, nothing otherwise.
std::optional<int> FontSizeInBox(const QString &text);
