#include "core/actions/sys_Misc.h"
#include "core/playback/cl_playFunctions.h"
#include "support/Harness.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;

namespace {

struct Adjust : test::Harness {
    Adjust() {
        window->FormCreate();
        window->UIState->PlaylistHidden = true;
    }
    void LoadMovie() {
        const QString path = dir.filePath("m.avi");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        InitializeMovie(*window, path);
    }
    QString Text() const { return window->model.overlay.text; }
    QTemporaryDir dir;
};

} // namespace

TEST(Adjustments, VolumeStepsHoldAtTheTop) {
    Adjust a;
    a.window->zvSoundLevelChange(9950);
    snd_VolumeUp(*a.window);
    EXPECT_EQ(a.graph.volume, 10000);
    EXPECT_EQ(a.window->model.soundLevel, 10000);
    EXPECT_EQ(a.Text(), "Volume: 100%");
    snd_VolumeUp(*a.window);
    EXPECT_EQ(a.graph.volume, 10000);
    EXPECT_EQ(a.Text(), "Volume: 100%");
    snd_VolumeDown(*a.window);
    EXPECT_EQ(a.graph.volume, 9900);
    EXPECT_EQ(a.Text(), "Volume: 99%");
}

TEST(Adjustments, VolumeStepsNeedTheClosedPlaylist) {
    Adjust a;
    a.window->UIState->PlaylistHidden = false;
    const int before = a.graph.volume;
    snd_VolumeUp(*a.window);
    snd_VolumeDown(*a.window);
    EXPECT_EQ(a.graph.volume, before);
    EXPECT_EQ(a.Text(), "");
}

TEST(Adjustments, MuteThenVolumeUpThenUnmute) {
    Adjust a;
    a.window->zvSoundLevelChange(6000);
    snd_SetMute(*a.window);
    EXPECT_TRUE(a.window->MovieInfo->Muted);
    EXPECT_EQ(a.graph.volume, 0);
    EXPECT_EQ(a.window->model.soundLevel, 0);
    EXPECT_EQ(a.Text(), "Volume Mute!");
    snd_VolumeUp(*a.window);
    EXPECT_EQ(a.graph.volume, 100) << "sound is heard again";
    EXPECT_TRUE(a.window->MovieInfo->Muted) << "the step leaves the mute flag";
    snd_SetMute(*a.window);
    EXPECT_FALSE(a.window->MovieInfo->Muted);
    EXPECT_EQ(a.graph.volume, 6000);
    EXPECT_EQ(a.Text(), "Volume: 60%");
}

TEST(Adjustments, RateStepsWhilePlayingAndHoldAtTheBounds) {
    Adjust a;
    RateUp(*a.window);
    EXPECT_EQ(a.graph.rate, 1.0) << "no movie";
    a.LoadMovie();
    RateUp(*a.window);
    EXPECT_EQ(a.graph.rate, 1.25);
    EXPECT_EQ(a.Text(), "Playback rate: 125%");
    for (int i = 0; i < 6; ++i) RateUp(*a.window);
    EXPECT_EQ(a.graph.rate, 2.0);
    EXPECT_EQ(a.Text(), "Playback rate: 200%");
    for (int i = 0; i < 10; ++i) RateDown(*a.window);
    EXPECT_EQ(a.graph.rate, 0.5);
    EXPECT_EQ(a.Text(), "Playback rate: 50%");
    Pause(*a.window);
    RateUp(*a.window);
    EXPECT_EQ(a.graph.rate, 0.5) << "only while playing";
    EXPECT_EQ(RateText(0.6), "");
}

TEST(Adjustments, ColourSteps) {
    struct Case {
        const char* name;
        void (*op)(MainWindow&);
        std::int16_t zvMovieInfo::*field;
        int from, to;
        const char* text;
    } cases[] = {
        {"brightness from 0", dm_BrightnessIn, &zvMovieInfo::Brightness, 0, 100, "Brightness: 1%"},
        {"contrast at the top", dm_ContrastIn, &zvMovieInfo::Contrast, 10000, 10000, "Contrast: 100%"},
        {"contrast above the top", dm_ContrastIn, &zvMovieInfo::Contrast, 12000, 12000, ""},
        {"saturation down", dm_SaturationOut, &zvMovieInfo::Saturation, 5000, 4900, "Saturation: 49%"},
        {"brightness off the grid ends at the top", dm_BrightnessIn, &zvMovieInfo::Brightness, 9950,
         10000, "Brightness: 100%"},
        {"brightness at the bottom", dm_BrightnessOut, &zvMovieInfo::Brightness, 0, 0, "Brightness: 0%"},
        {"hue at the top", dm_HUEIn, &zvMovieInfo::Hue, 180, 180, "HUE: 100%"},
        {"hue from 0", dm_HUEIn, &zvMovieInfo::Hue, 0, 1, "HUE: 50%"},
        {"hue down to the bottom", dm_HUEOut, &zvMovieInfo::Hue, -179, -180, "HUE: 0%"},
    };
    for (const Case& c : cases) {
        Adjust a;
        (*a.window->MovieInfo).*c.field = static_cast<std::int16_t>(c.from);
        c.op(*a.window);
        EXPECT_EQ((*a.window->MovieInfo).*c.field, c.to) << c.name;
        EXPECT_EQ(a.Text(), c.text) << c.name;
    }
}

TEST(Adjustments, AStepReachesTheColourControl) {
    Adjust a;
    dm_BrightnessIn(*a.window);
    EXPECT_EQ(a.video.colors.Brightness, 100);
    EXPECT_EQ(a.video.colors.Contrast, 10000) << "the other values stay";
}
