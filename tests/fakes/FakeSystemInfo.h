#pragma once
#include "ports/SystemInfo.h"

#include <map>
#include <vector>

namespace ov::test {

// A processor whose answers are scripted per leaf; unknown leaves read as zeros.
class FakeCpuid : public Cpuid {
public:
    bool Supported() override;
    CpuidRegs Query(std::uint32_t leaf) override;

    bool supported = true;
    std::map<std::uint32_t, CpuidRegs> leaves;
    std::vector<std::uint32_t> queried; // every leaf asked, in order
};

// Every answer is a public field; tests set what they need.
class FakeSystemInfo : public SystemInfo {
public:
    FakeSystemInfo();

    QString MediaFrameworkVersion() override { return mediaFrameworkVersion; }
    int SoundDeviceCount() override { return soundDeviceCount; }
    std::optional<OsRelease> OperatingSystem() override { return operatingSystem; }
    std::optional<ProgramVersion> ProgramFileVersion() override { return programVersion; }
    ScreenProperties PrimaryScreen() override { return primaryScreen; }
    int MonitorCount() override { return monitorCount; }
    Cpuid& Processor() override { return cpu; }

    // Defaults describe a machine that passes every check.
    QString mediaFrameworkVersion;
    int soundDeviceCount = 1;
    std::optional<OsRelease> operatingSystem;
    std::optional<ProgramVersion> programVersion;
    ScreenProperties primaryScreen;
    int monitorCount = 1;
    FakeCpuid cpu;
};

} // namespace ov::test
