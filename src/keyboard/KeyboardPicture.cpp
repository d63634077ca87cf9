#include "keyboard/KeyboardPicture.h"

#include "keyboard/KeyCodes.h"

namespace {

constexpr int kStep = 40; // from one key to the next
constexpr int kKey = 41;  // an ordinary key; neighbours share a 1-pixel edge

// Lays out one row from `left`: each entry is a key and its width.
struct RowKey {
    int code;
    int width;
    QString legend;
    QString secondary;
    int height = kKey;
};

void AddRow(std::vector<KeyCap> &caps, int left, int top, const std::vector<RowKey> &keys)
{
    int x = left;
    for (const RowKey &k : keys) {
        caps.push_back({k.code, QRect(x, top, k.width, k.height), k.legend, k.secondary});
        x += k.width - (kKey - kStep);
    }
}

RowKey Plain(int code, const QString &legend, const QString &secondary = QString())
{
    return {code, kKey, legend, secondary};
}

RowKey Letter(char c)
{
    return Plain(c, QString(QLatin1Char(c)));
}

} // namespace

KeyboardPicture::KeyboardPicture(std::vector<KeyCap> caps) : m_caps(std::move(caps))
{
    for (const KeyCap &cap : m_caps)
        m_looks.insert(cap.code, KeyLook());
}

KeyboardPicture KeyboardPicture::mainBlock()
{
    using namespace vk;
    const int left = 48;
    std::vector<KeyCap> caps;
    AddRow(caps, left, 152,
           {Plain(Grave, "`", "~"), Plain('1', "1", "!"), Plain('2', "2", "@"), Plain('3', "3", "#"),
            Plain('4', "4", "$"), Plain('5', "5", "%"), Plain('6', "6", "^"), Plain('7', "7", "&"),
            Plain('8', "8", "*"), Plain('9', "9", "("), Plain('0', "0", ")"), Plain(Minus, "-", "_"),
            Plain(Equals, "=", "+"), Plain(Backslash, "\\", "|"), Plain(Backspace, QStringLiteral("←"))});
    AddRow(caps, left, 192,
           {{Tab, 57, "Tab", {}}, Letter('Q'), Letter('W'), Letter('E'), Letter('R'), Letter('T'), Letter('Y'),
            Letter('U'), Letter('I'), Letter('O'), Letter('P'), Plain(LeftBracket, "[", "{"),
            Plain(RightBracket, "]", "}"), {Enter, 89, "Enter", {}, 81}});
    AddRow(caps, left, 232,
           {{CapsLock, 73, "Caps Lock", {}}, Letter('A'), Letter('S'), Letter('D'), Letter('F'), Letter('G'),
            Letter('H'), Letter('J'), Letter('K'), Letter('L'), Plain(Semicolon, ";", ":"),
            Plain(Apostrophe, "'", "\"")});
    AddRow(caps, left, 272,
           {{Shift, 97, "Shift", {}}, Letter('Z'), Letter('X'), Letter('C'), Letter('V'), Letter('B'),
            Letter('N'), Letter('M'), Plain(Comma, ",", "<"), Plain(Period, ".", ">"), Plain(Slash, "/", "?"),
            {Shift, 105, "Shift", {}}});
    AddRow(caps, left, 312,
           {{Ctrl, 57, "Ctrl", {}}, {LeftWin, 49, "Win", {}}, {Alt, 49, "Alt", {}}, {Space, 249, {}, {}},
            {Alt, 49, "Alt", {}}, {RightWin, 49, "Win", {}}, {Apps, 49, "Menu", {}}, {Ctrl, 57, "Ctrl", {}}});
    return KeyboardPicture(std::move(caps));
}

KeyboardPicture KeyboardPicture::keypad()
{
    using namespace vk;
    const int left = 280;
    const int tall = kStep + kKey;
    std::vector<KeyCap> caps;
    AddRow(caps, left, 136,
           {Plain(NumLock, "Num", "Lock"), Plain(PadDivide, "/"), Plain(PadMultiply, "*"), Plain(PadMinus, "-")});
    AddRow(caps, left, 176,
           {Plain(Pad0 + 7, "7", "Home"), Plain(Pad0 + 8, "8", QStringLiteral("↑")), Plain(Pad0 + 9, "9", "PgUp"),
            {PadPlus, kKey, "+", {}, tall}});
    AddRow(caps, left, 216,
           {Plain(Pad0 + 4, "4", QStringLiteral("←")), Plain(Pad0 + 5, "5"), Plain(Pad0 + 6, "6", QStringLiteral("→"))});
    AddRow(caps, left, 256,
           {Plain(Pad0 + 1, "1", "End"), Plain(Pad0 + 2, "2", QStringLiteral("↓")), Plain(Pad0 + 3, "3", "PgDn"),
            {Enter, kKey, "Enter", {}, tall}});
    AddRow(caps, left, 296, {{Pad0, tall, "0", "Ins"}, Plain(PadDecimal, ".", "Del")});
    return KeyboardPicture(std::move(caps));
}

std::vector<int> KeyboardPicture::codes() const
{
    std::vector<int> result;
    for (const KeyCap &cap : m_caps)
        if (std::find(result.begin(), result.end(), cap.code) == result.end())
            result.push_back(cap.code);
    return result;
}

bool KeyboardPicture::paint(int code, KeyState state, bool pressed)
{
    auto it = m_looks.find(code);
    if (it == m_looks.end())
        return false;
    *it = KeyLook{state, pressed};
    return true;
}

QRect KeyboardPicture::bounds() const
{
    QRect bounds;
    for (const KeyCap &cap : m_caps)
        bounds |= cap.rect;
    return bounds;
}

QString KeyboardPicture::legend(int code) const
{
    for (const KeyCap &cap : m_caps)
        if (cap.code == code)
            return cap.legend;
    return QString();
}

int KeyboardPicture::codeOf(const QString &legend) const
{
    for (const KeyCap &cap : m_caps)
        if (cap.legend == legend)
            return cap.code;
    return 0;
}
