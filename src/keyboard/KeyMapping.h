#pragma once
// Which physical key a key event came from, as a virtual-key code.
//
// The typing keys are recognised by their native scan code (the X keyboard
// code, the same under X11 and Wayland) when the event has one, so the
// drills judge the key the learner struck whatever layout is active. Keys
// without a scan code (synthetic events) and the keys whose meaning depends
// on Num Lock go by the Qt key and the keypad modifier. Both copies of
// Shift, Ctrl and Alt give one code each.
#include <Qt>

// 0 when the key has no virtual-key code the drills know.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode);
