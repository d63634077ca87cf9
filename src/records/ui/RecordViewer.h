#pragma once
// The record viewer RecordViewer: every saved result of typerecord.dat in a
// grid, reordering the file by one of four keys, and deleting records by
// number, by user or all at once.
#include "shell/Shell.h"
#include "records/RecordOrder.h"

#include <QAbstractTableModel>
#include <QMessageBox>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
struct AppContext;

// The records as the grid shows them: ten columns, one row per record. It
// keeps the records' data as stored (96 bytes a record) and makes a cell's
// text only when the cell is asked for.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = kRecordColumns;

    using QAbstractTableModel::QAbstractTableModel;
    // The records' data, as ReadRecordBytes gives them.
    void setRecordBytes(QByteArray recordBytes);
    const QByteArray &recordBytes() const { return m_records; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The grid text of one cell (column 0 = "记录号" ... 9 = "保存时间").
    QString cellText(int row, int column) const;
    // The cell of the column that takes the most room on screen, found from
    // the stored bytes: only that one cell's text is made.
    QString widestText(int column) const;

private:
    const char *record(int row) const { return m_records.constData() + qsizetype(row) * kRecordDataSize; }

    QString measureWidest(int column) const;

    QByteArray m_records;
    mutable std::array<std::optional<QString>, kColumns> m_widest; // per column, until the next reset
};

class RecordViewer : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    explicit RecordViewer(AppContext &ctx, QWidget *parent = nullptr);
    ~RecordViewer() override;

    // Event handlers, public so they can be driven directly.
    void sortBy(int index);
    void deleteByNumber(); // delete by record number
    void deleteByName(); // delete by user
    void deleteAll(); // delete every record
    void pickRecord(const QModelIndex &index);
    void exportRecords(); // asks for a file name, then exportTo()

    // Writes the records as shown to `path` and the run summaries beside it
    // (runSummaryPath), as CSV. Returns the error, empty on success.
    QString exportTo(const QString &path);
    static QString runSummaryPath(const QString &recordsPath);

    // Reads the record file into the grid (left unchanged when there is none).
    void fillGrid();

    QTableView *grid() const { return m_grid; }
    const RecordTableModel &model() const { return m_model; }
    QLineEdit *numberBox() const { return m_numberBox; }
    QLineEdit *nameBox() const { return m_nameBox; }
    QPushButton *exportButton() const { return m_exportButton; }
    QRadioButton *sortButton(int index) const { return m_sortButtons[index]; }
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
    // Makes the change under the record file's lock on what the file holds
    // now. A deletion (`onlyAsShown`) is made only while the file still holds
    // what the grid shows; otherwise the grid is refreshed and the learner
    // told. Returns whether the file was changed.
    bool rewrite(const RecordChange &change, bool onlyAsShown);
    void showRecordBytes(QByteArray recordBytes, const QString &problem);
    QString recordPath() const;

    AppContext &m_ctx;
    RecordTableModel m_model;
    QTableView *m_grid = nullptr;
    std::array<QRadioButton *, 4> m_sortButtons{};
    QLineEdit *m_numberBox = nullptr;
    QLineEdit *m_nameBox = nullptr;
    QPushButton *m_deleteByNameButton = nullptr;
    QPushButton *m_deleteByNumberButton = nullptr;
    QPushButton *m_deleteAllButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QLabel *m_problem = nullptr;
    QLabel *m_emptyNote = nullptr;
};
