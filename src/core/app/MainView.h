#pragma once
#include "core/app/MainWindowModel.h"

namespace ov {

// What the core asks of the main window's view.
class MainView {
public:
    virtual ~MainView() = default;
    // Shows the model; called after every change the core makes.
    virtual void Render(const MainWindowModel& model) = 0;
    // Routes unhandled exceptions and the application's messages to the core.
    virtual void HookApplicationEvents() = 0;
    // Closes the main window; the close handler follows.
    virtual void CloseWindow() = 0;
    virtual bool IsMaximized() const = 0;
    virtual Bounds CurrentBounds() const = 0;
    // Hands the window to the window system's move, as if its caption had been grabbed.
    virtual void StartWindowMove() = 0;
};

} // namespace ov
