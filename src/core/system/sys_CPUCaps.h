#pragma once

#include <QString>

namespace ov {

class Cpuid;

// The processor's instruction-set extensions; all false until DetectCpuCaps has run.
struct CpuCaps {
    bool hasMMX = false;
    bool hasMMX2 = false;
    bool hasSSE = false;
    bool hasSSE2 = false;
    bool hasSSE3 = false;
    bool has3DNow = false;
    bool has3DNowExt = false;
    bool has64 = false;
};

// Fills the flags from the processor's identification instruction.
CpuCaps DetectCpuCaps(Cpuid& cpu);

// " MMX", " MMX2", ... for each flag set, in the header's order.
QString CpuCapsText(const CpuCaps& caps);

// The flags detected at program start (DetectCpuCaps stores its last result here).
const CpuCaps& ProgramCpuCaps();

} // namespace ov
