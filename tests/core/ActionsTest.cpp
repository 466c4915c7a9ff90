#include "core/actions/KeyDispatch.h"
#include "core/actions/ov_ProgramActions.h"
#include "core/actions/sys_ActionsUtils.h"
#include "core/config/cl_ConfigFile.h"
#include "core/playback/cl_playFunctions.h"
#include "support/Harness.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;
using ov::test::Harness;

namespace {

struct Row {
    const char* name;
    const char* caption;
};

// What users see and what stored files hold, so every text is checked as it must stand.
const Row kRows[kActionCount] = {
    {"ui_MaximizeApp", "Application: Maximize"},
    {"ui_ExitApp", "Application: Close"},
    {"ui_About", "Application: About"},
    {"ui_appOnTop", "Application: Always on top"},
    {"ui_MinimizeApp", "Application: Minimize"},
    {"ui_ShowOVOptions", "Application: Preferences menu"},
    {"ui_ShowVideoInfo", "Application: File information"},
    {"ui_ShowPlaylist", "Application: Show playlist"},
    {"ui_OpenMedia1", "Application: Open a new movie"},
    {"ui_OpenMedia", "Playback: Play/Pause"},
    {"ui_hidePanels", "Application: Hide panels"},
    {"ui_originalWindowSize", "Application: Move window to screen center with default w/h"},
    {"pb_StopMedia", "Playback: Stop"},
    {"pb_CloseMedia", "Playback: Close file"},
    {"snd_SetMute", "Sound: Turn off"},
    {"snd_VolumeUp", "Sound: Increase volume"},
    {"snd_VolumeDown", "Sound: Decrease volume"},
    {"skng_FrameFwd", "Seek: Frame forward"},
    {"skng_FrameBack", "Seek: Frame backward"},
    {"skng_StepFwd", "Seek: Jump forward"},
    {"skng_StepBack", "Seek: Jump backward"},
    {"skng_SeekFwd", "Seek: Seek forward"},
    {"skng_SeekBack", "Seek: Seek backward"},
    {"skng_SetVideoToBegin", "Seek: Seek to movie begin"},
    {"pl_nextInPlaylist", "Playlist: Next in playlist"},
    {"pl_prevInPlaylist", "Playlist: Previous in playlist"},
    {"pl_removeFromPlaylist", "Playlist: Remove from playlist"},
    {"pl_erasePlaylist", "Playlist: Erase playlist"},
    {"pl_sortPlaylist", "Playlist: Sort playlist"},
    {"pl_clipboardThisItem", "Playlist: Copy selected line to clipboard"},
    {"pl_playSelected", "Playlist: Play selected"},
    {"pl_moveUp", "Playlist: Move item up"},
    {"pl_moveDown", "Playlist: Move item down"},
    {"ar_SetFullScreen", "Aspect ratio: FullScreen"},
    {"ar_SetWideScreen", "Aspect ratio: WideScreen"},
    {"ar_SetXY", "Aspect ratio: Stretched"},
    {"dm_SetOriginalSize", "Video viewing: Original size"},
    {"dm_SetFullscreen", "Video viewing: FullScreen mode"},
    {"dm_ZoomIn", "Video viewing: Zoom-in picture"},
    {"dm_ZoomOut", "Video viewing: Zoom-out picture"},
    {"dm_BrightnessIn", "Video viewing: Increase brightness"},
    {"dm_BrightnessOut", "Video viewing: Decrease brightness"},
    {"dm_ContrastIn", "Video viewing: Increase contrast"},
    {"dm_ContrastOut", "Video viewing: Decrease contrast"},
    {"dm_SaturationIn", "Video viewing: Increase saturation"},
    {"dm_SaturationOut", "Video viewing: Decrease saturation"},
    {"dm_HUEIn", "Video viewing: Increase HUE"},
    {"dm_HUEOut", "Video viewing: Decrease HUE"},
    {"dmc_keyboardEnter", "DVD: Activate menu"},
    {"dmc_keyboardUp", "DVD: Menu Up"},
    {"dmc_keyboardDown", "DVD: Menu Down"},
    {"dmc_keyboardLeft", "DVD: Menu Left"},
    {"dmc_keyboardRight", "DVD: Menu Right"},
    {"dvd_searchForDVD", "DVD: Search for DVD disk"},
    {"dvd_mainDVDMenu", "DVD: Main DVD menu"},
    {"dvd_nextChapter", "DVD: Next chapter"},
    {"dvd_prevChapter", "DVD: Previous chapter"},
    {"msc_SnapshotToFile", "Miscalleneous: Screenshot to file"},
    {"msc_SnapshotToClipboard", "Miscalleneous: Screenshot to clipboard"},
};

struct LogScope {
    LogScope() { SetLogSink(&log); }
    ~LogScope() { SetLogSink(nullptr); }
    RecordingLogSink log;
};

} // namespace

