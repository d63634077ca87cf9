#pragma once
// The record viewer TypeRecord: every saved result of typerecord.dat in a
// grid, reordering the file by one of four keys, and deleting records by
// number, by user or all at once.
#include "shell/Shell.h"
#include "records/RecordOrder.h"

#include <QAbstractTableModel>
#include <QMessageBox>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
struct AppContext;

// The records as the grid shows them: ten columns, one row per record.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;

    using QAbstractTableModel::QAbstractTableModel;
    void setRecords(std::vector<TypingRecord> records);
    const std::vector<TypingRecord> &records() const { return m_records; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The grid text of one cell (column 0 = "记录号" ... 9 = "保存时间").
    QString cellText(int row, int column) const;
    // The cell of the column that takes the most room on screen.
    QString widestText(int column) const;

private:
    std::vector<TypingRecord> m_records;
};

class TypeRecord : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    explicit TypeRecord(AppContext &ctx, QWidget *parent = nullptr);
    ~TypeRecord() override;

    // Event handlers, public so they can be driven directly.
    void OpOrder_Click(int index);
    void Command2_Click(); // delete by record number
    void Command1_Click(); // delete by user
    void Command3_Click(); // delete every record
    void DataShow_DblClick(const QModelIndex &index);

    // Reads the record file into the grid (left unchanged when there is none).
    void fillGrid();

    QTableView *DataShow() const { return m_grid; }
    const RecordTableModel &model() const { return m_model; }
    QLineEdit *txtRecord() const { return m_txtRecord; }
    QLineEdit *txtName() const { return m_txtName; }
    QRadioButton *OpOrder(int index) const { return m_opOrder[index]; }
    // Why the file could not be read completely; empty when it could.
    QString readProblem() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The columns are measured in the font the grid shows, which the window
    // inherits only once it is docked.
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    // Sizes the columns to the records and shows the note for an empty file.
    void fitGridToRecords();
    QString programTitle() const;
    bool confirm(const QString &text);
    void tell(const QString &text, QMessageBox::Icon icon = QMessageBox::Information);
    // Reads every record for a rewrite; false (with a message) when the file
    // could not be read completely, so that a rewrite cannot lose records.
    bool readForRewrite(std::vector<TypingRecord> &records);
    bool rewrite(std::vector<TypingRecord> records);
    QString recordPath() const;

    AppContext &m_ctx;
    RecordTableModel m_model;
    QTableView *m_grid = nullptr;
    std::array<QRadioButton *, 4> m_opOrder{};
    QLineEdit *m_txtRecord = nullptr;
    QLineEdit *m_txtName = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QLabel *m_problem = nullptr;
    QLabel *m_emptyNote = nullptr;
};
