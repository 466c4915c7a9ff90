#pragma once

namespace ov {

// The one actions object; it holds every action handler. The registry of named actions is
// built on it.
class ovActions {
public:
    ovActions() = default;
    ovActions(const ovActions&) = delete;
    ovActions& operator=(const ovActions&) = delete;
};

} // namespace ov
