#pragma once
// Every test process gets fresh, private config and data folders, so settings
// and record files never leak between tests or into the user's home.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

class TestEnv {
public:
    TestEnv()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/share")));
        QDir().mkpath(m_dir.path() + QStringLiteral("/config"));
        QDir().mkpath(m_dir.path() + QStringLiteral("/share"));
    }
    QString path() const { return m_dir.path(); }

    // The source tree and the folder with the built data/, text/, sound/.
    static QString sourceDir() { return qEnvironmentVariable("QUORVEL_SOURCE_DIR"); }
    static QString dataRoot() { return qEnvironmentVariable("QUORVEL_DATA_ROOT"); }

private:
    QTemporaryDir m_dir;
};
