#include "core/system/cl_debugLog.h"
#include "core/system/sys_SysUtils.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSystemInfo.h"

#include <gtest/gtest.h>

namespace ov {
namespace {

TEST(SystemTexts, ProgramVersionForms) {
    const struct {
        std::optional<ProgramVersion> version;
        int form;
        const char* text;
    } cases[] = {
        {ProgramVersion{1, 0, 0, 211}, 1, "1.0 (build 211)"},
        {ProgramVersion{1, 0, 0, 211}, 2, "1.0.211"},
        {ProgramVersion{1, 0, 0, 211}, 0, "1.0"},
        {ProgramVersion{1, 0, 0, 211}, 3, "1.0"},
        // The build is the fourth number, not the third.
        {ProgramVersion{2, 5, 3, 7}, 2, "2.5.7"},
        {std::nullopt, 1, ""},
        {std::nullopt, 2, ""},
        {std::nullopt, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        test::FakeSystemInfo system;
        system.programVersion = c.version;
        EXPECT_EQ(GetProgramVersion(system, c.form), QString::fromLatin1(c.text));
    }
}

TEST(SystemTexts, DirectXVersionFallsBackToQuestionMark) {
    test::FakeSystemInfo system;
    EXPECT_EQ(GetDirectXVersion(system), "4.09.00.0904");
    system.mediaFrameworkVersion.clear();
    EXPECT_EQ(GetDirectXVersion(system), "?");
}

TEST(SystemTexts, OperatingSystemTexts) {
    const struct {
        std::optional<OsRelease> os;
        const char* versionText;
        const char* name;
    } cases[] = {
        {OsRelease{"Linux", "6.1.0-18-amd64", "Debian GNU/Linux 12 (bookworm)"},
         "Linux Version 6.1\r\n (Build 0: 18-amd64)",
         "Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64 "},
        {OsRelease{"Linux", "6.18.44-fc-v1523", ""}, "Linux Version 6.18\r\n (Build 44: fc-v1523)",
         "Linux 6.18.44-fc-v1523 "},
        // Nothing after the numbers: the whole release stands in the build's text.
        {OsRelease{"Linux", "5.10", ""}, "Linux Version 5.10\r\n (Build 0: 5.10)", "Linux 5.10 "},
        {OsRelease{"Linux", "6.1.0", "Arch Linux"}, "Linux Version 6.1\r\n (Build 0: 6.1.0)",
         "Arch Linux Linux 6.1.0 "},
        {OsRelease{"Linux", "custom", ""}, "Linux Version 0.0\r\n (Build 0: custom)",
         "Linux custom "},
        {OsRelease{"", "", ""}, " Version 0.0\r\n (Build 0: )", "Not determined"},
        {std::nullopt, "", "Not determined"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeSystemInfo system;
        system.operatingSystem = c.os;
        EXPECT_EQ(GetOSVersionText(system), QString::fromLatin1(c.versionText));
        EXPECT_EQ(GetOSName(system), QString::fromLatin1(c.name));
    }
}

TEST(SystemTexts, CheckSystemRequirementsReportsEachFailure) {
    const QString dxLog = "FAIL: DirectX version is lower than required!";
    const QString dxMessage = "Orvane Player required Direct 9, not lower.";
    const QString soundLog = "FAIL: Sound card is not detected!";
    const QString soundMessage = "No sound card detected!";
    const struct {
        const char* name;
        QString version;
        int soundDevices;
        QStringList logLines;
        QStringList messages;
    } cases[] = {
        {"all present", "4.09.00.0904", 1, {}, {}},
        {"older framework", "4.08.01.0881", 2, {dxLog}, {dxMessage}},
        {"framework unreadable", "", 1, {dxLog}, {dxMessage}},
        {"no sound device", "4.09.00.0904", 0, {soundLog}, {soundMessage}},
        {"both missing", "4.08.01.0881", 0, {dxLog, soundLog}, {dxMessage, soundMessage}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeSystemInfo system;
        system.mediaFrameworkVersion = c.version;
        system.soundDeviceCount = c.soundDevices;
        test::FakeDialogs dialogs;
        RecordingLogSink log;
        SetLogSink(&log);
        int closed = 0;
        CheckSystemRequirements(system, dialogs, [&] { ++closed; });
        SetLogSink(nullptr);

        EXPECT_EQ(log.lines, c.logLines);
        EXPECT_EQ(dialogs.Texts(), c.messages);
        for (const auto& message : dialogs.messages)
            EXPECT_EQ(message.caption, "Orvane Player");
        EXPECT_EQ(closed, c.messages.size());
    }
}

} // namespace
} // namespace ov
