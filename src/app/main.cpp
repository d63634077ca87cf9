// Quorvel: a typing tutor for Simplified Chinese.
#include "app/CommandLine.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QWidget>

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString exeDir = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    const CommandLineOptions options = HandleCommandLine(args, exeDir);
    if (options.exitNow)
        return options.exitCode;

    QApplication app(argc, argv);
    // 宋体 does not exist on Linux: map it to a Song-style CJK font before any
    // widget exists, or Chinese falls back to Japanese glyph forms.
    for (const char *name : {"宋体", "SimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name),
                                   {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    QWidget window;
    window.setWindowTitle(QStringLiteral("QuorvelV1.41"));
    window.show();
    return app.exec();
}
