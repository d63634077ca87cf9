// mkdata: builds the program's data folder from the sources in assets/.
#include "Steps.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("assets"), QStringLiteral("source folder"), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("build folder"), QStringLiteral("dir")});
    parser.process(app);
    const QString assets = parser.value(QStringLiteral("assets"));
    const QString out = parser.value(QStringLiteral("out"));

    QString error;
    const bool ok = BuildCodeTables(assets, out, &error) && BuildSounds(out, &error)
        && BuildTexts(assets, out, &error) && BuildHelp(assets, out, &error)
        && BuildRadicalCards(assets, out, &error) && BuildRadicalCharts(assets, out, &error)
        && BuildRadicalPictures(assets, out, &error) && BuildButtonPictures(out, &error)
        && BuildRaceFrames(out, &error)
        && BuildTunes(assets, out, &error) && BuildIcons(out, &error);
    if (!ok) {
        std::fprintf(stderr, "mkdata: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
