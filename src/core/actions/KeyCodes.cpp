#include "core/actions/KeyCodes.h"

namespace ov {

namespace {

struct QtToVk {
    int qt;
    std::uint16_t vk;
};

// Keys named by what they do.
constexpr QtToVk kNamedKeys[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},    {Qt::Key_Backtab, 9},   {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},   {Qt::Key_Enter, 13}, {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},      {Qt::Key_AltGr, 18}, {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},   {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},      {Qt::Key_Home, 36},  {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},    {Qt::Key_Down, 40},  {Qt::Key_Select, 41},   {Qt::Key_Printer, 42},
    {Qt::Key_Execute, 43},  {Qt::Key_Print, 44}, {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},     {Qt::Key_Meta, 91},  {Qt::Key_Super_L, 91},  {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},     {Qt::Key_Sleep, 95}, {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
};

// Keypad keys other than the digits; with Num Lock off Qt reports the navigation keys.
constexpr QtToVk kKeypadKeys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
};

struct ScanToVk {
    std::uint32_t scan;
    std::uint16_t vk;
};

// The typing keys by position: XKB key code (evdev + 8) to the code of the US key there.
constexpr ScanToVk kPositions[] = {
    // digit row
    {10, 49},
    {11, 50},
    {12, 51},
    {13, 52},
    {14, 53},
    {15, 54},
    {16, 55},
    {17, 56},
    {18, 57},
    {19, 48},
    // punctuation
    {20, 189}, // - _
    {21, 187}, // = +
    {34, 219}, // [ {
    {35, 221}, // ] }
    {47, 186}, // ; :
    {48, 222}, // ' "
    {49, 192}, // ` ~
    {51, 220}, // \ |
    {59, 188}, // , <
    {60, 190}, // . >
    {61, 191}, // / ?
    {94, 226}, // the extra key of ISO keyboards, beside the left Shift
    // letters, for layouts whose letters are not Latin
    {24, 'Q'},
    {25, 'W'},
    {26, 'E'},
    {27, 'R'},
    {28, 'T'},
    {29, 'Y'},
    {30, 'U'},
    {31, 'I'},
    {32, 'O'},
    {33, 'P'},
    {38, 'A'},
    {39, 'S'},
    {40, 'D'},
    {41, 'F'},
    {42, 'G'},
    {43, 'H'},
    {44, 'J'},
    {45, 'K'},
    {46, 'L'},
    {52, 'Z'},
    {53, 'X'},
    {54, 'C'},
    {55, 'V'},
    {56, 'B'},
    {57, 'N'},
    {58, 'M'},
};

// Without a scan code: the characters of a US keyboard, shifted or not, to their key.
constexpr QtToVk kCharacters[] = {
    {Qt::Key_Exclam, 49},        {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},    {Qt::Key_Dollar, 52},
    {Qt::Key_Percent, 53},       {Qt::Key_AsciiCircum, 54},
    {Qt::Key_Ampersand, 55},     {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},     {Qt::Key_ParenRight, 48},
    {Qt::Key_Semicolon, 186},    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},        {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},        {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},        {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},       {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},        {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},  {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},   {Qt::Key_QuoteDbl, 222},
};

template <typename Table> std::uint16_t Find(const Table& table, int qtKey) {
    for (const auto& entry : table)
        if (entry.qt == qtKey) return entry.vk;
    return 0;
}

std::uint16_t FindPosition(std::uint32_t scan) {
    for (const ScanToVk& entry : kPositions)
        if (entry.scan == scan) return entry.vk;
    return 0;
}

} // namespace

std::uint16_t VirtualKeyCode(const KeyInput& input) {
    const int key = input.qtKey;
    if (input.keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<std::uint16_t>(96 + key - Qt::Key_0);
        if (const std::uint16_t vk = Find(kKeypadKeys, key)) return vk;
    }
    if (const std::uint16_t vk = Find(kNamedKeys, key)) return vk;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::uint16_t>(112 + key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>(key);
    if (!input.keypad && input.nativeScanCode != 0)
        if (const std::uint16_t vk = FindPosition(input.nativeScanCode)) return vk;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(key);
    return Find(kCharacters, key);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

} // namespace ov
