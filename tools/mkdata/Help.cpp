// The help folder: assets/help/ as it is, plus the program's licence and the
// licence notices of the Wubi tables, which ship with the program.
#include "Output.h"
#include "Steps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {
bool copyFile(const QString &source, const QString &target, QString *error)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(source);
        return false;
    }
    return WriteOutputFile(target, file.readAll(), error);
}
} // namespace

bool BuildHelp(const QString &assets, const QString &out, QString *error)
{
    const QString source = assets + QStringLiteral("/help");
    const QString target = out + QStringLiteral("/help");
    QDir().mkpath(target);
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!copyFile(path, target + QLatin1Char('/') + QDir(source).relativeFilePath(path), error))
            return false;
    }
    for (const char *licence : {"LICENSE-wubi86.txt", "LICENSE-wubi98.txt"}) {
        const QString name = QLatin1String(licence);
        if (!copyFile(assets + QStringLiteral("/wubi/") + name, target + QLatin1Char('/') + name, error))
            return false;
    }
    return copyFile(assets + QStringLiteral("/../COPYING"), target + QStringLiteral("/COPYING"), error);
}
