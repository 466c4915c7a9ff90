#include "core/actions/MouseDispatch.h"
#include "core/app/WindowActions.h"
#include "core/playback/cl_playFunctions.h"
#include "support/Harness.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;

namespace {

struct Win : test::Harness {
    Win() { window->FormCreate(); }
    void LoadMovie() {
        const QString path = dir.filePath("m.avi");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        window->Config->ovCWZUM = 0;
        InitializeMovie(*window, path);
    }
    void Place(Bounds b) {
        window->SetBounds(b);
        window->Publish();
    }
    Bounds Where() const { return view.model.bounds; }
    QTemporaryDir dir;
};

} // namespace

TEST(WindowActions, ZoomSteps) {
    struct Case {
        int from, in, out;
    } cases[] = {{0, 5, 0}, {3, 8, 0}, {5, 10, 0}, {6, 11, 1}, {94, 99, 89}, {95, 99, 90}, {97, 99, 92}, {99, 99, 94}};
    for (const Case& c : cases) {
        EXPECT_EQ(ZoomInLevel(c.from), c.in) << c.from;
        EXPECT_EQ(ZoomOutLevel(c.from), c.out) << c.from;
    }
    Win w;
    w.video.zoom = 97;
    dm_ZoomIn(*w.window);
    EXPECT_EQ(w.video.zoom, 99);
}

TEST(WindowActions, PanelsInWindowModeGrowAndShrinkTheWindow) {
    struct Case {
        bool keepTop;
        Bounds hidden;
        bool topHidden;
    } cases[] = {
        // Both panels go; the top edge moves down by the title panel and up by the nudge.
        {false, {100, 100 + 25 - 10, 700, 500 - 25 - 82}, true},
        // With the title kept in window mode only the control panel goes.
        {true, {100, 100 - 10, 700, 500 - 82}, false},
    };
    for (const Case& c : cases) {
        Win w;
        w.window->Config->capShowInWndMode = c.keepTop;
        w.LoadMovie();
        w.Place({100, 100, 700, 500});
        ui_hidePanels(*w.window);
        EXPECT_EQ(w.Where(), c.hidden) << c.keepTop;
        EXPECT_EQ(w.window->UIState->TopPanelHidden, c.topHidden);
        EXPECT_FALSE(w.view.model.bottomPanelVisible);
        EXPECT_TRUE(w.window->UIState->CursorHidden);
        EXPECT_EQ(w.video.autoHideCursor, 100);
        ui_hidePanels(*w.window);
        EXPECT_EQ(w.Where(), (Bounds{100, 90, 700, 500})) << "10 pixels higher, once";
        EXPECT_TRUE(w.view.model.topPanelVisible);
        ui_hidePanels(*w.window);
        ui_hidePanels(*w.window);
        EXPECT_EQ(w.Where(), (Bounds{100, 90, 700, 500})) << "the nudge happens only once";
    }
}

TEST(WindowActions, FullScreenHidesPanelsWithoutResizing) {
    for (bool noTopInFS : {false, true}) {
        Win w;
        w.window->Config->capDontShowInFSMode = noTopInFS;
        w.window->UIState->PlaylistHidden = false;
        w.window->model.playlistVisible = true;
        w.Place({100, 100, 700, 500});
        ui_MaximizeApp(*w.window);
        EXPECT_TRUE(w.view.model.maximized);
        EXPECT_TRUE(w.window->MovieInfo->FullScreen);
        EXPECT_FALSE(w.view.model.topPanelVisible);
        EXPECT_FALSE(w.view.model.bottomPanelVisible);
        EXPECT_FALSE(w.view.model.playlistVisible);
        EXPECT_TRUE(w.window->UIState->PlaylistHiddenForFullScreen);
        EXPECT_EQ(w.Where(), (Bounds{100, 100, 700, 500}));
        ui_hidePanels(*w.window); // show in full screen
        EXPECT_EQ(w.view.model.topPanelVisible, !noTopInFS);
        EXPECT_TRUE(w.view.model.bottomPanelVisible);
        EXPECT_EQ(w.Where(), (Bounds{100, 100, 700, 500}));
        ui_hidePanels(*w.window);
        ui_MaximizeApp(*w.window); // off: both panels and the playlist come back
        EXPECT_FALSE(w.view.model.maximized);
        EXPECT_TRUE(w.view.model.topPanelVisible);
        EXPECT_TRUE(w.view.model.bottomPanelVisible);
        EXPECT_TRUE(w.view.model.playlistVisible);
        EXPECT_FALSE(w.window->UIState->PlaylistHiddenForFullScreen);
        EXPECT_EQ(w.video.autoHideCursor, 0);
    }
}

