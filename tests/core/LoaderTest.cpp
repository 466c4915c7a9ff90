#include "core/app/OverlayText.h"
#include "core/playback/cl_playFunctions.h"
#include "core/playback/sys_TimeUtils.h"
#include "support/Harness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;
using ov::test::Harness;

namespace {

// A started main window and a folder to put movie files in.
struct Loader : Harness {
    Loader() { window->FormCreate(); }

    // An empty file at dir/name (folders made as needed) whose streams the fake reader reports.
    QString Movie(const QString& name, int width = 320, int height = 240) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        MediaFacts facts;
        facts.ok = true;
        VideoStreamFacts v;
        v.width = width;
        v.height = height;
        v.compression = 0x34363248; // "H264"
        v.frameRate = 25;
        v.lengthSeconds = 90;
        facts.video << v;
        mediaInfo.facts[path] = facts;
        return path;
    }

    void ScriptLength(RefTime stop) {
        graph.seeking.stopPosition = stop;
        graph.seeking.duration = stop;
        graph.duration = static_cast<std::int32_t>(stop / 10000);
    }

    QTemporaryDir dir;
};

} // namespace

TEST(Loader, TitleAndNames) {
    Loader l;
    const QString path = l.Movie("Films/a.b.avi");
    InitializeMovie(*l.window, path);
    const zvMovieInfo& m = *l.window->MovieInfo;
    EXPECT_EQ(m.Title, "a.b");
    EXPECT_EQ(m.FileName, "a.b.avi");
    EXPECT_EQ(m.FullPath, path);
    EXPECT_TRUE(m.Opened);
    EXPECT_EQ(m.FourCC, "H264");
    EXPECT_EQ(l.window->model.titleCaption, "a.b");
    EXPECT_FALSE(l.window->model.logoVisible);
    EXPECT_TRUE(l.window->PlayTimer.isActive());
    EXPECT_EQ(l.graph.mode, GraphMode::gmNormal);
    EXPECT_EQ(l.graph.CountCalls("RenderFile"), 1);
}

TEST(Loader, IfoInAFolderNameMeansDvd) {
    Loader l;
    InitializeMovie(*l.window, l.Movie("x.ifold/film.avi"));
    EXPECT_TRUE(l.window->MovieInfo->DvdMode);
    EXPECT_EQ(l.graph.mode, GraphMode::gmDVD);
    EXPECT_EQ(l.graph.CountCalls("RenderDvd"), 1);
    EXPECT_TRUE(l.mediaInfo.analyzed.isEmpty()) << "a DVD is not analysed";
}

TEST(Loader, WindowTakesTheMovieSize) {
    struct Case {
        int width, height;
        Bounds bounds;
        int minWidth, minHeight;
    } cases[] = {
        // Centred on the 1024 x 768 screen of the harness.
        {1280, 720, {1024 / 2 - 1285 / 2, 768 / 2 - 823 / 2, 1285, 823}, 1280, 745},
        {96, 96, {168, 171, 689, 426}, 96, 121},
    };
    for (const Case& c : cases) {
        Loader l;
        InitializeMovie(*l.window, l.Movie("m.mp4", c.width, c.height));
        EXPECT_EQ(l.view.model.bounds, c.bounds) << c.width;
        EXPECT_EQ(l.view.model.minWidth, c.minWidth);
        EXPECT_EQ(l.view.model.minHeight, c.minHeight);
    }
}

TEST(Loader, RefusesWhatIsNotAMovie) {
    Loader l;
    InitializeMovie(*l.window, l.dir.filePath("missing.avi"));
    EXPECT_EQ(l.dialogs.Texts(),
              QStringList{"Error: A movie named \"" + l.dir.filePath("missing.avi") + "\" is not exist!!"});
    InitializeMovie(*l.window, l.dir.path());
    EXPECT_EQ(l.dialogs.messages.size(), 2) << "a folder is not a movie";

    // A known file of another kind: the loaded movie closes, nothing is said.
    InitializeMovie(*l.window, l.Movie("a.avi"));
    ASSERT_TRUE(l.window->MovieInfo->Opened);
    InitializeMovie(*l.window, l.Movie("song.mp3"));
    EXPECT_FALSE(l.window->MovieInfo->Opened);
    EXPECT_EQ(l.dialogs.messages.size(), 2);
    EXPECT_EQ(l.graph.CountCalls("RenderFile"), 1);
}

