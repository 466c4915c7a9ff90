#pragma once
#include <QColor>
#include <cstdint>

namespace ov {

// RGB numbers keep red in the lowest byte.
inline QColor ToQColor(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

} // namespace ov
