// Key events to virtual-key codes: every key of both pictures, with and
// without the keypad modifier, by scan code and by Qt key.
#include "keyboard/KeyCodes.h"
#include "keyboard/KeyMapping.h"
#include "keyboard/KeyboardPicture.h"

#include <QTest>
#include <set>

namespace {
struct Row {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    int expected;
};
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

std::vector<Row> MainBlockRows()
{
    std::vector<Row> rows;
    // Unshifted, as synthetic events (no scan code) carry them.
    for (int i = 0; i < 26; ++i)
        rows.push_back({Qt::Key_A + i, kNone, 0, 'A' + i});
    for (int i = 0; i < 10; ++i)
        rows.push_back({Qt::Key_0 + i, kNone, 0, '0' + i});
    const std::vector<std::pair<int, int>> keys{
        {Qt::Key_Backspace, vk::Backspace}, {Qt::Key_Tab, vk::Tab}, {Qt::Key_Return, vk::Enter},
        {Qt::Key_Shift, vk::Shift}, {Qt::Key_Control, vk::Ctrl}, {Qt::Key_Alt, vk::Alt},
        {Qt::Key_CapsLock, vk::CapsLock}, {Qt::Key_Space, vk::Space}, {Qt::Key_Super_L, vk::LeftWin},
        {Qt::Key_Super_R, vk::RightWin}, {Qt::Key_Menu, vk::Apps}, {Qt::Key_Semicolon, vk::Semicolon},
        {Qt::Key_Equal, vk::Equals}, {Qt::Key_Comma, vk::Comma}, {Qt::Key_Minus, vk::Minus},
        {Qt::Key_Period, vk::Period}, {Qt::Key_Slash, vk::Slash}, {Qt::Key_QuoteLeft, vk::Grave},
        {Qt::Key_BracketLeft, vk::LeftBracket}, {Qt::Key_Backslash, vk::Backslash},
        {Qt::Key_BracketRight, vk::RightBracket}, {Qt::Key_Apostrophe, vk::Apostrophe}};
    for (auto [key, code] : keys)
        rows.push_back({key, kNone, 0, code});
    return rows;
}

std::vector<Row> KeypadRows(bool numLock)
{
    std::vector<Row> rows;
    const int offKeys[] = {Qt::Key_Insert, Qt::Key_End, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left,
                           Qt::Key_Clear, Qt::Key_Right, Qt::Key_Home, Qt::Key_Up, Qt::Key_PageUp};
    const int offCodes[] = {vk::Insert, vk::End, vk::Down, vk::PageDown, vk::Left,
                            vk::Clear, vk::Right, vk::Home, vk::Up, vk::PageUp};
    for (int i = 0; i < 10; ++i)
        rows.push_back(numLock ? Row{Qt::Key_0 + i, kPad, 0, vk::Pad0 + i} : Row{offKeys[i], kPad, 0, offCodes[i]});
    rows.push_back(numLock ? Row{Qt::Key_Period, kPad, 0, vk::PadDecimal} : Row{Qt::Key_Delete, kPad, 0, vk::Delete});
    for (Row r : {Row{Qt::Key_Asterisk, kPad, 0, vk::PadMultiply}, Row{Qt::Key_Plus, kPad, 0, vk::PadPlus},
                  Row{Qt::Key_Minus, kPad, 0, vk::PadMinus}, Row{Qt::Key_Slash, kPad, 0, vk::PadDivide},
                  Row{Qt::Key_Enter, kPad, 0, vk::Enter}, Row{Qt::Key_NumLock, kNone, 0, vk::NumLock}})
        rows.push_back(r);
    return rows;
}
} // namespace

class KeyMappingTest : public QObject {
    Q_OBJECT
private slots:
    void everyKeyOfBothPicturesIsReached()
    {
        std::set<int> reachedMain, reachedPad;
        for (const Row &r : MainBlockRows()) {
            QCOMPARE(VirtualKeyOf(r.qtKey, r.modifiers, r.scanCode), r.expected);
            reachedMain.insert(r.expected);
        }
        for (const Row &r : KeypadRows(true)) {
            QCOMPARE(VirtualKeyOf(r.qtKey, r.modifiers, r.scanCode), r.expected);
            reachedPad.insert(r.expected);
        }
        for (int code : KeyboardPicture::mainBlock().codes())
            QVERIFY2(reachedMain.count(code), qPrintable(QString::number(code)));
        for (int code : KeyboardPicture::keypad().codes())
            QVERIFY2(reachedPad.count(code), qPrintable(QString::number(code)));
    }

