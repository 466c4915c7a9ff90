#include "core/system/sys_CPUCaps.h"

#include "ports/SystemInfo.h"

#include <cstdint>

namespace ov {

namespace {

constexpr std::uint32_t featureLeaf = 1;
constexpr std::uint32_t extendedBase = 0x80000000u;
constexpr std::uint32_t extendedFeatureLeaf = 0x80000001u;

CpuCaps& StoredCaps() {
    static CpuCaps caps;
    return caps;
}

bool Bit(std::uint32_t value, int bit) {
    return ((value >> bit) & 1u) != 0;
}

bool HasExtendedFeatures(Cpuid& cpu) {
    return cpu.Query(extendedBase).eax > extendedBase;
}

// Each probe asks the processor again, so a probe never depends on another one's answer.
bool ProbeStandardEdx(Cpuid& cpu, int bit) {
    return Bit(cpu.Query(featureLeaf).edx, bit);
}

bool ProbeExtendedEdx(Cpuid& cpu, int bit) {
    return HasExtendedFeatures(cpu) && Bit(cpu.Query(extendedFeatureLeaf).edx, bit);
}

} // namespace

CpuCaps DetectCpuCaps(Cpuid& cpu) {
    CpuCaps caps;
    if (cpu.Supported()) {
        caps.hasMMX = ProbeStandardEdx(cpu, 23);
        // The integer SSE instructions: Intel reports them in leaf 1, AMD only in the extended
        // leaf.
        caps.hasMMX2 = ProbeStandardEdx(cpu, 22) || ProbeExtendedEdx(cpu, 22);
        caps.hasSSE = ProbeStandardEdx(cpu, 25);
        caps.hasSSE2 = ProbeStandardEdx(cpu, 26);
        caps.hasSSE3 = Bit(cpu.Query(featureLeaf).ecx, 0);
        caps.has3DNow = ProbeExtendedEdx(cpu, 31);
        caps.has64 = ProbeExtendedEdx(cpu, 29);
        caps.has3DNowExt = ProbeExtendedEdx(cpu, 30);
    }
    StoredCaps() = caps;
    return caps;
}

QString CpuCapsText(const CpuCaps& caps) {
    QString text;
    if (caps.hasMMX) text += QStringLiteral(" MMX");
    if (caps.hasMMX2) text += QStringLiteral(" MMX2");
    if (caps.hasSSE) text += QStringLiteral(" SSE");
    if (caps.hasSSE2) text += QStringLiteral(" SSE2");
    if (caps.hasSSE3) text += QStringLiteral(" SSE3");
    if (caps.has3DNow) text += QStringLiteral(" 3DNOW");
    if (caps.has3DNowExt) text += QStringLiteral(" 3DNOWEXT");
    if (caps.has64) text += QStringLiteral(" 64");
    return text;
}

const CpuCaps& ProgramCpuCaps() {
    return StoredCaps();
}

} // namespace ov
