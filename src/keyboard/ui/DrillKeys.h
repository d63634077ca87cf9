#pragma once
// Key handling shared by the keyboard drill windows.
class QEvent;
class QKeyEvent;
class QWidget;

// Virtual-key code of a key event (0 when the drills do not know the key).
int VirtualKeyOf(const QKeyEvent *event);
// Makes `widget` take keys as physical keys: no input method, focus by Tab
// and click.
void TakeRawKeys(QWidget *widget);
// For a widget that judges every key: claims the keys that would otherwise
// be shortcuts or move the focus (Tab). True when `event` is a key press or
// release the widget must handle itself.
bool ClaimsKey(QEvent *event);
