#pragma once
// The code lookup window txtSearch ("五笔打法查找"): the Wubi code of the
// character or phrase typed into it, for the chosen edition; and below, the
// characters and words of a pinyin spelling with their codes.
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
struct AppContext;

class CodeLookup : public QDialog {
    Q_OBJECT
public:
    explicit CodeLookup(AppContext &ctx, QWidget *parent = nullptr);
    ~CodeLookup() override;

    std::array<QRadioButton *, 2> kindButtons{};  // 字, 词
    std::array<QRadioButton *, 2> editionButtons{}; // 86, 98
    QLineEdit *input = nullptr;
    QLabel *echoLabel = nullptr;
    QLabel *codeLabel = nullptr;
    // Pinyin with or without tones ("zhong1", "zhōng", "zhong guo"): the
    // characters or words read so, with both editions' codes.
    QLineEdit *pinyinInput = nullptr;
    QListWidget *pinyinMatches = nullptr;

    void chooseLookupKind(int index);
    void chooseEdition(int index);
    void lookUp();
    void lookUpPinyin();

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
