#pragma once
// Where the program finds its read-only data (the folder holding data/, text/,
// sound/) and where it keeps its writable files.
#include <QString>

struct AppPaths {
    QString dataRoot;    // holds data/, text/, sound/, help/
    QString configDir;   // settings (XDG config home)/quorvel
    QString userDataDir; // typerecord.dat (XDG data home)/quorvel

    QString settingsFile() const { return configDir + QStringLiteral("/quorvel.ini"); }
    QString recordFile() const { return userDataDir + QStringLiteral("/typerecord.dat"); }
    QString data(const QString &relative) const { return dataRoot + QLatin1Char('/') + relative; }
};

// dataRoot: `dataDirOption` when given, else the executable's folder when it
// holds data/, else the installed share folder. Creates the writable folders.
AppPaths ResolvePaths(const QString &dataDirOption, const QString &executableDir);

// True when the path names an existing file or folder.
bool FileExists(const QString &path);
// Creates the file, or truncates it to zero length; false when that fails.
bool CreateEmptyFile(const QString &path);
