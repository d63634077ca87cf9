#include "records/ui/RecordViewer.h"

#include "shell/AppContext.h"
#include "data/Paths.h"
#include "data/FileAccess.h"
#include "practice/PracticeState.h"
#include "records/Csv.h"
#include "shell/ProgressLog.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr int kWidth = 710, kHeight = 445;
constexpr int kMargin = 8;

const std::array<QString, RecordTableModel::kColumns> &Headers()
{
    static const std::array<QString, RecordTableModel::kColumns> headers{
        QStringLiteral("记录号"), QStringLiteral("姓名"), QStringLiteral("打字速度（字/分）"),
        QStringLiteral("文字字数/字母字数"), QStringLiteral("标点数"), QStringLiteral("总字数(包括空格)"),
        QStringLiteral("正确率"), QStringLiteral("所用时间"), QStringLiteral("打字类型"), QStringLiteral("保存时间")};
    return headers;
}

// The grid's font: smaller than the window's, so that the name, the exercise
// and the save time fit whole beside the figures.
constexpr int kGridPointSize = 9;
constexpr int kSmallestGridPointSize = 8;
constexpr int kCellPadding = 8;
constexpr int kMostHeaderLines = 3;

// The narrowest width at which `text` wraps into at most `lines` lines.
int WrappedWidth(const QFontMetrics &fm, const QString &text, int lines)
{
    int low = 1, high = fm.horizontalAdvance(text) + 1;
    while (low < high) {
        const int mid = (low + high) / 2;
        const QRect box = fm.boundingRect(QRect(0, 0, mid, 10000), Qt::TextWordWrap, text);
        if (box.height() <= lines * fm.lineSpacing() && box.width() <= mid)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

// Text that reads as a number, spaces around it allowed.
bool ReadNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

} // namespace

void RecordTableModel::setRecordBytes(QByteArray recordBytes)
{
    beginResetModel();
    m_records = std::move(recordBytes);
    m_widest.fill(std::nullopt);
    endResetModel();
}

int RecordTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size() / kRecordDataSize);
}

int RecordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString RecordTableModel::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return QString();
    return RecordCellText(record(row), static_cast<RecordColumn>(column));
}

QString RecordTableModel::widestText(int column) const
{
    std::optional<QString> &widest = m_widest[size_t(column)];
    if (!widest)
        widest = measureWidest(column);
    return *widest;
}

QString RecordTableModel::measureWidest(int column) const
{
    const auto field = static_cast<RecordColumn>(column);
    const int rows = rowCount();
    if (!IsTextColumn(field)) {
        // The number with the most characters (a minus sign counts).
        int widestRow = -1, widestLength = -1;
        for (int row = 0; row < rows; ++row) {
            const qint64 value = RecordNumberField(record(row), field);
            int length = value < 0 ? 2 : 1;
            for (qint64 rest = value < 0 ? -value : value; rest >= 10; rest /= 10)
                ++length;
            if (length > widestLength) {
                widestRow = row;
                widestLength = length;
            }
        }
        return cellText(widestRow, column);
    }
    // Stored texts are padded with spaces to their field's size, and a space
    // is narrower than a letter or a figure: the text without its padding
    // decides, the padding only breaks ties. A GBK byte is one character
    // cell on screen: a Chinese character takes two bytes and two cells.
    int widestRow = -1;
    std::pair<qsizetype, qsizetype> widestUnits{-1, -1};
    for (int row = 0; row < rows; ++row) {
        const QByteArrayView bytes = RecordTextBytes(record(row), field);
        const QByteArrayView shown = field == RecordColumn::Name ? bytes.trimmed() : bytes;
        const std::pair<qsizetype, qsizetype> units{bytes.trimmed().size(), shown.size()};
        if (units > widestUnits) {
            widestRow = row;
            widestUnits = units;
        }
    }
    return cellText(widestRow, column);
}

QVariant RecordTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return QVariant();
    return cellText(index.row(), index.column());
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumns)
        return Headers()[size_t(section)];
    return QString(); // the fixed first column carries no text
}

RecordViewer::RecordViewer(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("TypeRecord"));
    setWindowTitle(QStringLiteral("记录查看"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildLayout();
    fitGridToRecords();

    // On load:
    fillGrid();
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RecordViewer);
}

