#pragma once
// Writing the data tool's output files.
#include <QByteArray>
#include <QString>

// Replaces `path` atomically with `bytes`, creating its folder; on failure sets
// *error to a message naming the file.
bool WriteOutputFile(const QString &path, const QByteArray &bytes, QString *error);