TEST(Loader, OpenMediaWithoutAddingRefusesOtherFiles) {
    Loader l;
    OpenMedia(*l.window, l.Movie("song.mp3"), false);
    EXPECT_EQ(l.dialogs.Texts(), QStringList{"Sorry! But Orvane Player is only VIDEO player."});
    EXPECT_EQ(l.graph.CountCalls("RenderFile"), 0);
}

TEST(Loader, OnScreenTextNamesTheMovie) {
    Loader l;
    l.ScriptLength(90 * RefTimePerSecond);
    InitializeMovie(*l.window, l.Movie("film.mp4"));
    EXPECT_EQ(l.window->model.overlay.text, "film [0:01:30] (MPEG 4, H264)");
    EXPECT_EQ(l.window->model.overlay.points, 14);
    EXPECT_EQ(l.window->overlayCountdown, 4);
    EXPECT_EQ(l.window->model.totalText, "0:01:30");
    EXPECT_EQ(l.window->MovieInfo->DurationMs, 90000);
}

TEST(Loader, SecondMovieClosesTheFirst) {
    Loader l;
    InitializeMovie(*l.window, l.Movie("one.avi"));
    l.graph.ClearCalls();
    InitializeMovie(*l.window, l.Movie("two.avi"));
    EXPECT_TRUE(l.window->UIState->MovieClosed);
    EXPECT_EQ(l.window->MovieInfo->Title, "two");
    // Closing clears the graph before the new one is built.
    EXPECT_GE(l.graph.CountCalls("ClearGraph"), 2);
}

TEST(Loader, CloseMovieReturnsToTheEmptyWindow) {
    Loader l;
    OpenMedia(*l.window, l.Movie("one.avi"), true);
    l.window->Config->latestMovie = "/x/one.avi";
    CloseMovie(*l.window);
    const MainWindowModel& m = l.window->model;
    EXPECT_EQ(m.titleCaption, "Orvane Player v1.0 Release Candidate");
    EXPECT_TRUE(m.logoVisible);
    EXPECT_EQ(m.playCaption, ">");
    EXPECT_EQ(l.window->zvTrackBar.Min(), 0);
    EXPECT_EQ(l.window->zvTrackBar.Max(), 1);
    EXPECT_EQ(l.window->zvTrackBar.Position(), 0);
    EXPECT_TRUE(l.window->Config->latestMovie.isEmpty());
    EXPECT_EQ(l.window->PlayList->CurrentIndex, 0) << "the list still has its entry";
    EXPECT_GE(l.video.repaints, 1);

    // Without entries the current index is forgotten.
    Loader bare;
    InitializeMovie(*bare.window, bare.Movie("one.avi"));
    CloseMovie(*bare.window);
    EXPECT_EQ(bare.window->PlayList->CurrentIndex, -1);
}

TEST(Loader, OpenDialogAddsAndPlaysTheFirstChosen) {
    Loader l;
    const QString a = l.Movie("a.avi"), b = l.Movie("b.avi");
    l.dialogs.openAnswers << QStringList{a, b};
    ui_OpenMedia1(*l.window);
    ASSERT_EQ(l.dialogs.openRequests.size(), 1);
    EXPECT_EQ(l.dialogs.openRequests[0].filter, "Видео файлы|*.*");
    EXPECT_TRUE(l.dialogs.openRequests[0].multiSelect);
    // Added from the last chosen to the first.
    EXPECT_EQ(l.window->model.playlist.items, (QStringList{"b.avi", "a.avi"}));
    EXPECT_EQ(l.window->MovieInfo->FullPath, a);
    EXPECT_EQ(l.window->PlayList->Folders[1], l.dir.path() + "/");

    // Known names are skipped.
    l.dialogs.openAnswers << QStringList{a};
    ui_OpenMedia1(*l.window);
    EXPECT_EQ(l.window->model.playlist.Count(), 2);
}

