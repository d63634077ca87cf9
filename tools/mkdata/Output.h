#pragma once
// Reading the data tool's UTF-8 sources and writing its output files.
#include <QByteArray>
#include <QImage>
#include <QString>

// Replaces `path` atomically with `bytes`, creating its folder; on failure sets
// *error to a message naming the file.
bool WriteOutputFile(const QString &path, const QByteArray &bytes, QString *error);

// A blank picture of width x height logical pixels with twice as many pixels
// each way, painted in logical units. Its resolution (192 dots per inch) tells
// the program that it is made for dense screens: shown sharp there, scaled
// down on ordinary ones.
QImage DenseImage(int width, int height, QImage::Format format);

// The text of a UTF-8 source file without its byte-order mark, if it has one.
// False, with *error naming the file, when it cannot be read or is not UTF-8.
bool ReadUtf8Source(const QString &path, QString *text, QString *error);
