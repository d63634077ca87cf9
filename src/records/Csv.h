#pragma once
// CSV for spreadsheet programs: UTF-8 with a byte-order mark (so the Chinese
// shows right), CR LF line ends, and a field quoted when it holds a comma,
// quote, line break or edge space (quotes inside doubled).
#include "progress/ProgressData.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

QByteArray CsvDocument(const QVector<QStringList> &rows);

// The run summaries with a heading row: learner, kind, start, seconds,
// characters, errors, speed.
QVector<QStringList> RunSummaryRows(const QVector<RunSummary> &runs);
