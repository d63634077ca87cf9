#pragma once
// The reference file dialog "选择对照文本": which folder it opens in, and the
// dialog itself (behind a function type so the status window can be handed
// another chooser).
#include <QString>
#include <functional>

class QWidget;
struct AppPaths;
struct PracticeState;

// text/Czh or text/ezh for the line-by-line window, text/Cwb or text/ewb for
// the whole-text window, each only when it exists; otherwise the data folder.
QString InitialReferenceFolder(const AppPaths &paths, const PracticeState &state);

// Returns the chosen file, or an empty text when cancelled.
using ReferenceFileChooser = std::function<QString(QWidget *parent, const QString &folder)>;
// `describe`, when given, says something about the file selected in the
// dialog (how many of its characters are new to the learner), under the list.
QString ChooseReferenceFile(QWidget *parent, const QString &folder,
                            const std::function<QString(const QString &file)> &describe = {});
