#pragma once
// The result window CountMessage: the six rows of a practice report, the
// learner's name, and saving, browsing and closing.
#include "shell/PracticeReport.h"

#include <QDialog>
#include <QMessageBox>

struct AppContext;

class QLabel;
class QLineEdit;
class QPushButton;

class CountMessageWindow : public QDialog {
    Q_OBJECT
public:
    CountMessageWindow(AppContext &ctx, const PracticeReport &report, QWidget *parent = nullptr);
    ~CountMessageWindow() override;

    void comSave_Click();
    void comBrowse_Click();
    void comClose_Click();

    bool saved() const { return m_saved; }
    QLineEdit *txtName() const { return m_txtName; }
    QLabel *lblMessage(int index) const { return m_lblMessage[index]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout(const PracticeReport &report);
    QString recordFileError(const QString &reason);
    QMessageBox::StandardButton ask(const QString &title, const QString &text,
                                    QMessageBox::StandardButton preselected);
    void tell(QMessageBox::Icon icon, const QString &title, const QString &text);
    void openRecordViewer();

    AppContext &m_ctx;
    const PracticeReport m_report;
    bool m_saved = false;
    std::array<QLabel *, 6> m_lblCaption{};
    std::array<QLabel *, 6> m_lblMessage{};
    QLineEdit *m_txtName = nullptr;
    QPushButton *m_comSave = nullptr;
    QPushButton *m_comBrowse = nullptr;
    QPushButton *m_comClose = nullptr;
};
