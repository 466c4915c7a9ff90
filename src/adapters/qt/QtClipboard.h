#pragma once
#include "ports/Clipboard.h"

namespace ov {

// The desktop's clipboard through QClipboard.
class QtClipboard : public Clipboard {
public:
    void SetText(const QString& text) override;
    // A frame whose sizes do not fit its pixels is not put on the clipboard.
    void SetImage(const Frame& frame) override;
};

} // namespace ov
