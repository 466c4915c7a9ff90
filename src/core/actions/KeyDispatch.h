#pragma once
#include "core/actions/KeyCodes.h"

#include <cstdint>

namespace ov {

class MainWindow;
class ovActions;

// A key down on the main window, seen before the focused control: the first binding with this
// key and exactly these modifiers runs its action; held keys repeat it. The key is never
// consumed, whatever this returns: the focused control still receives it.
// True when a binding ran.
bool DispatchKey(ovActions& actions, std::uint16_t key, TShiftState shift);
// The same for a key event as the window system reports it.
bool FormKeyDown(MainWindow& w, const KeyInput& input);

} // namespace ov
