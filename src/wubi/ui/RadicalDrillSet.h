#pragma once
// The radical drill's settings dialog ZGExSet (字根练习设置): edition, count
// or time limit, and the key range. Confirming with "设置" stores the
// settings and asks the drill window for a new drill; the close box starts
// nothing.
#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AppContext;
namespace wubi { struct RadicalDrillSettings; }

class RadicalDrillSet : public QDialog {
    Q_OBJECT
public:
    RadicalDrillSet(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent = nullptr);

    std::array<QRadioButton *, 2> op{};   // "86", "98"
    std::array<QRadioButton *, 2> opCh{}; // "定字数练习", "定时间练习"
    QLineEdit *txtSetN = nullptr;
    QLineEdit *txtSetT = nullptr;
    QComboBox *Combo1 = nullptr;
    std::array<QCheckBox *, 25> zgOP{}; // A .. Y
    QPushButton *cmdSet = nullptr;

    void opCh_Click(int index);
    void Combo1_Click();
    void cmdSet_Click();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppContext &m_ctx;
    wubi::RadicalDrillSettings &m_settings;
};