RecordViewer::~RecordViewer()
{
    // The records go now, and the memory they took goes back to the system:
    // the allocator would otherwise keep a block of this size for itself.
    disconnect(&m_model, nullptr, this, nullptr);
    m_model.setRecordBytes(QByteArray());
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void RecordViewer::buildLayout()
{
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DataShow"));
    m_grid->setModel(&m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    // Fixed row heights keep a grid of 100 000 rows quick.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->verticalHeader()->setFixedWidth(14);
    // One face for Latin and Chinese, so that measured widths are drawn widths.
    QFont gridFont = m_grid->font();
    gridFont.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    gridFont.setPointSize(kGridPointSize);
    m_grid->setFont(gridFont);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Long headers over short figures wrap instead of widening their column.
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    m_grid->horizontalHeader()->setTextElideMode(Qt::ElideNone);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &QTableView::doubleClicked, this, &RecordViewer::pickRecord);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &RecordViewer::fitGridToRecords);

    m_emptyNote = new QLabel(QStringLiteral("还没有保存的成绩。\n练习结束后，在统计报告里按“保存记录”即可保存。"), this);
    m_emptyNote->setObjectName(QStringLiteral("lblEmpty"));
    m_emptyNote->setAlignment(Qt::AlignCenter);
    m_emptyNote->setFrameShape(QFrame::StyledPanel);
    m_emptyNote->setAutoFillBackground(true);
    m_emptyNote->setBackgroundRole(QPalette::Base);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    m_problem->hide();

    auto *frame1 = new QGroupBox(QStringLiteral("记录排序"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *orderLayout = new QGridLayout(frame1);
    const std::array<QString, 4> orderCaptions{QStringLiteral("按用户名"), QStringLiteral("按打字速度"),
                                               QStringLiteral("按保存时间"), QStringLiteral("按记录号")};
    for (int i = 0; i < 4; ++i) {
        m_sortButtons[i] = new QRadioButton(orderCaptions[i], frame1);
        m_sortButtons[i]->setObjectName(QStringLiteral("OpOrder(%1)").arg(i));
        orderLayout->addWidget(m_sortButtons[i], i / 2, i % 2);
        connect(m_sortButtons[i], &QRadioButton::clicked, this, [this, i] { sortBy(i); });
    }

    auto *label5 = new QLabel(QStringLiteral("记录删除"), this);
    label5->setObjectName(QStringLiteral("Label5"));
    QFont bold = label5->font();
    bold.setBold(true);
    label5->setFont(bold);

    m_numberBox = new QLineEdit(this);
    m_numberBox->setObjectName(QStringLiteral("txtRecord"));
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(QStringLiteral("txtName"));
    for (QLineEdit *box : {m_numberBox, m_nameBox})
        box->installEventFilter(this);
    m_deleteByNumberButton = new QPushButton(QStringLiteral("删除"), this);
    m_deleteByNumberButton->setObjectName(QStringLiteral("Command2"));
    m_deleteByNameButton = new QPushButton(QStringLiteral("删除"), this);
    m_deleteByNameButton->setObjectName(QStringLiteral("Command1"));
    m_deleteAllButton = new QPushButton(QStringLiteral("删除所有记录"), this);
    m_deleteAllButton->setObjectName(QStringLiteral("Command3"));
    connect(m_deleteByNumberButton, &QPushButton::clicked, this, &RecordViewer::deleteByNumber);
    connect(m_deleteByNameButton, &QPushButton::clicked, this, &RecordViewer::deleteByName);
    connect(m_deleteAllButton, &QPushButton::clicked, this, &RecordViewer::deleteAll);
    m_exportButton = new QPushButton(QStringLiteral("导出…"), this);
    m_exportButton->setObjectName(QStringLiteral("cmdExport"));
    connect(m_exportButton, &QPushButton::clicked, this, &RecordViewer::exportRecords);

    auto *deletion = new QGridLayout;
    deletion->addWidget(label5, 0, 0, 1, 4);
    deletion->addWidget(new QLabel(QStringLiteral("按记录号"), this), 1, 0);
    deletion->addWidget(new QLabel(QStringLiteral("输入想删除记录的记录号"), this), 1, 1);
    deletion->addWidget(m_numberBox, 1, 2);
    deletion->addWidget(m_deleteByNumberButton, 1, 3);
    deletion->addWidget(new QLabel(QStringLiteral("按用用户名"), this), 2, 0);
    deletion->addWidget(new QLabel(QStringLiteral("输入想删除用户的名字"), this), 2, 1);
    deletion->addWidget(m_nameBox, 2, 2);
    deletion->addWidget(m_deleteByNameButton, 2, 3);
    deletion->addWidget(m_exportButton, 3, 2);
    deletion->addWidget(m_deleteAllButton, 3, 3);

    auto *controls = new QHBoxLayout;
    controls->addWidget(frame1);
    controls->addSpacing(16);
    controls->addLayout(deletion, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_emptyNote, 1);
    layout->addWidget(m_problem);
    layout->addLayout(controls);
}

void RecordViewer::fitGridToRecords()
{
    const bool empty = m_model.rowCount() == 0;
    m_grid->setVisible(!empty);
    m_emptyNote->setVisible(empty);

    std::array<QString, RecordTableModel::kColumns> widest, headers;
    for (int c = 0; c < RecordTableModel::kColumns; ++c) {
        widest[size_t(c)] = m_model.widestText(c); // as shown, stored padding included
        headers[size_t(c)] = m_model.headerData(c, Qt::Horizontal).toString();
    }
    const int room = width() - 2 * kMargin - m_grid->verticalHeader()->width() - 2 * m_grid->frameWidth()
        - m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    // Each column as wide as its widest cell. The headers wrap into as few
    // lines, at the largest font, as let all ten columns fit the viewer.
    QFont font = m_grid->font();
    std::array<int, RecordTableModel::kColumns> widths{};
    int lines = 1;
    auto fits = [&] {
        const QFontMetrics fm(font);
        int total = 0;
        for (size_t c = 0; c < widths.size(); ++c) {
            widths[c] = std::max(fm.horizontalAdvance(widest[c]), WrappedWidth(fm, headers[c], lines)) + kCellPadding;
            total += widths[c];
        }
        return total <= room;
    };
    [&] {
        for (int size = kGridPointSize; size >= kSmallestGridPointSize; --size) {
            font.setPointSize(size);
            for (lines = 1; lines <= kMostHeaderLines; ++lines)
                if (fits())
                    return;
        }
        // Still too wide: the texts keep their room and the figures' headers
        // share what is left.
        lines = kMostHeaderLines;
        fits();
        const QFontMetrics fm(font);
        int left = room;
        for (size_t c = 0; c < widths.size(); ++c)
            left -= fm.horizontalAdvance(widest[c]) + kCellPadding;
        for (size_t c = 0; c < widths.size(); ++c) {
            const int content = fm.horizontalAdvance(widest[c]) + kCellPadding;
            const int extra = std::clamp(widths[c] - content, 0, std::max(0, left));
            widths[c] = content + extra;
            left -= extra;
        }
    }();
    m_grid->setFont(font);
    m_grid->horizontalHeader()->setFont(font);
    for (int c = 0; c < RecordTableModel::kColumns; ++c)
        m_grid->setColumnWidth(c, widths[size_t(c)]);
    // Room for the most lines always, so the rows stay where they are.
    m_grid->horizontalHeader()->setFixedHeight(kMostHeaderLines * QFontMetrics(font).lineSpacing() + 8);
}

void RecordViewer::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitGridToRecords();
}

void RecordViewer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitGridToRecords();
}

