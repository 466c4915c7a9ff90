#include "core/actions/KeyCodes.h"

#include <gtest/gtest.h>

using namespace ov;

TEST(KeyCodes, QtKeysToVirtualKeys) {
    struct Case {
        int qtKey;
        std::uint32_t scan; // XKB key code, 0 when the platform gives none
        bool keypad;
        std::uint16_t vk;
    } cases[] = {
        // letters by meaning, whatever the position
        {Qt::Key_A, 0, false, 65},
        {Qt::Key_Z, 0, false, 90},
        {Qt::Key_A, 24, false, 65}, // AZERTY: A where US has Q
        // a letter that is not Latin: the US letter at that position
        {0x0424, 38, false, 65}, // Cyrillic EF on the A key
        {0x0424, 0, false, 0},
        // digit row by position
        {Qt::Key_1, 10, false, 49},
        {Qt::Key_0, 19, false, 48},
        {Qt::Key_Ampersand, 10, false, 49}, // AZERTY: the 1 key unshifted
        {Qt::Key_Exclam, 10, false, 49},    // US: Shift+1
        {Qt::Key_5, 0, false, 53},
        {Qt::Key_ParenRight, 0, false, 48},
        // keypad
        {Qt::Key_0, 90, true, 96},
        {Qt::Key_9, 81, true, 105},
        {Qt::Key_Asterisk, 63, true, 106},
        {Qt::Key_Plus, 86, true, 107},
        {Qt::Key_Minus, 82, true, 109},
        {Qt::Key_Period, 91, true, 110},
        {Qt::Key_Comma, 91, true, 110}, // decimal key of layouts with a comma
        {Qt::Key_Slash, 106, true, 111},
        {Qt::Key_Enter, 104, true, 13},
        {Qt::Key_Home, 79, true, 36},  // Num Lock off
        {Qt::Key_Clear, 84, true, 12}, // the 5 with Num Lock off
        // function keys
        {Qt::Key_F1, 67, false, 112},
        {Qt::Key_F10, 76, false, 121},
        {Qt::Key_F24, 0, false, 135},
        // named keys
        {Qt::Key_Backspace, 22, false, 8},
        {Qt::Key_Tab, 23, false, 9},
        {Qt::Key_Backtab, 23, false, 9},
        {Qt::Key_Return, 36, false, 13},
        {Qt::Key_Pause, 127, false, 19},
        {Qt::Key_CapsLock, 66, false, 20},
        {Qt::Key_Escape, 9, false, 27},
        {Qt::Key_Space, 65, false, 32},
        {Qt::Key_PageUp, 112, false, 33},
        {Qt::Key_PageDown, 117, false, 34},
        {Qt::Key_End, 115, false, 35},
        {Qt::Key_Home, 110, false, 36},
        {Qt::Key_Left, 113, false, 37},
        {Qt::Key_Up, 111, false, 38},
        {Qt::Key_Right, 114, false, 39},
        {Qt::Key_Down, 116, false, 40},
        {Qt::Key_Insert, 118, false, 45},
        {Qt::Key_Delete, 119, false, 46},
        {Qt::Key_NumLock, 77, false, 144},
        {Qt::Key_ScrollLock, 78, false, 145},
        // modifier keys alone
        {Qt::Key_Shift, 50, false, 16},
        {Qt::Key_Control, 37, false, 17},
        {Qt::Key_Alt, 64, false, 18},
        // punctuation by US position, whatever the layout prints there
        {Qt::Key_Semicolon, 47, false, 186},
        {Qt::Key_Odiaeresis, 47, false, 186}, // German: the ; key
        {Qt::Key_Equal, 21, false, 187},
        {Qt::Key_Comma, 59, false, 188},
        {Qt::Key_Minus, 20, false, 189},
        {Qt::Key_Period, 60, false, 190},
        {Qt::Key_Slash, 61, false, 191},
        {Qt::Key_QuoteLeft, 49, false, 192},
        {Qt::Key_AsciiTilde, 49, false, 192},
        {Qt::Key_BracketLeft, 34, false, 219},
        {Qt::Key_Backslash, 51, false, 220},
        {Qt::Key_BracketRight, 35, false, 221},
        {Qt::Key_Apostrophe, 48, false, 222},
        {Qt::Key_Less, 94, false, 226}, // the ISO key beside the left Shift
        // no scan code: the US character's key
        {Qt::Key_Semicolon, 0, false, 186},
        {Qt::Key_Colon, 0, false, 186},
        {Qt::Key_Plus, 0, false, 187},
        {Qt::Key_Underscore, 0, false, 189},
        {Qt::Key_Question, 0, false, 191},
        {Qt::Key_BraceRight, 0, false, 221},
        {Qt::Key_QuoteDbl, 0, false, 222},
        {Qt::Key_Asterisk, 0, false, 56},
        // nothing to bind
        {Qt::Key_VolumeUp, 123, false, 0},
        {Qt::Key_unknown, 0, false, 0},
    };
    for (const Case& c : cases) {
        const KeyInput input{c.qtKey, c.scan, {}, c.keypad, false};
        EXPECT_EQ(VirtualKeyCode(input), c.vk)
            << "qt " << std::hex << c.qtKey << std::dec << " scan " << c.scan;
    }
}

TEST(KeyCodes, OnlyShiftCtrlAndAltCount) {
    EXPECT_EQ(ShiftStateOf({}), TShiftState{});
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::ShiftModifier | Qt::MetaModifier |
                           Qt::KeypadModifier | Qt::GroupSwitchModifier),
              (TShiftState{.ctrl = true, .shift = true}));
    EXPECT_EQ(ShiftStateOf(Qt::AltModifier), TShiftState{.alt = true});
}