TEST(WindowActions, PlaylistToggleIsRememberedForTheExit) {
    Win w;
    ui_ShowPlaylist(*w.window);
    EXPECT_TRUE(w.view.model.playlistVisible);
    EXPECT_EQ(w.window->Config->playlistIsClosed, 0);
    ui_ShowPlaylist(*w.window);
    EXPECT_FALSE(w.view.model.playlistVisible);
    EXPECT_EQ(w.window->Config->playlistIsClosed, 1);
}

TEST(WindowActions, WindowSizes) {
    Win w;
    w.Place({0, 0, 700, 500});
    ui_originalWindowSize(*w.window);
    // Centred for the old size on the 1024 x 768 screen, then the default size.
    EXPECT_EQ(w.Where(), (Bounds{162, 134, 381, 320})) << "no movie: the minimum height";

    Win m;
    m.LoadMovie(); // 0 x 0 picture from the fake reader
    m.window->MovieInfo->VideoWidth = 640;
    m.window->MovieInfo->VideoHeight = 480;
    dm_SetOriginalSize(*m.window);
    EXPECT_EQ(m.Where(), (Bounds{512 - 322, 384 - 291, 645, 583}));
}

TEST(WindowActions, AspectModes) {
    Win w;
    ar_SetFullScreen(*w.window);
    EXPECT_EQ(w.video.aspect, AspectMode::rmCrop);
    ar_SetXY(*w.window);
    EXPECT_EQ(w.video.aspect, AspectMode::rmStretched);
    ar_SetWideScreen(*w.window);
    EXPECT_EQ(w.video.aspect, AspectMode::rmLetterBox);
}

TEST(WindowActions, KeepOnScreenPullsBackRightAndBottomOnly) {
    struct Case {
        Bounds from, to;
    } cases[] = {
        {{900, 100, 400, 300}, {624, 100, 400, 300}},
        {{-50, 100, 400, 300}, {-50, 100, 400, 300}},
        {{10, 700, 400, 300}, {10, 768 - 300 - 25, 400, 300}},
        {{10, 10, 400, 300}, {10, 10, 400, 300}},
    };
    for (const Case& c : cases) {
        Win w;
        w.Place(c.from);
        KeepOnScreen(*w.window);
        EXPECT_EQ(w.Where(), c.to);
    }
}

TEST(WindowActions, ActivationPausesAndResumes) {
    test::FakeTray tray;
    Win w;
    w.window->platform.tray = &tray;
    w.window->Config->mscAutoPPWhenInActive = 1;
    w.LoadMovie();
    w.graph.ClearCalls();
    ActivationChanged(*w.window, false);
    EXPECT_EQ(w.graph.calls, QStringList{"Pause"});
    EXPECT_TRUE(w.window->MovieInfo->Playing) << "flags unchanged";
    EXPECT_EQ(tray.balloons, QStringList{"Pausing...|You are switched to other window, playback on pause."});
    ActivationChanged(*w.window, true);
    EXPECT_EQ(w.graph.calls.last(), "Play");
    EXPECT_EQ(tray.balloons.last(), "Are you back?.|Continue watching m...");

    // A movie the user paused stays paused.
    Pause(*w.window);
    w.graph.ClearCalls();
    ActivationChanged(*w.window, false);
    ActivationChanged(*w.window, true);
    EXPECT_TRUE(w.graph.calls.isEmpty());
}

