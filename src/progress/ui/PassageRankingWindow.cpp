#include "progress/ui/PassageRankingWindow.h"

#include "progress/ProgressStore.h"
#include "shell/ui/SongFont.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QVBoxLayout>

PassageRankingWindow::PassageRankingWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PassageRankingWindow"));
    setWindowTitle(QStringLiteral("赛文成绩"));
    setFont(SongFont(10.5));
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblHeading"));
    m_heading->setWordWrap(true);
    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("tries"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("名次"), QStringLiteral("时间"), QStringLiteral("速度（字/分）"),
                                        QStringLiteral("正确率"), QStringLiteral("字数"), QStringLiteral("成绩")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_table, 1);
    resize(520, 320);
}

QString TryHeading(const QVector<PassageTry> &tries, qint64 latest)
{
    const int rank = RankOf(tries, latest);
    if (rank == 0)
        return tries.isEmpty() ? QStringLiteral("还没有打过这篇赛文。") : QStringLiteral("共打过 %1 次。").arg(tries.size());
    const PassageTry &t = tries[rank - 1];
    const QString kind = t.record ? QStringLiteral("今天的记录成绩") : QStringLiteral("练习成绩（今天的记录成绩已经打过）");
    return QStringLiteral("这次是%1：%2 字/分，正确率 %3%，在你的 %4 次成绩中排第 %5。")
        .arg(kind, QString::number(t.speed, 'f', 0), QString::number(t.accuracy, 'f', 2))
        .arg(tries.size())
        .arg(rank);
}

void PassageRankingWindow::showTries(const QString &title, const QVector<PassageTry> &tries, qint64 latest)
{
    setWindowTitle(QStringLiteral("赛文成绩——%1").arg(title));
    m_heading->setText(TryHeading(tries, latest));
    m_table->setRowCount(int(tries.size()));
    for (int row = 0; row < tries.size(); ++row) {
        const PassageTry &t = tries[row];
        const QStringList cells{QString::number(row + 1), t.at.toString(QStringLiteral("yyyy-MM-dd hh:mm")),
                                QString::number(t.speed, 'f', 0), QString::number(t.accuracy, 'f', 2) + QLatin1Char('%'),
                                QString::number(t.characters), t.record ? QStringLiteral("记录") : QStringLiteral("练习")};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(row, column, item);
        }
        if (t.id == latest)
            m_table->selectRow(row);
    }
}

void ShowPassageRanking(QWidget *parent, const ProgressStore &store, const QString &learner, const QString &title,
                        const QString &key, qint64 latest)
{
    static QPointer<PassageRankingWindow> window;
    if (!window || window->parentWidget() != parent) {
        delete window.data();
        window = new PassageRankingWindow(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showTries(title, store.passageTries(learner, key), latest);
    window->show();
    window->raise();
}
