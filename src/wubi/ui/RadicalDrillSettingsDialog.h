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

class RadicalDrillSettingsDialog : public QDialog {
    Q_OBJECT
public:
    RadicalDrillSettingsDialog(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent = nullptr);

    std::array<QRadioButton *, 2> editionButtons{};   // "86", "98"
    std::array<QRadioButton *, 2> limitKindButtons{}; // "定字数练习", "定时间练习"
    QLineEdit *countLimitBox = nullptr;
    QLineEdit *timeLimitBox = nullptr;
    QComboBox *keyRangeBox = nullptr;
    std::array<QCheckBox *, 25> keyBoxes{}; // A .. Y
    QPushButton *applyButton = nullptr;

    void chooseLimitKind(int index);
    void chooseKeyRange();
    void applySettings();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppContext &m_ctx;
    wubi::RadicalDrillSettings &m_settings;
};
