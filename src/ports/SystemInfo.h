#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ov {

struct CpuidRegs {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

// The processor's identification instruction.
class Cpuid {
public:
    virtual ~Cpuid() = default;
    // Whether bit 21 of the flags register can be toggled.
    virtual bool Supported() = 0;
    virtual CpuidRegs Query(std::uint32_t leaf) = 0;
};

struct ScreenProperties {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshHz = 0;
};

// The operating system's own description of itself.
struct OsRelease {
    QString kernelName;    // uname sysname, e.g. "Linux"
    QString kernelRelease; // uname release, e.g. "6.1.0-18-amd64"
    QString prettyName;    // os-release PRETTY_NAME, empty when unknown
};

struct ProgramVersion {
    int major = 0, minor = 0, release = 0, build = 0;
};

// Facts about the machine and the program.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The media framework's version value: "4.09.00.0904" when it meets the player's needs,
    // empty when it cannot be read.
    virtual QString MediaFrameworkVersion() = 0;
    // Number of sound output devices.
    virtual int SoundDeviceCount() = 0;
    // Empty when the version query fails.
    virtual std::optional<OsRelease> OperatingSystem() = 0;
    // Empty when the program's version information cannot be read.
    virtual std::optional<ProgramVersion> ProgramFileVersion() = 0;
    virtual ScreenProperties PrimaryScreen() = 0;
    virtual int MonitorCount() = 0;
    virtual Cpuid& Processor() = 0;
};

} // namespace ov