bool RecordViewer::eventFilter(QObject *watched, QEvent *event)
{
    // A name or number box that gains the focus has its whole text selected.
    if (event->type() == QEvent::FocusIn && (watched == m_nameBox || watched == m_numberBox))
        QTimer::singleShot(0, static_cast<QLineEdit *>(watched), &QLineEdit::selectAll);
    return QWidget::eventFilter(watched, event);
}

QString RecordViewer::recordPath() const
{
    return m_ctx.paths.recordFile();
}

QString RecordViewer::programTitle() const
{
    return m_ctx.shell && m_ctx.shell->mainWindow() ? m_ctx.shell->mainWindow()->windowTitle()
                                                    : QStringLiteral("QuorvelV1.41");
}

bool RecordViewer::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("删除确认"), text, QMessageBox::Yes | QMessageBox::No,
                    this);
    // Deleting cannot be undone: Enter answers No.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void RecordViewer::tell(const QString &text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, programTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

QString RecordViewer::readProblem() const
{
    return m_problem->isHidden() ? QString() : m_problem->text();
}

void RecordViewer::fillGrid()
{
    if (!FileExists(recordPath()))
        return;
    RecordBytesResult read = ReadRecordBytes(recordPath());
    showRecordBytes(std::move(read.bytes), read.error);
}

