#pragma once
// Shared by the fuzz harnesses: a scratch folder for inputs that must be
// files, and the check that turns a broken property into a crash the fuzzer
// reports.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// Aborts with a message when a property of the code under test does not hold.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// A folder in memory when the system has one, removed at exit.
inline const QString &ScratchDir()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/quorvel-fuzz-XXXXXX")
                                                       : QDir::tempPath() + QStringLiteral("/quorvel-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

// Writes the bytes to <scratch>/<relative> and returns its path.
inline QString WriteScratchFile(const QString &relative, const QByteArray &bytes)
{
    const QString path = ScratchDir() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}