TEST(Actions, EveryRowRoundTrips) {
    LogScope scope;
    for (int i = 0; i < kActionCount; ++i) {
        const QString name = kRows[i].name;
        const QString caption = kRows[i].caption;
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(ActionName(i), name);
        EXPECT_EQ(ActionCaption(i), caption);
        const ActionHandler handler = ActionFromString(name);
        ASSERT_FALSE(handler.IsEmpty());
        EXPECT_EQ(ActionFromString(name.toUpper()), handler);
        EXPECT_EQ(ActionFromString(name.toLower()), handler);
        EXPECT_EQ(ActionFromIndex(i), handler);
        EXPECT_EQ(ActionToString(handler), caption);
        EXPECT_EQ(ActionToStringEx(handler), name);
        EXPECT_EQ(ActionIndex(caption), i);
        EXPECT_EQ(ActionIndex(caption.toLower()), caption == caption.toLower() ? i : -1)
            << "captions are compared with their case";
    }
    EXPECT_FALSE(scope.log.lines.contains("*FAIL* ActionToStringEx: Action is NOT exist..."));
}

TEST(Actions, MissesGiveTheEmptyHandlerAndSaySo) {
    LogScope scope;
    const ActionHandler empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(ActionToString(empty), "Unknown");
    EXPECT_EQ(ActionToStringEx(empty), "");
    EXPECT_EQ(ActionFromString("ui_ExitAppX"), empty);
    EXPECT_EQ(ActionFromString(""), empty);
    EXPECT_EQ(ActionFromIndex(-1), empty);
    EXPECT_EQ(ActionFromIndex(59), empty);
    EXPECT_EQ(ActionIndex(""), -1);
    EXPECT_EQ(ActionIndex("Application: Close "), -1);
    // An operation without a row has no name either, and no failure line.
    EXPECT_EQ(ActionToString(ActionHandler(ActionOp::Play)), "Unknown");
    EXPECT_EQ(ActionToStringEx(ActionHandler(ActionOp::Play)), "");
    EXPECT_EQ(scope.log.lines,
              (QStringList{"*FAIL* ActionToStringEx: Action is NOT exist...",
                           "ActionFromIndex: X is \"-1\"", "ActionFromIndex: X is \"59\"",
                           "FAIL: ActionIndex get empty *Text*!"}));
}

TEST(Actions, FullScreenRowsStayTwoActions) {
    LogScope scope;
    const ActionHandler maximize = ActionFromIndex(0);
    const ActionHandler fullscreen = ActionFromIndex(37);
    EXPECT_NE(maximize, fullscreen);
    EXPECT_EQ(ActionToStringEx(fullscreen), "dm_SetFullscreen");
    TKeys keys;
    AddHotkey(keys, 13, {}, maximize);
    AddHotkey(keys, 13, {.ctrl = true}, fullscreen);
    EXPECT_EQ(keys.Count, 2);
    EXPECT_EQ(FindHotkey(keys, 13, {.ctrl = true})->Action, fullscreen);
}

