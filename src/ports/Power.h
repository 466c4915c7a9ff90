#pragma once

namespace ov {

// Turning the computer off.
class Power {
public:
    virtual ~Power() = default;
    // The right to shut down, asked for before the request.
    virtual bool RequestShutdownPrivilege() = 0;
    // Asks the system to power off; true when the request was accepted.
    virtual bool PowerOff() = 0;
};

} // namespace ov
