#pragma once
#include "ports/HResult.h"

#include <QString>
#include <cstdint>

namespace ov {

// "h:mm:ss", or "h.mm.ss" when dotted; hours are not reduced modulo 24.
QString FormatRefTime(bool dotted, RefTime time);

// Milliseconds to 100-ns units; the product is computed in 32 bits without sign, as stored
// files and step settings expect.
RefTime MsToRefTime(std::uint32_t milliseconds);

} // namespace ov
