#pragma once
// The OK and Cancel buttons a settings dialog ends with.
#include <QString>
#include <functional>

class QDialog;
class QHBoxLayout;

// The two buttons right-aligned in a row, OK the default button; clicking
// runs `onOk` or `onCancel`. The caller puts the row into its layout.
QHBoxLayout *DialogButtonRow(QDialog *dialog, const QString &okCaption, const QString &okName,
                             const std::function<void()> &onOk, const std::function<void()> &onCancel);
