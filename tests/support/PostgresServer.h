#pragma once
// A throw-away PostgreSQL 15 server for tests and benchmarks: a cluster made
// by initdb in a temporary folder, listening on 127.0.0.1 on a free port,
// with trust authentication for local logins. Run as root, the server runs as
// the unprivileged user `nobody`, which owns the folder. Stopped and deleted
// when the object goes.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

class PostgresServer {
public:
    static QString binDir() { return QStringLiteral("/usr/lib/postgresql/15/bin"); }
    static bool available() { return QFile::exists(binDir() + QStringLiteral("/initdb")); }
    static QString superuser() { return QStringLiteral("club_admin"); }

    PostgresServer() : m_dir(QDir::tempPath() + QStringLiteral("/quorvel-pg-XXXXXX")) {}
    ~PostgresServer() { stop(); }

    int port() const { return m_port; }
    QString error() const { return m_error; }
    QString dataDir() const { return m_dir.path() + QStringLiteral("/data"); }

    // initdb and start; false with error() on failure.
    bool start()
    {
        if (!m_dir.isValid())
            return fail(QStringLiteral("no temporary folder"));
        if (::geteuid() == 0) {
            const passwd *pw = ::getpwnam("nobody");
            if (!pw || ::chown(QFile::encodeName(m_dir.path()).constData(), pw->pw_uid, pw->pw_gid) != 0)
                return fail(QStringLiteral("cannot hand the folder to nobody"));
        }
        m_port = freePort();
        if (!run(QStringLiteral("initdb"), {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), superuser(),
                                             QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                                             QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}))
            return false;
        QFile conf(dataDir() + QStringLiteral("/postgresql.conf"));
        if (!conf.open(QIODevice::Append))
            return fail(QStringLiteral("cannot write postgresql.conf"));
        conf.write(QStringLiteral("listen_addresses = '127.0.0.1'\nport = %1\nunix_socket_directories = '%2'\n"
                                  "max_connections = 300\nfsync = off\nsynchronous_commit = off\n")
                       .arg(m_port)
                       .arg(m_dir.path())
                       .toUtf8());
        conf.close();
        return resume();
    }

    // pg_ctl start, waiting until it accepts connections.
    bool resume()
    {
        m_running = run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDir(), QStringLiteral("-l"),
                                                     m_dir.path() + QStringLiteral("/server.log"), QStringLiteral("-w"),
                                                     QStringLiteral("start")});
        return m_running;
    }

    // pg_ctl stop -m fast: open sessions are cut.
    bool stop()
    {
        if (!m_running)
            return true;
        m_running = false;
        return run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDir(), QStringLiteral("-w"), QStringLiteral("-m"),
                                                QStringLiteral("fast"), QStringLiteral("stop")});
    }

    QString log() const
    {
        QFile f(m_dir.path() + QStringLiteral("/server.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

protected:
    bool fail(const QString &why)
    {
        m_error = why;
        return false;
    }

private:
    bool run(const QString &tool, const QStringList &args)
    {
        QProcess p;
        p.setWorkingDirectory(m_dir.path()); // one the server's user may enter
        p.setProcessChannelMode(QProcess::MergedChannels);
        const QString program = binDir() + QLatin1Char('/') + tool;
        if (::geteuid() == 0)
            p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program} + args);
        else
            p.start(program, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return fail(tool + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll()));
        return true;
    }

    static int freePort()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        int port = 0;
        if (::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
            && ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(s);
        return port;
    }

    QTemporaryDir m_dir;
    int m_port = 0;
    bool m_running = false;
    QString m_error;
};