    void theKeypadWithNumLockOffSendsNavigationCodes()
    {
        for (const Row &r : KeypadRows(false))
            QCOMPARE(VirtualKeyOf(r.qtKey, r.modifiers, r.scanCode), r.expected);
        // The same Qt keys off the keypad are the main block's keys.
        QCOMPARE(VirtualKeyOf(Qt::Key_7, kNone, 0), int('7'));
        QCOMPARE(VirtualKeyOf(Qt::Key_Minus, kNone, 0), int(vk::Minus));
        QCOMPARE(VirtualKeyOf(Qt::Key_Slash, kNone, 0), int(vk::Slash));
        QCOMPARE(VirtualKeyOf(Qt::Key_Period, kNone, 0), int(vk::Period));
        QCOMPARE(VirtualKeyOf(Qt::Key_Asterisk, kShift, 0), int('8'));
        QCOMPARE(VirtualKeyOf(Qt::Key_Plus, kShift, 0), int(vk::Equals));
    }

    void shiftedSymbolsNameTheKeyTheyAreOn()
    {
        const std::vector<std::pair<int, int>> shifted{
            {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
            {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
            {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'}, {Qt::Key_Underscore, vk::Minus},
            {Qt::Key_Colon, vk::Semicolon}, {Qt::Key_QuoteDbl, vk::Apostrophe}, {Qt::Key_Less, vk::Comma},
            {Qt::Key_Greater, vk::Period}, {Qt::Key_Question, vk::Slash}, {Qt::Key_AsciiTilde, vk::Grave},
            {Qt::Key_BraceLeft, vk::LeftBracket}, {Qt::Key_BraceRight, vk::RightBracket},
            {Qt::Key_Bar, vk::Backslash}, {Qt::Key_Backtab, vk::Tab}};
        for (auto [key, code] : shifted)
            QCOMPARE(VirtualKeyOf(key, kShift, 0), code);
    }

    void theScanCodeNamesThePhysicalKeyWhateverTheLayout()
    {
        // AZERTY: the key right of Tab types A, the key left of Enter's row end M.
        QCOMPARE(VirtualKeyOf(Qt::Key_A, kNone, 24), int('Q'));
        QCOMPARE(VirtualKeyOf(Qt::Key_M, kNone, 47), int(vk::Semicolon));
        // Shift+1 on a layout that types a digit only with Shift.
        QCOMPARE(VirtualKeyOf(Qt::Key_Ampersand, kNone, 10), int('1'));
        // A composing input method reports no key at all; the scan code still tells.
        QCOMPARE(VirtualKeyOf(Qt::Key_unknown, kNone, 38), int('A'));
        // Left and right copies of the modifiers.
        QCOMPARE(VirtualKeyOf(Qt::Key_Shift, kShift, 50), int(vk::Shift));
        QCOMPARE(VirtualKeyOf(Qt::Key_Shift, kShift, 62), int(vk::Shift));
        QCOMPARE(VirtualKeyOf(Qt::Key_Control, Qt::ControlModifier, 37), int(vk::Ctrl));
        QCOMPARE(VirtualKeyOf(Qt::Key_Control, Qt::ControlModifier, 105), int(vk::Ctrl));
        QCOMPARE(VirtualKeyOf(Qt::Key_Alt, Qt::AltModifier, 64), int(vk::Alt));
        QCOMPARE(VirtualKeyOf(Qt::Key_AltGr, kNone, 108), int(vk::Alt));
        QCOMPARE(VirtualKeyOf(Qt::Key_Meta, Qt::MetaModifier, 133), int(vk::LeftWin));
        QCOMPARE(VirtualKeyOf(Qt::Key_Meta, Qt::MetaModifier, 134), int(vk::RightWin));
        // Keys the drills do not know.
        QCOMPARE(VirtualKeyOf(Qt::Key_VolumeUp, kNone, 123), 0);
        QCOMPARE(VirtualKeyOf(Qt::Key_F1, kNone, 0), int(vk::F1));
        QCOMPARE(VirtualKeyOf(Qt::Key_Escape, kNone, 9), int(vk::Escape));
    }
};

QTEST_APPLESS_MAIN(KeyMappingTest)
#include "keymapping.moc"