TEST(Loader, RememberedMovieThatWasDeletedIsReportedOnce) {
    Loader l;
    l.window->Config->ovRmbLastMovie = 1;
    l.window->Config->latestMovie = l.dir.filePath("gone.avi");
    ui_OpenMedia(*l.window);
    EXPECT_EQ(l.dialogs.Texts(),
              QStringList{"Sorry! This file: \"" + l.dir.filePath("gone.avi") + "\" is NOT exists!"});
    EXPECT_TRUE(l.dialogs.openRequests.isEmpty());
    ui_OpenMedia(*l.window);
    EXPECT_EQ(l.dialogs.messages.size(), 1);
    EXPECT_EQ(l.dialogs.openRequests.size(), 1) << "the next use asks for files";
}

TEST(Transport, FormatRefTime) {
    struct Case {
        bool dotted;
        RefTime t;
        const char* text;
    } cases[] = {
        {false, 0, "0:00:00"},
        {false, 36000000000LL, "1:00:00"},
        {false, 25 * 36000000000LL, "25:00:00"},
        {true, 754000000, "0.01.15"},
        {false, 59 * RefTimePerSecond + 9999999, "0:00:59"},
        {false, -600000000LL, "0:-01:00"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatRefTime(c.dotted, c.t), c.text) << c.t;
    EXPECT_EQ(MsToRefTime(100), 1000000);
    EXPECT_EQ(MsToRefTime(65000), 650000000);
    // 32-bit unsigned product: 500 s wraps.
    EXPECT_EQ(MsToRefTime(500000), static_cast<RefTime>(static_cast<std::uint32_t>(500000u * 10000u)));
}

TEST(Transport, ButtonCaptionsFollowPlayPauseAndStop) {
    Loader l;
    InitializeMovie(*l.window, l.Movie("a.avi"));
    EXPECT_EQ(l.window->model.playCaption, "||") << "starts playing by default";
    PlayPauseToggle(*l.window);
    EXPECT_EQ(l.window->model.playCaption, ">");
    EXPECT_TRUE(l.window->UIState->PausedByUser);
    PlayPauseToggle(*l.window);
    EXPECT_EQ(l.window->model.playCaption, "||");
    EXPECT_FALSE(l.window->UIState->PausedByUser);
    l.graph.ClearCalls();
    Stop(*l.window);
    EXPECT_EQ(l.window->model.playCaption, "||") << "stop leaves the caption";
    EXPECT_FALSE(l.window->MovieInfo->Playing);
    EXPECT_EQ(l.graph.calls.last(), "Stop");
    EXPECT_EQ(l.window->model.overlay.text, "Seek: 0:00:00");
}

TEST(Transport, PlayStartCanSwitchToFullScreen) {
    for (bool resizeToMovie : {false, true}) {
        Loader l;
        l.window->Config->ovFullScreenWhenPlayStarted = 1;
        l.window->Config->ovCWZUM = resizeToMovie;
        InitializeMovie(*l.window, l.Movie("a.avi"));
        EXPECT_EQ(l.view.model.maximized, !resizeToMovie);
        EXPECT_EQ(l.window->MovieInfo->FullScreen, !resizeToMovie);
    }
}

TEST(Transport, PauseWithoutPlayingDoesNotTouchTheGraph) {
    Loader l;
    l.window->Config->ovBeginPlaying = 0;
    InitializeMovie(*l.window, l.Movie("a.avi"));
    EXPECT_FALSE(l.window->MovieInfo->Playing);
    l.graph.ClearCalls();
    Pause(*l.window);
    EXPECT_EQ(l.graph.CountCalls("Pause"), 0);
}

TEST(Transport, TimerShowsElapsedOrRemainingTime) {
    Loader l;
    l.ScriptLength(90 * RefTimePerSecond);
    InitializeMovie(*l.window, l.Movie("a.avi"));
    l.graph.seeking.currentPosition = 30 * RefTimePerSecond;
    PlayTimerTick(*l.window);
    EXPECT_EQ(l.window->model.elapsedText, "0:00:30");
    EXPECT_EQ(l.window->zvTrackBar.Position(), 30 * RefTimePerSecond);
    EXPECT_EQ(l.window->zvTrackBar.LoopBegin(), 30 * RefTimePerSecond);
    l.window->Config->mscRvrsPbTime = 1;
    PlayTimerTick(*l.window);
    EXPECT_EQ(l.window->model.elapsedText, "-0:01:00");
}

TEST(Transport, EndOfASingleEntry) {
    for (bool rewind : {true, false}) {
        Loader l;
        l.window->Config->mscRewindPBOnFinish = rewind;
        l.ScriptLength(90 * RefTimePerSecond);
        OpenMedia(*l.window, l.Movie("a.avi"), true);
        l.graph.seeking.currentPosition = 90 * RefTimePerSecond;
        l.graph.ClearCalls();
        l.graph.RaiseGraphComplete();
        EXPECT_TRUE(l.window->MovieInfo->Playing) << "the end does not clear Playing";
        EXPECT_EQ(l.graph.CountCalls("SetPositions"), rewind ? 1 : 0);
        EXPECT_EQ(l.graph.seeking.currentPosition, rewind ? 0 : 90 * RefTimePerSecond);
    }
}

TEST(Transport, EndOfAnEntryOpensTheNextOrEndsTheList) {
    Loader l;
    const QString a = l.Movie("a.avi"), b = l.Movie("b.avi");
    l.dialogs.openAnswers << QStringList{b, a}; // added as a.avi, b.avi
    ui_OpenMedia(*l.window);
    ASSERT_EQ(l.window->model.playlist.items, (QStringList{"a.avi", "b.avi"}));
    EXPECT_EQ(l.window->MovieInfo->FullPath, a);
    l.graph.RaiseGraphComplete();
    EXPECT_EQ(l.window->MovieInfo->FullPath, b);
    EXPECT_EQ(l.window->PlayList->CurrentIndex, 1);
    EXPECT_TRUE(l.window->model.playlistPrevEnabled);
    EXPECT_FALSE(l.window->model.playlistNextEnabled);

    // The last entry has finished: with "close the player" the exit sequence runs.
    l.window->Config->pIfEnd = 1;
    l.graph.RaiseGraphComplete();
    EXPECT_EQ(l.view.calls.last(), "CloseWindow");
    EXPECT_EQ(l.window->MovieInfo, nullptr);
}

TEST(OverlayText, CountdownAndSizes) {
    Loader l;
    l.window->Config->olTextSize = 8;
    ShowOverlayText(*l.window, "one", 2, 0);
    EXPECT_EQ(l.window->model.overlay.points, 18);
    EXPECT_TRUE(l.window->Timer2.isActive());
    ShowOverlayText(*l.window, "two", 1, 14);
    EXPECT_EQ(l.window->model.overlay.text, "two");
    EXPECT_EQ(l.window->model.overlay.points, 14);
    OverlayTimerTick(*l.window); // 1 -> 0
    EXPECT_EQ(l.window->model.overlay.text, "two");
    OverlayTimerTick(*l.window); // 0: cleared
    EXPECT_EQ(l.window->model.overlay.text, "");
    EXPECT_FALSE(l.window->Timer2.isActive());
    ShowOverlayText(*l.window, "three", 0, 0);
    EXPECT_EQ(l.window->model.overlay.points, 18) << "size 0 returns to the configured size";
}
