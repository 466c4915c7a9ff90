#pragma once
#include <QString>
#include <functional>

namespace ov {

// Arrival and removal of removable media. A mount point plays the part of a drive root.
class VolumeMonitor {
public:
    virtual ~VolumeMonitor() = default;
    virtual void Start() = 0;
    std::function<void(const QString& root)> OnArrival;
    std::function<void(const QString& root)> OnRemoval;
};

} // namespace ov
