#pragma once
// Qt's own texts (standard buttons, the file dialog, context menus) in
// Simplified Chinese, from Qt's translations folder.
class QCoreApplication;

// Loads qtbase_zh_CN into the application; false when the file is missing
// (Qt then speaks English, and the program runs as before).
bool InstallQtChineseTranslations(QCoreApplication &app);
