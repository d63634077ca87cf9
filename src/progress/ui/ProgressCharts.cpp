#include "progress/ui/ProgressCharts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <algorithm>

namespace {
const QString kModuleName = QStringLiteral("quorvel-charts.so");
} // namespace

QStringList progress_charts::modulePaths()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    return {dir.filePath(kModuleName), QDir::cleanPath(dir.filePath(QStringLiteral(QUORVEL_CHARTS_MODULE_DIR "/") + kModuleName))};
}

ProgressChartFactory *progress_charts::load(const QString &path, QString *error)
{
    QString file = path;
    if (file.isEmpty()) {
        const QStringList candidates = modulePaths();
        const auto found = std::find_if(candidates.begin(), candidates.end(), [](const QString &p) { return QFileInfo::exists(p); });
        if (found == candidates.end()) {
            *error = QStringLiteral("找不到 %1").arg(candidates.join(QStringLiteral("、")));
            return nullptr;
        }
        file = *found;
    }
    // Loaded once: the library is never unloaded, the factory lives as long.
    static QHash<QString, ProgressChartFactory *> loaded;
    if (ProgressChartFactory *factory = loaded.value(file))
        return factory;
    QLibrary library(file);
    using EntryPoint = ProgressChartFactory *(*)();
    const auto entry = reinterpret_cast<EntryPoint>(library.resolve(kChartsEntryPoint));
    if (!entry) {
        *error = library.errorString();
        return nullptr;
    }
    ProgressChartFactory *factory = entry();
    loaded.insert(file, factory);
    return factory;
}
