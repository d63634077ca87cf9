#include "progress/ui/ProgressCharts.h"

#include "data/ProgramModule.h"

#include <QFileInfo>
#include <QHash>

namespace {
const QString kModuleName = QStringLiteral("quorvel-charts.so");
} // namespace

QStringList progress_charts::modulePaths()
{
    return program_module::Candidates(kModuleName);
}

ProgressChartFactory *progress_charts::load(const QString &path, QString *error)
{
    const QString file = path.isEmpty() ? program_module::Locate(kModuleName) : path;
    if (path.isEmpty() && !QFileInfo::exists(file)) {
        *error = QStringLiteral("找不到 %1").arg(modulePaths().join(QStringLiteral("、")));
        return nullptr;
    }
    // Loaded once: the library is never unloaded, the factory lives as long.
    static QHash<QString, ProgressChartFactory *> loaded;
    if (ProgressChartFactory *factory = loaded.value(file))
        return factory;
    using EntryPoint = ProgressChartFactory *(*)();
    const auto entry = reinterpret_cast<EntryPoint>(program_module::Resolve(file, kChartsEntryPoint, error));
    if (!entry)
        return nullptr;
    ProgressChartFactory *factory = entry();
    loaded.insert(file, factory);
    return factory;
}