namespace {

// A started main window whose hotkeys are the defaults of a fresh OV.xml, with a movie loaded.
struct KeysOnMovie : Harness {
    KeysOnMovie() {
        window->FormCreate();
        ConfigFileContext context{dir.path() + "/", shell, dialogs};
        LoadConfiguration(context);
        LoadHotkeys(window->Actions->Keys, context);
        movie = dir.filePath("demo.avi");
        QFile file(movie);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        MediaFacts facts;
        facts.ok = true;
        VideoStreamFacts video;
        video.width = 320;
        video.height = 240;
        video.lengthSeconds = 90;
        facts.video << video;
        mediaInfo.facts[movie] = facts;
        constexpr RefTime kLength = 90'0000000;
        graph.seeking.stopPosition = kLength;
        graph.seeking.duration = kLength;
        graph.seeking.currentPosition = kLength / 2;
        graph.duration = 90000;
        OpenMedia(*window, movie, true);
        graph.ClearCalls();
    }
    bool Press(int qtKey, Qt::KeyboardModifiers modifiers = {}) {
        return FormKeyDown(*window, KeyInput{qtKey, 0, modifiers, false, false});
    }
    QTemporaryDir dir;
    QString movie;
};

} // namespace

TEST(Actions, DefaultKeysDriveTheMovie) {
    KeysOnMovie k;
    ASSERT_TRUE(k.window->MovieInfo->Opened);
    const bool playing = k.window->MovieInfo->Playing;
    EXPECT_TRUE(k.Press(Qt::Key_Space));
    EXPECT_NE(k.window->MovieInfo->Playing, playing) << "Space plays and pauses";
    EXPECT_EQ(k.graph.calls.value(0), playing ? "Pause" : "Play");

    struct Seek {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool runs;
    } seeks[] = {
        {Qt::Key_Left, {}, true},
        {Qt::Key_Left, Qt::ControlModifier, true},
        {Qt::Key_Right, Qt::ShiftModifier, true},
        {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::Key_Left, Qt::AltModifier, false},
    };
    for (const Seek& s : seeks) {
        k.graph.ClearCalls();
        EXPECT_EQ(k.Press(s.key, s.modifiers), s.runs) << s.key << " " << s.modifiers;
        EXPECT_EQ(k.graph.calls.isEmpty(), !s.runs) << k.graph.calls.join(' ').toStdString();
    }

    EXPECT_TRUE(k.Press(Qt::Key_V));
    EXPECT_FALSE(k.window->MovieInfo->Opened) << "V closes the movie";
    EXPECT_FALSE(k.Press(Qt::Key_Q)) << "an unbound key runs nothing";
    EXPECT_TRUE(k.Press(Qt::Key_Escape));
    EXPECT_EQ(k.view.calls.last(), "CloseWindow") << "Esc exits";
    EXPECT_EQ(k.window->Actions, nullptr) << "the close handler released the actions";
}

TEST(Actions, DvdMenuKeysNeedARunningGraph) {
    Harness h;
    h.window->FormCreate();
    ovActions& actions = *h.window->Actions;
    const ActionOp ops[] = {ActionOp::dmc_keyboardEnter, ActionOp::dmc_keyboardUp,
                            ActionOp::dmc_keyboardDown, ActionOp::dmc_keyboardLeft,
                            ActionOp::dmc_keyboardRight};
    h.graph.dvdAvailable = true;
    h.graph.ClearCalls();
    for (ActionOp op : ops)
        actions.Run(ActionHandler(op));
    EXPECT_TRUE(h.graph.calls.isEmpty());
    h.graph.active = true;
    for (ActionOp op : ops)
        actions.Run(ActionHandler(op));
    EXPECT_EQ(h.graph.calls,
              (QStringList{"Dvd.ButtonActivate", "Dvd.UpperButtonSelect", "Dvd.LowerButtonSelect",
                           "Dvd.LeftButtonSelect", "Dvd.RightButtonSelect"}));
    EXPECT_EQ(h.window->model.overlay.text, "") << "they show nothing";
}
