#pragma once
// The program's own modules: shared libraries of its own loaded at run time
// (the progress charts, the pinyin engine), so that a run that never needs
// them does not load their libraries. Built beside the executable, installed
// in a private library folder found from the executable's folder.
#include <QFunctionPointer>
#include <QString>
#include <QStringList>

namespace program_module {
// Where `fileName` is looked for, in order: beside the executable (the build
// tree), the library folder relative to it, the installed one.
QStringList Candidates(const QString &fileName);
// The first candidate that exists; the installed place when none does.
QString Locate(const QString &fileName);
// `entryPoint` of the module at `path`, which then stays loaded for the life
// of the program; null, with the loader's reason in `error`, when the file
// cannot be loaded or lacks the entry point.
QFunctionPointer Resolve(const QString &path, const char *entryPoint, QString *error);
} // namespace program_module
