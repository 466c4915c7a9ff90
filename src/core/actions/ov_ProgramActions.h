#pragma once
#include "core/actions/sys_ActionsUtils.h"
#include "core/actions/sys_HotkeyUtils.h"

namespace ov {

class MainWindow;

// The one actions object: every action and every unnamed operation runs through it, on the
// main window that owns it.
class ovActions {
public:
    explicit ovActions(MainWindow& owner);
    ovActions(const ovActions&) = delete;
    ovActions& operator=(const ovActions&) = delete;

    // Runs the handler's operation. The empty handler, and operations whose subsystem is not
    // built yet, do nothing. The operation may close the main window and with it this object.
    void Run(ActionHandler handler);

    // The unnamed operations.
    void Play();
    void Pause();
    void RateUp();
    void RateDown();
    void SingleClick();
    void ApplyPlaylistVisibility();

    // The hotkey table. It binds keys to these actions and lives exactly as long as they do.
    TKeys Keys;

private:
    MainWindow& owner_;
};

} // namespace ov
