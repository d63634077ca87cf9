#include "practice/ui/ReferenceFileDialog.h"

#include "data/Paths.h"
#include "practice/PracticeState.h"
#include "practice/TextFile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QHeaderView>
#include <QTreeView>

namespace {
// Room for the four columns of the detail view: the name takes what is left,
// size, type and date are as wide as their texts.
void FitFileColumns(QFileDialog &dialog)
{
    dialog.resize(760, 480);
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}
} // namespace

QString InitialReferenceFolder(const AppPaths &paths, const PracticeState &state)
{
    QString folder = paths.dataRoot;
    auto useWhen = [&](const char *relative, bool wanted) {
        const QString candidate = paths.data(QString::fromLatin1(relative));
        if (wanted && FolderExists(candidate)) {
            folder = candidate;
            return true;
        }
        return false;
    };
    const bool line = state.shown(ManagedWindow::LinePracticeWindow);
    const bool whole = state.shown(ManagedWindow::TextPracticeWindow);
    if (!useWhen("text/Czh", state.chineseText && line))
        useWhen("text/ezh", !state.chineseText && line);
    if (!useWhen("text/Cwb", state.chineseText && whole))
        useWhen("text/ewb", !state.chineseText && whole);
    return folder;
}

QString ChooseReferenceFile(QWidget *parent, const QString &folder,
                            const std::function<QString(const QString &file)> &describe)
{
    QFileDialog dialog(parent, QStringLiteral("选择对照文本"), folder, QStringLiteral("*.txt"));
    dialog.setObjectName(QStringLiteral("ComDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.selectFile(QString());
    FitFileColumns(dialog);
    if (describe) {
        auto *grade = new QLabel(&dialog);
        grade->setObjectName(QStringLiteral("textGrade"));
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(grade, grid->rowCount(), 0, 1, grid->columnCount());
        QObject::connect(&dialog, &QFileDialog::currentChanged, grade, [grade, describe](const QString &path) {
            grade->setText(QFileInfo(path).isFile() ? describe(path) : QString());
        });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
