#pragma once
// The start dialog: an elliptic window with a picture asking for Enter. Enter
// starts the run and the clock; every other key is ignored. Where the window
// system does not let the program place it (Wayland), the dialog is a part of
// the main window over the practice area instead of a window of its own.
#include <QDialog>
#include <QPointer>

struct AppContext;

class StartDialog : public QDialog {
    Q_OBJECT
public:
    StartDialog(AppContext &ctx, QWidget *parent = nullptr);
    ~StartDialog() override;

    // `key` is a Qt::Key; Return and Enter start the run, any other is ignored.
    void startOnEnter(int key);
    // The dialog's press for assistive technology: the same as Enter.
    Q_INVOKABLE void click() { startOnEnter(Qt::Key_Return); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void placeBesideStatusWindow();
    AppContext &m_ctx;
    QPointer<QWidget> m_shield; // keeps the pointer off the main window meanwhile
};
