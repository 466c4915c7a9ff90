#pragma once
#include <QString>
#include <functional>

namespace ov {

enum class BalloonIcon { None, Info, Warning, Error };

// The notification-area icon with its hint and balloon messages.
class Tray {
public:
    virtual ~Tray() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    virtual void SetHint(const QString& hint) = 0;
    // Does nothing where the desktop has no notification area.
    virtual void ShowBalloon(const QString& title, const QString& text, BalloonIcon icon,
                             int timeoutMs) = 0;
    std::function<void()> OnClick;
};

} // namespace ov
