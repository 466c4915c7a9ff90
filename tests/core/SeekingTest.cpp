#include "core/playback/Seeking.h"
#include "core/playback/cl_playFunctions.h"
#include "support/Harness.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;

namespace {

constexpr RefTime kSecond = RefTimePerSecond;

// A started window with a 90-second movie loaded at a given position.
struct Seeker : test::Harness {
    explicit Seeker(RefTime position = 0, bool playing = true) {
        window->FormCreate();
        window->Config->ovBeginPlaying = playing;
        const QString path = dir.filePath("m.avi");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        graph.duration = 90000;
        graph.seeking.stopPosition = 90 * kSecond;
        InitializeMovie(*window, path);
        graph.seeking.currentPosition = position;
        graph.ClearCalls();
    }
    RefTime Position() const { return graph.seeking.currentPosition; }
    QTemporaryDir dir;
};

} // namespace

TEST(Seeking, StepsJumpsAndSeeksStayInsideTheMovie) {
    struct Case {
        const char* name;
        void (*op)(MainWindow&);
        RefTime from, to;
        const char* text; // on-screen text afterwards, "" when none
    } cases[] = {
        {"seek back past 0", skng_SeekBack, 2 * kSecond, 0, "Seek: 0:00:00"},
        {"seek forward", skng_SeekFwd, 10 * kSecond, 15 * kSecond, "Seek: 0:00:15"},
        {"jump past the end", skng_StepFwd, 80 * kSecond, 90 * kSecond, ""},
        {"jump back", skng_StepBack, 45 * kSecond, 15 * kSecond, ""},
        {"frame forward", skng_FrameFwd, 1 * kSecond, 1 * kSecond + 1000000, ""},
        {"frame back", skng_FrameBack, 1 * kSecond, 1 * kSecond - 1000000, ""},
    };
    for (const Case& c : cases) {
        Seeker s(c.from);
        s.window->model.overlay.text.clear();
        c.op(*s.window);
        EXPECT_EQ(s.Position(), c.to) << c.name;
        if (*c.text) EXPECT_EQ(s.window->model.overlay.text, c.text) << c.name;
        else EXPECT_EQ(s.window->model.overlay.text, "") << c.name;
    }
}

TEST(Seeking, FrameStepPausesFirstOnlyWhilePlaying) {
    Seeker s(5 * kSecond);
    skng_FrameFwd(*s.window);
    EXPECT_FALSE(s.window->MovieInfo->Playing);
    EXPECT_EQ(s.graph.CountCalls("Pause"), 1);
    skng_FrameFwd(*s.window);
    EXPECT_EQ(s.graph.CountCalls("Pause"), 1);
    EXPECT_EQ(s.Position(), 5 * kSecond + 2000000);
    // Jumps never pause.
    Seeker j(5 * kSecond);
    skng_StepFwd(*j.window);
    EXPECT_TRUE(j.window->MovieInfo->Playing);
}

TEST(Seeking, NothingWithoutAMovieOrALength) {
    test::Harness h;
    h.window->FormCreate();
    for (auto op : {skng_FrameFwd, skng_StepFwd, skng_SeekBack, skng_SetVideoToBegin}) op(*h.window);
    ProgressSeekMouseDown(*h.window, 10, 100);
    EXPECT_EQ(h.graph.CountCalls("SetPositions"), 0);

    Seeker zero;
    zero.window->MovieInfo->DurationMs = 0;
    skng_SeekFwd(*zero.window);
    EXPECT_EQ(zero.graph.CountCalls("SetPositions"), 0);
}

TEST(Seeking, RewindPausesOnlyWhenItShould) {
    struct Case {
        bool rewindOnFinish, restart, beginPlaying, pauses;
    } cases[] = {
        {true, false, false, true},
        {true, true, false, false},
        {true, false, true, false},
        {false, false, false, false},
    };
    for (const Case& c : cases) {
        Seeker s(30 * kSecond);
        s.window->MovieInfo->Playing = true;
        s.window->Config->mscRewindPBOnFinish = c.rewindOnFinish;
        s.window->UIState->PlaylistRestart = c.restart;
        s.window->Config->ovBeginPlaying = c.beginPlaying;
        skng_SetVideoToBegin(*s.window);
        EXPECT_EQ(s.Position(), 0);
        EXPECT_EQ(s.window->model.overlay.text, "Seek: 0:00:00");
        EXPECT_EQ(s.window->MovieInfo->Playing, !c.pauses);
    }
}

TEST(Seeking, SeekBarTargets) {
    EXPECT_EQ(SeekTarget(90 * kSecond, 0, 200), 0);
    EXPECT_EQ(SeekTarget(90 * kSecond, 200, 200), 90 * kSecond);
    EXPECT_EQ(SeekTarget(5, 1, 2), 2) << "2.5 rounds to even";
    EXPECT_EQ(SeekTarget(7, 1, 2), 4) << "3.5 rounds to even";
    EXPECT_EQ(SeekTarget(100, 50, 0), 0) << "a bar without width";
}

TEST(Seeking, ClickDragAndRelease) {
    Seeker s(0);
    ProgressSeekMouseDown(*s.window, 100, 200);
    EXPECT_TRUE(s.window->UIState->SeekDragging);
    EXPECT_EQ(s.Position(), 45 * kSecond);
    EXPECT_EQ(s.window->model.overlay.text, "Seek: 0:00:45");
    FSProgressSeekMouseMove(*s.window, 150, 200);
    EXPECT_EQ(s.Position(), 67 * kSecond + 5000000);
    EXPECT_EQ(s.window->model.overlay.text, "Seek: 0:00:45") << "Seek: text is left alone";
    // Beyond the bar while captured: the graph is clamped, the bar shows the raw target.
    FSProgressSeekMouseUp(*s.window, 400, 200);
    EXPECT_FALSE(s.window->UIState->SeekDragging);
    EXPECT_EQ(s.Position(), 90 * kSecond);
    EXPECT_EQ(s.window->zvTrackBar.Position(), 180 * kSecond);
}

TEST(Seeking, HoverShowsTheTimeUnderTheMouse) {
    Seeker s(0);
    s.window->model.overlay.text.clear();
    FSProgressSeekMouseMove(*s.window, 20, 200);
    EXPECT_EQ(s.window->model.overlay.text, "0:00:09");
    EXPECT_EQ(s.graph.CountCalls("SetPositions"), 0) << "hovering does not seek";
}

TEST(Seeking, PositionIsClampedByTheMediaCore) {
    test::FakeMediaGraph graph;
    graph.seeking.stopPosition = 100;
    zvOrvanePlayer player;
    EXPECT_FALSE(player.SetPositionClamped(50)) << "no seeking interface yet";
    ASSERT_NE(player.RefreshSeeking(graph), nullptr);
    EXPECT_TRUE(player.SetPositionClamped(-5));
    EXPECT_EQ(graph.seeking.currentPosition, 0);
    EXPECT_TRUE(player.SetPositionClamped(150));
    EXPECT_EQ(graph.seeking.currentPosition, 100);
    EXPECT_EQ(graph.seeking.stopPosition, 100) << "the stop position is left alone";
    graph.seeking.setPositionsResult = S_FALSE;
    EXPECT_FALSE(player.SetPositionClamped(10)) << "only S_OK counts";
    graph.seekingAvailable = false;
    EXPECT_EQ(player.RefreshSeeking(graph), nullptr);
    EXPECT_EQ(player.CurrentPosition(), 0);
}
