#pragma once
#include "ports/SystemInfo.h"

#include <QStringList>

namespace ov {

// The processor's identification instruction on this machine.
class LinuxCpuid : public Cpuid {
public:
    bool Supported() override;
    CpuidRegs Query(std::uint32_t leaf) override;
};

// Facts about this Linux machine: GStreamer for media and sound, uname and os-release for the
// system, Qt for the screens.
class LinuxSystemInfo : public SystemInfo {
public:
    // The os-release files to read, first existing one wins.
    explicit LinuxSystemInfo(QStringList osReleasePaths = {QStringLiteral("/etc/os-release"),
                                                           QStringLiteral("/usr/lib/os-release")});

    QString MediaFrameworkVersion() override;
    int SoundDeviceCount() override;
    std::optional<OsRelease> OperatingSystem() override;
    std::optional<ProgramVersion> ProgramFileVersion() override;
    ScreenProperties PrimaryScreen() override;
    int MonitorCount() override;
    Cpuid& Processor() override;

    // PRETTY_NAME (else NAME) of an os-release file's contents; empty when neither is there.
    static QString PrettyNameFromOsRelease(const QByteArray& contents);

private:
    QStringList osReleasePaths_;
    std::optional<QString> mediaVersion_;
    LinuxCpuid cpuid_;
};

} // namespace ov
