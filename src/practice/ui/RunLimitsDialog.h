#pragma once
// The start-settings dialog RunLimitsDialog: practice by number of characters,
// by time, or without limit. The caller reads state.runLimitsCancelled.
#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;
struct AppContext;

class RunLimitsDialog : public QDialog {
    Q_OBJECT
public:
    RunLimitsDialog(AppContext &ctx, QWidget *parent = nullptr);

    void chooseLimitKind(int index);
    void confirmLimits();
    void cancel();
    // Escape and the window's close button cancel like the Cancel button.
    void reject() override;

    std::array<QRadioButton *, 3> limitKindButtons{};
    QLineEdit *countLimitBox = nullptr;
    QLineEdit *timeLimitBox = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void finish(bool timeLimited, bool unlimited);

    AppContext &m_ctx;
};
