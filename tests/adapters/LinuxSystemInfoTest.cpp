#include "adapters/desktop/LinuxSystemInfo.h"
#include "core/system/sys_CPUCaps.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/utsname.h>

namespace ov {
namespace {

TEST(LinuxSystemInfo, MediaFrameworkMeetsThePlayersNeeds) {
    LinuxSystemInfo system;
    EXPECT_EQ(system.MediaFrameworkVersion(), "4.09.00.0904");
}

TEST(LinuxSystemInfo, ReadsOsRelease) {
    const struct {
        const char* name;
        const char* contents; // null: no file at all
        const char* prettyName;
    } cases[] = {
        {"double quotes",
         "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"single quotes", "PRETTY_NAME='Fedora Linux 39'\n", "Fedora Linux 39"},
        {"unquoted", "PRETTY_NAME=Alpine\n", "Alpine"},
        {"escapes", "PRETTY_NAME=\"My \\\"Own\\\" OS \\$1\"\n", "My \"Own\" OS $1"},
        {"NAME when PRETTY_NAME is missing", "NAME=\"Gentoo\"\nID=gentoo\n", "Gentoo"},
        {"comments and CR LF", "# PRETTY_NAME=\"Wrong\"\r\nPRETTY_NAME=\"Right\"\r\n", "Right"},
        {"empty file", "", ""},
        {"missing file", nullptr, ""},
    };
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("os-release");
        if (c.contents) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.contents);
        }
        LinuxSystemInfo system({path});
        const std::optional<OsRelease> os = system.OperatingSystem();
        ASSERT_TRUE(os.has_value());
        EXPECT_EQ(os->prettyName, QString::fromUtf8(c.prettyName));
        EXPECT_EQ(os->kernelName, QString::fromUtf8(names.sysname));
        EXPECT_EQ(os->kernelRelease, QString::fromUtf8(names.release));
    }
}

TEST(LinuxSystemInfo, FallsBackToTheNextOsReleaseFile) {
    QTemporaryDir dir;
    QFile file(dir.filePath("second"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PRETTY_NAME=\"Fallback OS\"\n");
    file.close();
    LinuxSystemInfo system({dir.filePath("first"), dir.filePath("second")});
    EXPECT_EQ(system.OperatingSystem()->prettyName, "Fallback OS");
}

TEST(LinuxSystemInfo, ProgramVersionIsCompiledIn) {
    LinuxSystemInfo system;
    const std::optional<ProgramVersion> version = system.ProgramFileVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->major, 1);
    EXPECT_EQ(version->minor, 0);
    EXPECT_EQ(version->release, 0);
    EXPECT_EQ(version->build, 211);
}

TEST(LinuxSystemInfo, ScreensAndSoundDevices) {
    LinuxSystemInfo system;
    EXPECT_EQ(system.MonitorCount(), QGuiApplication::screens().size());
    if (QGuiApplication::primaryScreen()) {
        const ScreenProperties screen = system.PrimaryScreen();
        EXPECT_GT(screen.width, 0);
        EXPECT_GT(screen.height, 0);
        EXPECT_GT(screen.bitsPerPixel, 0);
    }
    // A machine may well have none; the query must simply come back.
    EXPECT_GE(system.SoundDeviceCount(), 0);
}

TEST(LinuxSystemInfo, ProcessorIdentification) {
    LinuxSystemInfo system;
    Cpuid& cpu = system.Processor();
#if defined(__x86_64__)
    ASSERT_TRUE(cpu.Supported());
    EXPECT_GE(cpu.Query(0).eax, 1u);
    // Leaves beyond the processor's range read as zeros.
    EXPECT_EQ(cpu.Query(0x7FFFFFFFu).eax, 0u);
    // Every x86-64 processor has these.
    const CpuCaps caps = DetectCpuCaps(cpu);
    EXPECT_TRUE(caps.hasMMX);
    EXPECT_TRUE(caps.hasSSE);
    EXPECT_TRUE(caps.hasSSE2);
    EXPECT_TRUE(caps.has64);
#else
    EXPECT_FALSE(cpu.Supported());
#endif
}

} // namespace
} // namespace ov
