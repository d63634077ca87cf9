#pragma once
// The code lookup window txtSearch ("五笔打法查找"): the Wubi code of the
// character or phrase typed into it, for the chosen edition.
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;
struct AppContext;

class CodeLookup : public QDialog {
    Q_OBJECT
public:
    explicit CodeLookup(AppContext &ctx, QWidget *parent = nullptr);
    ~CodeLookup() override;

    std::array<QRadioButton *, 2> OpZ{};  // 字, 词
    std::array<QRadioButton *, 2> OpZg{}; // 86, 98
    QLineEdit *txtIn = nullptr;
    QLabel *lblZ = nullptr;
    QLabel *lblZm = nullptr;

    void OpZ_Click(int index);
    void OpZg_Click(int index);
    void txtIn_Change();

    bool edition86Chosen() const { return m_edition86; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setCharacterLayout(bool characterMode);

    AppContext &m_ctx;
    bool m_edition86 = true;
    bool m_characterMode = true;
};

// Shows txtSearch modally.
void ShowCodeLookup(AppContext &ctx);
