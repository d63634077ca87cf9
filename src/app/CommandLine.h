#pragma once
// Command-line options handled before any window exists.
#include <QStringList>

struct CommandLineOptions {
    QString dataDir;    // --data-dir DIR
    bool exitNow = false;
    int exitCode = 0;
};

// --version, --help and --lookup TEXT [--edition 86|98] print their answer and
// set exitNow; --data-dir is returned for the window program.
CommandLineOptions HandleCommandLine(const QStringList &args, const QString &executableDir);

// The same, with the printed text collected in `out` (answers) and `err`
// (messages) instead of being written to stdout and stderr.
CommandLineOptions RunCommandLine(const QStringList &args, const QString &executableDir, QString &out,
                                  QString &err);
