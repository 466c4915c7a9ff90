#pragma once
#include "core/actions/sys_HotkeyUtils.h"

#include <QtCore/qnamespace.h>
#include <cstdint>

namespace ov {

// A key press as the window system reports it, without the GUI types.
struct KeyInput {
    int qtKey = 0;                     // Qt::Key
    std::uint32_t nativeScanCode = 0;  // X11/XKB key code (evdev code + 8); 0 when unknown
    Qt::KeyboardModifiers modifiers{}; // as the event carries them
    bool keypad = false;               // the key is on the numeric keypad
    bool autoRepeat = false;
};

// The Windows virtual-key code the hotkey table stores for the key; 0 when it has none.
// Letters and named keys follow the key's meaning; the digit row and the punctuation keys
// follow their position on a US keyboard, whatever the user's layout prints on them.
std::uint16_t VirtualKeyCode(const KeyInput& input);
// Shift, Ctrl and Alt; every other modifier is not part of a binding.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

} // namespace ov
