#include "data/ProgramModule.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifndef QUORVEL_MODULE_DIR
#define QUORVEL_MODULE_DIR "lib/quorvel"
#endif
#ifndef QUORVEL_INSTALL_PREFIX
#define QUORVEL_INSTALL_PREFIX "/usr"
#endif

QStringList program_module::Candidates(const QString &fileName)
{
    QStringList candidates;
    // The executable's own folder, whether or not an application object exists.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty()) {
        const QDir dir = QFileInfo(self).absoluteDir();
        candidates << dir.filePath(fileName)
                   << QDir::cleanPath(dir.filePath(QStringLiteral("../" QUORVEL_MODULE_DIR "/") + fileName));
    }
    const QString installed = QStringLiteral(QUORVEL_INSTALL_PREFIX "/" QUORVEL_MODULE_DIR "/") + fileName;
    if (!candidates.contains(installed))
        candidates << installed;
    return candidates;
}

QString program_module::Locate(const QString &fileName)
{
    const QStringList candidates = Candidates(fileName);
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    return candidates.last();
}

QFunctionPointer program_module::Resolve(const QString &path, const char *entryPoint, QString *error)
{
    // Never unloaded: what the module made, and its code, live as long as the program.
    QLibrary library(path);
    const QFunctionPointer entry = library.resolve(entryPoint);
    if (!entry && error)
        *error = library.errorString();
    return entry;
}
