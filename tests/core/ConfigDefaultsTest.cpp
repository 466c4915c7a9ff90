#include "core/config/ConfigSchema.h"
#include "core/config/cl_ConfigFile.h"
#include "core/app/Error.h"
#include "fakes/FakeShell.h"

#include <gtest/gtest.h>

using namespace ov;

namespace {

struct DefaultRow {
    const char* field;
    std::int64_t reader;
    std::int64_t firstRun; // -1: absent from the first-run file
    std::int64_t reset;    // -1: the reset leaves it alone
};

// The three default sets of every numeric field, as the configuration table gives them.
const DefaultRow kRows[] = {
    {"ovCWZUM", 1, 1, 1},
    {"ovFullScreenWhenPlayStarted", 0, 0, 0},
    {"ovBeginPlaying", 1, 1, 1},
    {"ovSeekToLastStop", 1, 0, 0},
    {"ovRmbLastMovie", 0, 1, 0},
    {"ovDisableSS", 1, 1, 1},
    {"mscAllowMultipleInst", 0, 0, 0},
    {"mscRvrsPbTime", 0, 0, 0},
    {"mscPauseWhenMinimized", 1, 1, 1},
    {"mscAutoPPWhenInActive", 0, 0, 0},
    {"mscRewindPBOnFinish", 1, 1, 1},
    {"pBackground_color", 0, 0, -1},
    {"pFont_color", 9, 9, -1},
    {"pFontSize", 2, 2, -1},
    {"pShowNumbers", 1, 1, 1},
    {"pShowDuration", 1, 0, 0},
    {"pIfEnd", 0, 0, 0},
    {"pShuffle", 0, 0, -1},
    {"mLBtn", 0, 0, 1},
    {"mLDblBtn", 1, 1, 0},
    {"mMdlBtn", 2, 2, 0},
    {"mRoll", 0, 0, 0},
    {"mRollDirection", 0, 0, -1},
    {"mRBtn", 2, -1, 1},
    {"msHideSecs", 2, 2, 2},
    {"capDontShowInFSMode", 0, 0, -1},
    {"capShowInWndMode", 1, 1, -1},
    {"vSkng", 5, 5, 3},
    {"vSkngStep", 30, 30, 30},
    {"playlistIsClosed", 1, 1, -1},
    {"volume", 5000, 5000, -1},
    {"asPlaylistWidth", 107, 107, -1},
    {"RmbPlaylist", 0, 0, 0},
    {"RmbWndState", 0, 0, 0},
    {"dvdAutorun", 0, 0, 1},
    {"ovLang", 0, 0, -1},
    {"olTextColor", 11, 0x00FF00, -1},
    {"olTextSize", 8, 8, -1},
    {"wasClosedInFullScreen", 0, 0, -1},
};

// A record where every numeric field holds a marker, to see which fields a set leaves alone.
constexpr std::int64_t kMarker = 77;
zvOVConfigInfo MarkedRecord() {
    zvOVConfigInfo c;
    for (const ConfigField& f : kConfigFields)
        if (f.width != FieldWidth::Text) StoreNumber(c, f, kMarker);
    return c;
}

const DefaultContext kContext{"/home/user/Pictures", "/opt/orvane/"};

} // namespace

TEST(ConfigDefaults, EveryNumericFieldHasItsThreeDefaults) {
    for (const DefaultRow& row : kRows) {
        SCOPED_TRACE(row.field);
        const ConfigField* f = FindConfigField(row.field);
        ASSERT_NE(f, nullptr);
        for (const auto& [set, expected] :
             {std::pair{DefaultSet::Reader, row.reader}, std::pair{DefaultSet::FirstRun, row.firstRun},
              std::pair{DefaultSet::Reset, row.reset}}) {
            zvOVConfigInfo c = MarkedRecord();
            ApplyDefaults(c, set, kContext);
            EXPECT_EQ(LoadNumber(c, *f), expected < 0 ? kMarker : expected)
                << "set " << static_cast<int>(set);
        }
    }
}

TEST(ConfigDefaults, TextsComeFromTheEnvironment) {
    zvOVConfigInfo c;
    ApplyDefaults(c, DefaultSet::Reader, kContext);
    EXPECT_EQ(c.scrFolder, "/home/user/Pictures");
    EXPECT_EQ(c.installedDir, "/opt/orvane/");
    EXPECT_EQ(c.latestMovie, "");

    zvOVConfigInfo first;
    ApplyDefaults(first, DefaultSet::FirstRun, kContext);
    EXPECT_EQ(first.scrFolder, "") << "written empty so the reader default applies";
    EXPECT_EQ(first.installedDir, "/opt/orvane/");

    zvOVConfigInfo reset;
    reset.installedDir = "/kept/";
    ApplyDefaults(reset, DefaultSet::Reset, kContext);
    EXPECT_EQ(reset.scrFolder, "/home/user/Pictures");
    EXPECT_EQ(reset.installedDir, "/kept/");
}

TEST(ConfigDefaults, WindowBoundsHaveNoDefaults) {
    for (const char* name : {"wndWidth", "wndHeight", "wndPosX", "wndPosY"}) {
        for (DefaultSet set : {DefaultSet::Reader, DefaultSet::FirstRun, DefaultSet::Reset}) {
            zvOVConfigInfo c = MarkedRecord();
            ApplyDefaults(c, set, kContext);
            EXPECT_EQ(LoadNumber(c, *FindConfigField(name)), kMarker) << name;
        }
    }
}

TEST(ConfigDefaults, FieldsAreCutToTheirWidths) {
    zvOVConfigInfo c;
    StoreNumber(c, *FindConfigField("msHideSecs"), 300);
    EXPECT_EQ(c.msHideSecs, 44);
    StoreNumber(c, *FindConfigField("vSkng"), -1);
    EXPECT_EQ(c.vSkng, 65535);
    StoreNumber(c, *FindConfigField("wndPosX"), 40000);
    EXPECT_EQ(c.wndPosX, 40000 - 65536);
    // Colours keep the low 32 bits, sign-extended.
    StoreNumber(c, *FindConfigField("olTextColor"), 0xFFFFFFFFll);
    EXPECT_EQ(c.olTextColor, -1);
}

TEST(ConfigDefaults, MillisecondCopiesAreSixteenBits) {
    EXPECT_EQ(SecondsToMsCopy(5), 5000);
    EXPECT_EQ(SecondsToMsCopy(65), 65000);
    EXPECT_EQ(SecondsToMsCopy(66), static_cast<std::uint16_t>(66000));
    zvOVConfigInfo c;
    ApplyDefaults(c, DefaultSet::Reader, kContext);
    EXPECT_EQ(c.vSkngMs, 5000);
    EXPECT_EQ(c.vSkngStepMs, 30000);
}

TEST(ConfigDefaults, FontSizeIndexes) {
    EXPECT_EQ(PlaylistFontPoints(0), 6);
    EXPECT_EQ(PlaylistFontPoints(14), 20);
    EXPECT_EQ(PlaylistFontPoints(15), 8);
    EXPECT_EQ(OverlayFontPoints(8), 18);
}

TEST(ConfigDefaults, PicturesFolderIsCutTo260Characters) {
    test::FakeShell shell;
    shell.pictures = QString(300, 'p');
    EXPECT_EQ(DefaultScreenshotFolder(shell).size(), 260);
}

TEST(ConfigDefaults, UnknownPicturesFolderIsAnError) {
    test::FakeShell shell;
    shell.pictures.clear();
    try {
        DefaultScreenshotFolder(shell);
        FAIL() << "expected an error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "SHGetPathFromIDList failed : invalid pidl");
    }
}
