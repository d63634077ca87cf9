#include "keyboard/KeyMapping.h"

#include "keyboard/KeyCodes.h"

#include <QHash>

namespace {

// X keyboard codes of the typing keys (evdev + 8). Codes 9 to 62 and 64 to 66
// are the same in the evdev and the older xfree86 keymaps, so Xvfb agrees.
const QHash<quint32, int> &ScanCodeKeys()
{
    static const QHash<quint32, int> table = [] {
        QHash<quint32, int> t{{9, vk::Escape}, {20, vk::Minus}, {21, vk::Equals}, {22, vk::Backspace},
                              {23, vk::Tab}, {34, vk::LeftBracket}, {35, vk::RightBracket}, {36, vk::Enter},
                              {37, vk::Ctrl}, {47, vk::Semicolon}, {48, vk::Apostrophe}, {49, vk::Grave},
                              {50, vk::Shift}, {51, vk::Backslash}, {59, vk::Comma}, {60, vk::Period},
                              {61, vk::Slash}, {62, vk::Shift}, {64, vk::Alt}, {65, vk::Space},
                              {66, vk::CapsLock}};
        const char digits[] = "1234567890";
        for (int i = 0; i < 10; ++i)
            t.insert(10 + i, digits[i]);
        const char *rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
        const quint32 starts[] = {24, 38, 52};
        for (int r = 0; r < 3; ++r)
            for (int i = 0; rows[r][i]; ++i)
                t.insert(starts[r] + i, rows[r][i]);
        return t;
    }();
    return table;
}

// The keypad: with Num Lock on it sends digits and operators, with Num Lock
// off the navigation keys (which the keypad drill asks to switch on).
const QHash<int, int> &KeypadKeys()
{
    static const QHash<int, int> table{
        {Qt::Key_0, vk::Pad0}, {Qt::Key_1, vk::Pad0 + 1}, {Qt::Key_2, vk::Pad0 + 2}, {Qt::Key_3, vk::Pad0 + 3},
        {Qt::Key_4, vk::Pad0 + 4}, {Qt::Key_5, vk::Pad0 + 5}, {Qt::Key_6, vk::Pad0 + 6},
        {Qt::Key_7, vk::Pad0 + 7}, {Qt::Key_8, vk::Pad0 + 8}, {Qt::Key_9, vk::Pad0 + 9},
        {Qt::Key_Asterisk, vk::PadMultiply}, {Qt::Key_Plus, vk::PadPlus}, {Qt::Key_Minus, vk::PadMinus},
        {Qt::Key_Period, vk::PadDecimal}, {Qt::Key_Comma, vk::PadDecimal}, {Qt::Key_Slash, vk::PadDivide},
        {Qt::Key_Enter, vk::Enter}, {Qt::Key_Return, vk::Enter}, {Qt::Key_Clear, vk::Clear},
        {Qt::Key_Home, vk::Home}, {Qt::Key_End, vk::End}, {Qt::Key_PageUp, vk::PageUp},
        {Qt::Key_PageDown, vk::PageDown}, {Qt::Key_Left, vk::Left}, {Qt::Key_Up, vk::Up},
        {Qt::Key_Right, vk::Right}, {Qt::Key_Down, vk::Down}, {Qt::Key_Insert, vk::Insert},
        {Qt::Key_Delete, vk::Delete}, {Qt::Key_NumLock, vk::NumLock}};
    return table;
}

// Every other key by its Qt key; shifted symbols name the key they are on.
const QHash<int, int> &QtKeys()
{
    static const QHash<int, int> table = [] {
        QHash<int, int> t{
            {Qt::Key_Backspace, vk::Backspace}, {Qt::Key_Tab, vk::Tab}, {Qt::Key_Backtab, vk::Tab},
            {Qt::Key_Return, vk::Enter}, {Qt::Key_Enter, vk::Enter}, {Qt::Key_Shift, vk::Shift},
            {Qt::Key_Control, vk::Ctrl}, {Qt::Key_Alt, vk::Alt}, {Qt::Key_AltGr, vk::Alt},
            {Qt::Key_Pause, vk::Pause}, {Qt::Key_CapsLock, vk::CapsLock}, {Qt::Key_Escape, vk::Escape},
            {Qt::Key_Space, vk::Space}, {Qt::Key_PageUp, vk::PageUp}, {Qt::Key_PageDown, vk::PageDown},
            {Qt::Key_End, vk::End}, {Qt::Key_Home, vk::Home}, {Qt::Key_Left, vk::Left}, {Qt::Key_Up, vk::Up},
            {Qt::Key_Right, vk::Right}, {Qt::Key_Down, vk::Down}, {Qt::Key_Print, vk::PrintScreen},
            {Qt::Key_Insert, vk::Insert}, {Qt::Key_Delete, vk::Delete}, {Qt::Key_Clear, vk::Clear},
            {Qt::Key_Super_L, vk::LeftWin}, {Qt::Key_Super_R, vk::RightWin}, {Qt::Key_Menu, vk::Apps},
            {Qt::Key_NumLock, vk::NumLock}, {Qt::Key_ScrollLock, vk::ScrollLock},
            {Qt::Key_Semicolon, vk::Semicolon}, {Qt::Key_Colon, vk::Semicolon},
            {Qt::Key_Equal, vk::Equals}, {Qt::Key_Plus, vk::Equals},
            {Qt::Key_Comma, vk::Comma}, {Qt::Key_Less, vk::Comma},
            {Qt::Key_Minus, vk::Minus}, {Qt::Key_Underscore, vk::Minus},
            {Qt::Key_Period, vk::Period}, {Qt::Key_Greater, vk::Period},
            {Qt::Key_Slash, vk::Slash}, {Qt::Key_Question, vk::Slash},
            {Qt::Key_QuoteLeft, vk::Grave}, {Qt::Key_AsciiTilde, vk::Grave}, {Qt::Key_Dead_Grave, vk::Grave},
            {Qt::Key_BracketLeft, vk::LeftBracket}, {Qt::Key_BraceLeft, vk::LeftBracket},
            {Qt::Key_Backslash, vk::Backslash}, {Qt::Key_Bar, vk::Backslash},
            {Qt::Key_BracketRight, vk::RightBracket}, {Qt::Key_BraceRight, vk::RightBracket},
            {Qt::Key_Apostrophe, vk::Apostrophe}, {Qt::Key_QuoteDbl, vk::Apostrophe},
            // Shift with a digit
            {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
            {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
            {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'}};
        for (int i = 0; i < 10; ++i)
            t.insert(Qt::Key_0 + i, '0' + i);
        for (int i = 0; i < 26; ++i)
            t.insert(Qt::Key_A + i, 'A' + i);
        for (int i = 0; i < 24; ++i)
            t.insert(Qt::Key_F1 + i, vk::F1 + i);
        return t;
    }();
    return table;
}

constexpr quint32 kRightSuperScanCode = 134;

} // namespace

int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    if (modifiers & Qt::KeypadModifier)
        return KeypadKeys().value(qtKey, 0);
    if (const auto it = ScanCodeKeys().constFind(nativeScanCode); it != ScanCodeKeys().constEnd())
        return *it;
    if (qtKey == Qt::Key_Meta) // the Windows keys, reported without a side
        return nativeScanCode == kRightSuperScanCode ? vk::RightWin : vk::LeftWin;
    return QtKeys().value(qtKey, 0);
}