void RecordViewer::showRecordBytes(QByteArray recordBytes, const QString &problem)
{
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_model.setRecordBytes(std::move(recordBytes));
}

bool RecordViewer::rewrite(const RecordChange &change, bool onlyAsShown)
{
    RewriteResult result = RewriteRecords(recordPath(), change, onlyAsShown ? &m_model.recordBytes() : nullptr);
    if (!result.error.isEmpty()) {
        tell(result.error + QStringLiteral("\n记录文件没有改动。"), QMessageBox::Warning);
        return false;
    }
    showRecordBytes(std::move(result.bytes), QString());
    if (result.stale)
        tell(QStringLiteral("记录文件刚被另一个程序窗口改动过，列表已重新读出。\n请看过新的列表后再删除。"));
    return result.changed;
}

void RecordViewer::sortBy(int index)
{
    if (!FileExists(recordPath()) || CountRecordsInFile(recordPath()) < 1)
        return;
    // Ordering what the file holds now keeps every record, whatever the grid showed.
    rewrite([index](std::vector<TypingRecord> &records) {
        OrderRecords(records, static_cast<RecordKey>(index));
        return true;
    }, false);
}

void RecordViewer::deleteByNumber()
{
    if (!FileExists(recordPath()))
        return;
    double number = 0;
    if (!ReadNumber(m_numberBox->text(), &number)) {
        tell(QStringLiteral("请先输入正确的记录号"));
        m_numberBox->setFocus();
        m_numberBox->selectAll();
        return;
    }
    if (!confirm(QStringLiteral("确实要删除记录号为 ") + m_numberBox->text() + QStringLiteral(" 的记录吗？")))
        return;
    bool found = true;
    rewrite([&](std::vector<TypingRecord> &records) { return found = RemoveRecordsWithNumber(records, number); },
            true);
    if (!found)
        tell(QStringLiteral("无此记录号的记录"));
}

void RecordViewer::deleteByName()
{
    if (!FileExists(recordPath()))
        return;
    // A name of spaces only would match every record: it is no name.
    if (m_nameBox->text().trimmed().isEmpty()) {
        tell(QStringLiteral("请先输入正确的用户名"));
        m_nameBox->setFocus();
        return;
    }
    if (!confirm(QStringLiteral("确实要删除 ") + m_nameBox->text() + QStringLiteral(" 的所有记录吗？")))
        return;
    bool found = true;
    const QString user = m_nameBox->text();
    rewrite([&](std::vector<TypingRecord> &records) { return found = RemoveRecordsOfUser(records, user); }, true);
    if (!found)
        tell(QStringLiteral("无此用户的记录"));
}

void RecordViewer::deleteAll()
{
    if (!confirm(QStringLiteral("确实要删除所有记录吗？")))
        return;
    rewrite([](std::vector<TypingRecord> &records) {
        records.clear();
        return true;
    }, FileExists(recordPath()));
}

void RecordViewer::pickRecord(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString text = m_model.cellText(index.row(), index.column());
    if (index.column() == 0)
        m_numberBox->setText(text);
    else if (index.column() == 1)
        m_nameBox->setText(text);
}

QString RecordViewer::runSummaryPath(const QString &recordsPath)
{
    const QFileInfo info(recordsPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-练习汇总.csv"));
}

void RecordViewer::exportRecords()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出记录"),
                                                      QDir::home().filePath(QStringLiteral("打字记录.csv")),
                                                      QStringLiteral("CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    const QString error = exportTo(path);
    if (error.isEmpty())
        tell(QStringLiteral("记录已导出到：\n%1\n%2").arg(QDir::toNativeSeparators(path),
                                                        QDir::toNativeSeparators(runSummaryPath(path))));
    else
        tell(QStringLiteral("导出失败：") + error, QMessageBox::Warning);
}

QString RecordViewer::exportTo(const QString &path)
{
    QVector<QStringList> rows;
    rows.append(QStringList(Headers().begin(), Headers().end()));
    for (int row = 0; row < m_model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < RecordTableModel::kColumns; ++column)
            cells.append(m_model.cellText(row, column).trimmed());
        rows.append(cells);
    }
    const QString error = WriteFileAtomically(path, CsvDocument(rows));
    if (!error.isEmpty() || !m_ctx.progressLog)
        return error;
    return WriteFileAtomically(runSummaryPath(path), CsvDocument(RunSummaryRows(m_ctx.progressLog->runSummaries())));
}
