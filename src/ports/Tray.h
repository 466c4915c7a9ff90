#pragma once
#include <QString>
#include <functional>

namespace ov {

enum class BalloonIcon { None, Info, Warning, Error };

// The notification-area icon with its hint and balloon messages. Like the tray component it
// stands for, it also hides the main window to the tray and brings it back.
class Tray {
public:
    virtual ~Tray() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    virtual void SetHint(const QString& hint) = 0;
    // Does nothing where the desktop has no notification area.
    virtual void ShowBalloon(const QString& title, const QString& text, BalloonIcon icon,
                             int timeoutMs) = 0;
    // Whether the main window is hidden in the tray.
    virtual bool MainWindowHidden() const = 0;
    virtual void HideMainWindow() = 0;
    // Shows the main window again and brings it to the foreground.
    virtual void RestoreMainWindow() = 0;
    std::function<void()> OnClick;
};

} // namespace ov
