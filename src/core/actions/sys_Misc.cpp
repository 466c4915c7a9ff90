#include "core/actions/sys_Misc.h"

#include "core/app/Error.h"
#include "core/app/MainWindow.h"
#include "core/app/OverlayText.h"
#include "ports/MediaGraph.h"
#include "ports/VideoWindow.h"

#include <algorithm>

namespace ov {

namespace {

constexpr int kTextSeconds = 3;
// Rates a step may reach; outside them a step holds at the bound.
constexpr double kSlowest = 0.5;
constexpr double kFastest = 2.0;

void ShowVolume(MainWindow& w, int volume) {
    ShowOverlayText(w, "Volume: " + QString::number(volume / 100) + "%", kTextSeconds, 0);
}

void StepVolume(MainWindow& w, int delta) {
    if (!w.UIState->PlaylistHidden) return;
    // The slider keeps its range; moving it sets the graph volume.
    w.zvSoundLevelChange(w.platform.graph.Volume() + delta);
    w.Publish();
    ShowVolume(w, w.platform.graph.Volume());
}

void StepRate(MainWindow& w, double delta) {
    zvMovieInfo& movie = *w.MovieInfo;
    if (!movie.Opened || !movie.Playing) return;
    // Each step becomes the movie's rate, so repeated steps go on to the bounds.
    movie.Rate = std::clamp(movie.Rate + delta, kSlowest, kFastest);
    w.platform.graph.SetRate(movie.Rate);
    ShowOverlayText(w, "Playback rate: " + RateText(w.platform.graph.Rate()), kTextSeconds, 0);
}

// One colour value with its limits, its step and its text.
struct ColourChannel {
    std::int16_t zvMovieInfo::*field;
    int ColorValues::*control;
    int lower, upper, step;
    QString (*text)(int);
};

QString PercentText(const char* name, int v) { return name + QString::number(v / 100) + "%"; }

const ColourChannel kBrightness{&zvMovieInfo::Brightness, &ColorValues::Brightness, 0, 10000, 100,
                                [](int v) { return PercentText("Brightness: ", v); }};
const ColourChannel kContrast{&zvMovieInfo::Contrast, &ColorValues::Contrast, 0, 10000, 100,
                              [](int v) { return PercentText("Contrast: ", v); }};
const ColourChannel kSaturation{&zvMovieInfo::Saturation, &ColorValues::Saturation, 0, 10000, 100,
                                [](int v) { return PercentText("Saturation: ", v); }};
const ColourChannel kHue{&zvMovieInfo::Hue, &ColorValues::Hue, -180, 180, 1, [](int v) {
                             return "HUE: " + QString::number((v * 10 + 1800) / 36) + "%";
                         }};

void StepColour(MainWindow& w, const ColourChannel& c, int direction) {
    const int v = (*w.MovieInfo).*c.field;
    const int limit = direction > 0 ? c.upper : c.lower;
    if (direction > 0 ? v > limit : v < limit) return;
    if (v != limit) {
        // A value off the step grid ends at the limit, so the colour control never refuses it.
        const int next = direction > 0 ? std::min(v + c.step, limit) : std::max(v - c.step, limit);
        ColorValues values = w.platform.video.ColorControl();
        values.*c.control = next;
        QString error;
        if (!w.platform.video.SetColorControl(values, &error)) throw Error(error);
        (*w.MovieInfo).*c.field = static_cast<std::int16_t>(next);
    }
    ShowOverlayText(w, c.text((*w.MovieInfo).*c.field), kTextSeconds, 0);
}

} // namespace

void snd_VolumeUp(MainWindow& w) { StepVolume(w, 100); }
void snd_VolumeDown(MainWindow& w) { StepVolume(w, -100); }

void snd_SetMute(MainWindow& w) {
    zvMovieInfo& movie = *w.MovieInfo;
    if (!movie.Muted) {
        movie.Volume = static_cast<std::int16_t>(w.platform.graph.Volume());
        w.zvSoundLevelChange(0);
        movie.Muted = true;
        w.Publish();
        ShowOverlayText(w, QStringLiteral("Volume Mute!"), kTextSeconds, 0);
    } else {
        w.zvSoundLevelChange(movie.Volume);
        movie.Muted = false;
        w.Publish();
        ShowVolume(w, movie.Volume);
    }
}

void RateUp(MainWindow& w) { StepRate(w, 0.25); }
void RateDown(MainWindow& w) { StepRate(w, -0.25); }

QString RateText(double rate) {
    for (int quarters = 2; quarters <= 8; ++quarters)
        if (rate == quarters * 0.25) return QString::number(quarters * 25) + "%";
    return {};
}

void dm_BrightnessIn(MainWindow& w) { StepColour(w, kBrightness, 1); }
void dm_BrightnessOut(MainWindow& w) { StepColour(w, kBrightness, -1); }
void dm_ContrastIn(MainWindow& w) { StepColour(w, kContrast, 1); }
void dm_ContrastOut(MainWindow& w) { StepColour(w, kContrast, -1); }
void dm_SaturationIn(MainWindow& w) { StepColour(w, kSaturation, 1); }
void dm_SaturationOut(MainWindow& w) { StepColour(w, kSaturation, -1); }
void dm_HUEIn(MainWindow& w) { StepColour(w, kHue, 1); }
void dm_HUEOut(MainWindow& w) { StepColour(w, kHue, -1); }

} // namespace ov
