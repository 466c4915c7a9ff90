#include "core/app/TrayLogic.h"
#include "core/app/ui_About.h"
#include "core/playback/MovieInfo.h"
#include "fakes/FakeMediaGraph.h"
#include "fakes/FakeMisc.h"
#include "fakes/FakeSystemInfo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace ov {
namespace {

const QString kIdleHint = QStringLiteral("Orvane Player v1.0.211, RC 1");
const QString kLooking = QStringLiteral("Right now you are looking:");

struct TrayFixture : ::testing::Test {
    TrayFixture() { system.programVersion = ProgramVersion{1, 0, 0, 211}; }
    void Minimize(bool pauseWhenMinimized) {
        HideToTray(tray, graph, system, movie, pauseWhenMinimized);
    }
    test::FakeTray tray;
    test::FakeMediaGraph graph;
    test::FakeSystemInfo system;
    zvMovieInfo movie;
};

TEST_F(TrayFixture, HidingNamesTheMovieAndPausesOnlyWhenAsked) {
    const struct {
        bool opened;
        QString title;
        bool pauseWhenMinimized;
        QString hint;
        QString shownTitle;
        int pauses;
    } cases[] = {
        {false, "", false, kIdleHint, "No movie loaded!", 0},
        // Nothing to pause without a movie.
        {false, "", true, kIdleHint, "No movie loaded!", 0},
        {true, "Clip", true, "Clip", "Clip", 1},
        {true, "Clip", false, "Clip", "Clip", 0},
        // The hint is taken before the empty title is filled in.
        {true, "", false, "", "No movie loaded!", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString() + (c.opened ? " opened" : "") +
                     (c.pauseWhenMinimized ? " pause" : ""));
        test::FakeTray tray;
        test::FakeMediaGraph graph;
        zvMovieInfo movie;
        movie.Opened = c.opened;
        movie.Playing = c.opened;
        movie.Title = c.title;

        HideToTray(tray, graph, system, movie, c.pauseWhenMinimized);

        EXPECT_EQ(tray.hint, c.hint);
        EXPECT_EQ(tray.balloons, QStringList{kLooking + "|" + c.shownTitle});
        EXPECT_EQ(tray.lastBalloonIcon, BalloonIcon::Info);
        EXPECT_EQ(tray.lastBalloonTimeoutMs, 10000);
        EXPECT_EQ(movie.Title, c.shownTitle);
        EXPECT_EQ(graph.CountCalls("Pause"), c.pauses);
        EXPECT_EQ(movie.Playing, c.opened);
        EXPECT_EQ(tray.windowCalls, QStringList{"Hide"});
    }
}

TEST_F(TrayFixture, FromTheTrayItOnlyComesBack) {
    movie.Opened = true;
    movie.Title = "Clip";
    Minimize(true);
    tray.hint = "kept";
    graph.ClearCalls();

    Minimize(true);
    EXPECT_EQ(tray.windowCalls, (QStringList{"Hide", "Restore"}));
    EXPECT_FALSE(tray.windowHidden);
    EXPECT_EQ(tray.hint, "kept");
    EXPECT_EQ(tray.balloons.size(), 1);
    EXPECT_EQ(graph.CountCalls("Pause"), 0);
}

TEST(Tray, BalloonSecondsBecomeMilliseconds) {
    const struct {
        int seconds;
        int ms;
    } cases[] = {{10, 10000}, {0, 0}, {-5, 0}, {1000000, 24 * 3600 * 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        test::FakeTray tray;
        ShowBalloon(tray, "You are switched to other window, playback on pause.", "Pausing...",
                    BalloonIcon::Warning, c.seconds);
        EXPECT_EQ(tray.balloons,
                  QStringList{"Pausing...|You are switched to other window, playback on pause."});
        EXPECT_EQ(tray.lastBalloonIcon, BalloonIcon::Warning);
        EXPECT_EQ(tray.lastBalloonTimeoutMs, c.ms);
    }
}

TEST(Tray, IconShowsFromStartWithTheDottedVersion) {
    test::FakeSystemInfo system;
    system.programVersion = ProgramVersion{1, 0, 0, 211};
    test::FakeTray tray;
    ShowTrayIcon(tray, system);
    EXPECT_TRUE(tray.visible);
    EXPECT_EQ(tray.hint, kIdleHint);
}

TEST(AboutBox, EachShowAsksForANewBoxWithTheSameTitle) {
    test::FakeSystemInfo system;
    system.programVersion = ProgramVersion{1, 0, 0, 211};
    QStringList captions;
    const ShowAboutBox show = [&captions](const QString& caption) { captions << caption; };
    ShowAbout(system, show);
    ShowAbout(system, show);
    EXPECT_EQ(captions, QStringList(2, "Orvane Player v1.0 (build 211), RC 1"));
    ShowAbout(system, {});
    EXPECT_EQ(captions.size(), 2);
}

} // namespace
} // namespace ov
