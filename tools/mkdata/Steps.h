#pragma once
// The steps of the data tool. Each reads its sources below `assets` and writes
// into the build folder `out` (which receives data/, text/, sound/, help/).
#include <QString>

bool BuildCodeTables(const QString &assets, const QString &out, QString *error);
bool BuildSounds(const QString &out, QString *error);
bool BuildTexts(const QString &assets, const QString &out, QString *error);
bool BuildHelp(const QString &assets, const QString &out, QString *error);
bool BuildRadicalCards(const QString &assets, const QString &out, QString *error);
bool BuildTunes(const QString &assets, const QString &out, QString *error);
bool BuildIcons(const QString &out, QString *error);
bool BuildRadicalCharts(const QString &assets, const QString &out, QString *error);
bool BuildRadicalPictures(const QString &assets, const QString &out, QString *error);
bool BuildButtonPictures(const QString &out, QString *error);
bool BuildRaceFrames(const QString &out, QString *error);
