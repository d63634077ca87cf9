#pragma once
// The start dialog: an elliptic window with a picture asking for Enter. Enter
// starts the run and the clock; every other key is ignored.
#include <QDialog>

struct AppContext;

class StartDialog : public QDialog {
    Q_OBJECT
public:
    StartDialog(AppContext &ctx, QWidget *parent = nullptr);
    ~StartDialog() override;

    void Form_KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeBesideStatusWindow();
    AppContext &m_ctx;
};
