#pragma once
// Windows virtual-key codes, the names the keyboard drills give their keys.
namespace vk {
enum : int {
    Backspace = 8, Tab = 9, Clear = 12, Enter = 13, Shift = 16, Ctrl = 17, Alt = 18, Pause = 19, CapsLock = 20,
    Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36,
    Left = 37, Up = 38, Right = 39, Down = 40, PrintScreen = 44, Insert = 45, Delete = 46,
    // '0'..'9' are 48..57, 'A'..'Z' are 65..90
    LeftWin = 91, RightWin = 92, Apps = 93,
    Pad0 = 96, // keypad digits 96..105
    PadMultiply = 106, PadPlus = 107, PadMinus = 109, PadDecimal = 110, PadDivide = 111,
    F1 = 112, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F12 = 123,
    NumLock = 144, ScrollLock = 145,
    Semicolon = 186, Equals = 187, Comma = 188, Minus = 189, Period = 190, Slash = 191, Grave = 192,
    LeftBracket = 219, Backslash = 220, RightBracket = 221, Apostrophe = 222,
};
} // namespace vk
