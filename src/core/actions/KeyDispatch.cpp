#include "core/actions/KeyDispatch.h"

#include "core/actions/ov_ProgramActions.h"
#include "core/app/MainWindow.h"

namespace ov {

bool DispatchKey(ovActions& actions, std::uint16_t key, TShiftState shift) {
    const TKeyItem* item = FindHotkey(actions.Keys, key, shift);
    if (!item || item->Action.IsEmpty()) return false;
    // A copy: the action may clear the table or close the window.
    const ActionHandler action = item->Action;
    actions.Run(action);
    return true;
}

bool FormKeyDown(MainWindow& w, const KeyInput& input) {
    if (!w.Actions) return false;
    const std::uint16_t key = VirtualKeyCode(input);
    if (key == 0) return false;
    return DispatchKey(*w.Actions, key, ShiftStateOf(input.modifiers));
}

} // namespace ov
