#include "core/system/sys_CPUCaps.h"
#include "fakes/FakeSystemInfo.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace ov {
namespace {

constexpr std::uint32_t Bits(std::initializer_list<int> bits) {
    std::uint32_t value = 0;
    for (int bit : bits)
        value |= 1u << bit;
    return value;
}

constexpr std::uint32_t ext = 0x80000000u;
constexpr std::uint32_t extFeatures = 0x80000001u;

struct CpuCase {
    const char* name;
    bool supported;
    CpuidRegs leaf1;
    std::uint32_t highestExtended;
    std::uint32_t extendedEdx;
    const char* text;
    std::vector<std::uint32_t> queries;
};

// Leaf sequences the probes must produce, MMX first and 3DNowExt last.
const std::vector<std::uint32_t> mmx2FromLeaf1 = {
    1, 1, 1, 1, 1, ext, extFeatures, ext, extFeatures, ext, extFeatures};
const std::vector<std::uint32_t> mmx2FromExtended = {
    1, 1, ext, extFeatures, 1, 1, 1, ext, extFeatures, ext, extFeatures, ext, extFeatures};
const std::vector<std::uint32_t> noExtendedLeaf = {1, 1, ext, 1, 1, 1, ext, ext, ext};

const CpuCase cpuCases[] = {
    {"no CPUID", false, {0, 0, Bits({0}), Bits({22, 23, 25, 26})}, 0x80000008u, ~0u, "", {}},
    {"Intel x86-64, MMX2 from leaf 1",
     true,
     {0, 0, Bits({0}), Bits({22, 23, 25, 26})},
     0x80000008u,
     Bits({20, 29}),
     " MMX MMX2 SSE SSE2 SSE3 64",
     mmx2FromLeaf1},
    {"AMD x86-64, MMX2 from the extended leaf",
     true,
     {0, 0, Bits({0}), Bits({23, 25, 26})},
     0x8000001Fu,
     Bits({22, 29}),
     " MMX MMX2 SSE SSE2 SSE3 64",
     mmx2FromExtended},
    {"K6-2-like: 3DNow and MMX2 only from the extended leaf",
     true,
     {0, 0, 0, Bits({23})},
     0x80000005u,
     Bits({22, 30, 31}),
     " MMX MMX2 3DNOW 3DNOWEXT",
     mmx2FromExtended},
    {"every flag, text order differs from probe order",
     true,
     {0, 0, Bits({0}), Bits({23, 25, 26})},
     0x80000001u,
     Bits({22, 29, 30, 31}),
     " MMX MMX2 SSE SSE2 SSE3 3DNOW 3DNOWEXT 64",
     mmx2FromExtended},
    {"highest extended leaf exactly 0x80000000",
     true,
     {0, 0, Bits({0}), Bits({23, 25, 26})},
     0x80000000u,
     ~0u,
     " MMX SSE SSE2 SSE3",
     noExtendedLeaf},
    {"extended range reads as a small number (unsigned compare)",
     true,
     {0, 0, 0, Bits({23})},
     0x7FFFFFFFu,
     ~0u,
     " MMX",
     noExtendedLeaf},
};

TEST(CpuCaps, DetectsFlagsInProbeOrder) {
    for (const CpuCase& c : cpuCases) {
        SCOPED_TRACE(c.name);
        test::FakeCpuid cpu;
        cpu.supported = c.supported;
        cpu.leaves[1] = c.leaf1;
        cpu.leaves[ext] = CpuidRegs{c.highestExtended, 0, 0, 0};
        cpu.leaves[extFeatures] = CpuidRegs{0, 0, 0, c.extendedEdx};

        const CpuCaps caps = DetectCpuCaps(cpu);
        EXPECT_EQ(CpuCapsText(caps), QString::fromLatin1(c.text));
        EXPECT_EQ(cpu.queried, c.queries);
        EXPECT_EQ(CpuCapsText(ProgramCpuCaps()), QString::fromLatin1(c.text));
    }
}

} // namespace
} // namespace ov
