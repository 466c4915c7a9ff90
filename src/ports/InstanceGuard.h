#pragma once
#include <QString>
#include <functional>

namespace ov {

// The one-player-per-desktop rule and the process priority.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // Raises the process priority as far as the user may; best effort, never fails.
    virtual void RaisePriority() = 0;
    // Looks for a running player (window class and caption identify it). When one exists it is
    // asked to come to the front and true is returned: this process must end. Otherwise this
    // process becomes the running player and false is returned.
    virtual bool BringRunningToFront(const QString& windowClass, const QString& caption) = 0;
    // Called in the running player when a later start asks it to come to the front.
    std::function<void()> OnActivateRequest;
};

} // namespace ov