TEST(MouseDispatch, WheelTargetsAndReversal) {
    struct Case {
        int target;
        bool reversed, away;
        const char* text;
    } cases[] = {
        {0, false, true, "Volume: 51%"}, {0, false, false, "Volume: 49%"},
        {0, true, true, "Volume: 49%"},  {6, false, true, "HUE: 50%"},
        {6, true, true, "HUE: 49%"},     {6, true, false, "HUE: 50%"},
        {3, false, true, "Brightness: 1%"},
    };
    for (const Case& c : cases) {
        Win w;
        w.window->UIState->PlaylistHidden = true;
        w.window->Config->mRoll = static_cast<std::uint16_t>(c.target);
        w.window->Config->mRollDirection = c.reversed;
        WheelStep(*w.window, c.away);
        EXPECT_EQ(w.window->model.overlay.text, c.text) << c.target << c.reversed << c.away;
    }
    Win w;
    w.window->Config->mRoll = 8;
    WheelStep(*w.window, true);
    EXPECT_EQ(w.window->model.overlay.text, "") << "an unknown target does nothing";
}

TEST(MouseDispatch, SingleAndDoubleClicksAreToldApart) {
    const VideoMouseEvent left{10, 10, MouseButton::Left};
    // A double click inside the click time: only the double-click action (full screen).
    Win w;
    w.LoadMovie();
    w.window->Config->mLBtn = 0;
    w.window->Config->mLDblBtn = 1;
    VideoMouseUp(*w.window, left);
    EXPECT_TRUE(w.window->tmrMsClickDiffer.isActive());
    VideoDblClick(*w.window, left);
    VideoMouseUp(*w.window, left);
    ClickTimerFired(*w.window);
    EXPECT_TRUE(w.view.model.maximized);
    EXPECT_TRUE(w.window->MovieInfo->Playing) << "the single click did not run";
    EXPECT_FALSE(w.window->tmrMsClickDiffer.isActive());

    // The second click comes late: the single-click action first, then the double-click one.
    Win late;
    late.LoadMovie();
    late.window->Config->mLDblBtn = 0;
    VideoMouseUp(*late.window, left);
    ClickTimerFired(*late.window);
    EXPECT_FALSE(late.window->MovieInfo->Playing);
    VideoDblClick(*late.window, left);
    EXPECT_TRUE(late.window->MovieInfo->Playing);
}

TEST(MouseDispatch, RightButtonHidesEveryPanelWithoutResizing) {
    Win w;
    w.window->Config->mRBtn = 1;
    w.Place({100, 100, 700, 500});
    ApplicationMouseButton(*w.window, MouseButton::Right);
    EXPECT_FALSE(w.view.model.topPanelVisible);
    EXPECT_FALSE(w.view.model.bottomPanelVisible);
    EXPECT_FALSE(w.view.model.playlistVisible);
    EXPECT_TRUE(w.window->UIState->AllHiddenByRightClick);
    EXPECT_EQ(w.Where(), (Bounds{100, 100, 700, 500}));
    ApplicationMouseButton(*w.window, MouseButton::Right);
    EXPECT_TRUE(w.view.model.topPanelVisible);
    EXPECT_TRUE(w.view.model.playlistVisible);
    EXPECT_FALSE(w.window->UIState->PanelsHidden);
}

TEST(MouseDispatch, PressOnTheVideoMovesTheWindowWhenAsked) {
    Win w;
    w.window->Config->mLBtn = 1;
    VideoMouseDown(*w.window, {5, 5, MouseButton::Right});
    EXPECT_EQ(w.view.calls.count("StartWindowMove"), 1);
    w.window->Config->mLBtn = 0;
    VideoMouseDown(*w.window, {5, 5, MouseButton::Left});
    EXPECT_EQ(w.view.calls.count("StartWindowMove"), 1);
}

TEST(MouseDispatch, CursorComesBackAndTheDelayReturns) {
    Win w;
    w.LoadMovie();
    ui_hidePanels(*w.window);
    ASSERT_TRUE(w.window->UIState->CursorHidden);
    ApplicationMouseMove(*w.window);
    EXPECT_FALSE(w.window->UIState->CursorHidden);
    EXPECT_TRUE(w.window->msHideSecsRestoreTimer.isActive());
    CursorRestoreTimerFired(*w.window);
    EXPECT_EQ(w.video.autoHideCursor, 2000);
    EXPECT_FALSE(w.window->msHideSecsRestoreTimer.isActive());
}
