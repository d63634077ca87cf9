#include "data/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QUORVEL_INSTALL_DATADIR
#define QUORVEL_INSTALL_DATADIR "/usr/share/quorvel"
#endif

namespace {
QString writableDir(QStandardPaths::StandardLocation location)
{
    const QString base = QStandardPaths::writableLocation(location);
    const QString dir = QDir(base).absoluteFilePath(QStringLiteral("quorvel"));
    QDir().mkpath(dir);
    return dir;
}
} // namespace

AppPaths ResolvePaths(const QString &dataDirOption, const QString &executableDir)
{
    AppPaths paths;
    if (!dataDirOption.isEmpty())
        paths.dataRoot = QDir::cleanPath(QDir(dataDirOption).absolutePath());
    else if (!executableDir.isEmpty() && QFileInfo(executableDir + QStringLiteral("/data")).isDir())
        paths.dataRoot = QDir(executableDir).absolutePath();
    else if (const QString installed = QDir::cleanPath(executableDir + QStringLiteral("/../share/quorvel"));
             !executableDir.isEmpty() && QFileInfo(installed + QStringLiteral("/data")).isDir())
        paths.dataRoot = installed; // installed under some prefix, perhaps staged in DESTDIR
    else
        paths.dataRoot = QStringLiteral(QUORVEL_INSTALL_DATADIR);
    // GenericConfigLocation/GenericDataLocation follow XDG_CONFIG_HOME and
    // XDG_DATA_HOME without adding the application's name.
    paths.configDir = writableDir(QStandardPaths::GenericConfigLocation);
    paths.userDataDir = writableDir(QStandardPaths::GenericDataLocation);
    return paths;
}

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool CreateEmptyFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}
