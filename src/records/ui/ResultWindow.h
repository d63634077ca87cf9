#pragma once
// The result window ResultWindow: the six rows of a practice report, the
// learner's name, and saving, browsing and closing.
#include "shell/PracticeReport.h"

#include <QDialog>
#include <QMessageBox>

struct AppContext;

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class ResultWindow : public QDialog {
    Q_OBJECT
public:
    ResultWindow(AppContext &ctx, const PracticeReport &report, QWidget *parent = nullptr);
    ~ResultWindow() override;

    void saveResult();
    void browseRecords();
    void closeResult();

    bool saved() const { return m_saved; }
    QLineEdit *nameBox() const { return m_nameBox; }
    QLabel *figureLabel(int index) const { return m_figureLabels[index]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout(const PracticeReport &report);
    void addTypingRows(QGridLayout *rows, const PracticeReport &report);
    QString recordFileError(const QString &reason);
    QMessageBox::StandardButton ask(const QString &title, const QString &text,
                                    QMessageBox::StandardButton preselected);
    void tell(QMessageBox::Icon icon, const QString &title, const QString &text);
    void openRecordViewer();

    AppContext &m_ctx;
    const PracticeReport m_report;
    bool m_saved = false;
    std::array<QLabel *, 6> m_captionLabels{};
    std::array<QLabel *, 6> m_figureLabels{};
    QLineEdit *m_nameBox = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_browseButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};
