#include "practice/ui/ReferenceFileDialog.h"

#include "data/Paths.h"
#include "practice/PracticeState.h"
#include "practice/TextFile.h"

#include <QFileDialog>

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
    const bool line = state.shown(ManagedWindow::LineForm);
    const bool whole = state.shown(ManagedWindow::TextForm);
    if (!useWhen("text/Czh", state.chineseText && line))
        useWhen("text/ezh", !state.chineseText && line);
    if (!useWhen("text/Cwb", state.chineseText && whole))
        useWhen("text/ewb", !state.chineseText && whole);
    return folder;
}

QString ChooseReferenceFile(QWidget *parent, const QString &folder)
{
    QFileDialog dialog(parent, QStringLiteral("选择对照文本"), folder, QStringLiteral("*.txt"));
    dialog.setObjectName(QStringLiteral("ComDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
