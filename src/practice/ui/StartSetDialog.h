#pragma once
// The start-settings dialog frmStartSet: practice by number of characters,
// by time, or without limit. The caller reads state.startSetCancelled.
#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;
struct AppContext;

// Reads the limit box of a settings dialog: a number from 1 to 30000, rounded
// half to even. On an empty, non-numeric or out-of-range entry tells the
// learner, gives the box the focus (its text selected) and returns false.
bool ReadLimitBox(const AppContext &ctx, QWidget *dialog, QLineEdit *box, int &value);

class StartSetDialog : public QDialog {
    Q_OBJECT
public:
    StartSetDialog(AppContext &ctx, QWidget *parent = nullptr);

    void op_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();
    // Escape and the window's close button cancel like cmdCancel.
    void reject() override;

    std::array<QRadioButton *, 3> op{};
    QLineEdit *txtSetN = nullptr;
    QLineEdit *txtSetT = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void finish(bool timeLimited, bool unlimited);

    AppContext &m_ctx;
};
