#pragma once
// The start-settings dialog frmStartSet: practice by number of characters,
// by time, or without limit. The caller reads state.startSetCancelled.
#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;
struct AppContext;

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

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void finish(bool timeLimited, bool unlimited);

    AppContext &m_ctx;
};
