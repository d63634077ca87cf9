#pragma once
// Names and descriptions for screen readers (AT-SPI on Linux), in Chinese.
#include <QString>

class QWidget;

// Gives `widget` its accessible name and description.
void SetAccessibleText(QWidget *widget, const QString &name, const QString &description = QString());

// Changes the description and tells screen readers at once: for what changes
// while the learner types (the character or key to type next).
void AnnounceDescription(QWidget *widget, const QString &description);

// A widget drawn as a button reads as a button whose press action invokes
// its `click()` slot (declared Q_INVOKABLE by the widget).
void MakeAccessibleButton(QWidget *widget, const QString &name, const QString &description);

// "下一个字：X" for the character to type next; empty when there is none.
QString NextCharacterDescription(const QString &character);
