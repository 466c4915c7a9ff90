#pragma once
#include "ports/FrameGrabber.h"

#include <QString>

namespace ov {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void SetText(const QString& text) = 0;
    virtual void SetImage(const Frame& frame) = 0;
};

} // namespace ov
