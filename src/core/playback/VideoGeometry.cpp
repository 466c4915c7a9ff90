#include "core/playback/VideoGeometry.h"

#include <climits>
#include <cmath>

namespace ov {

namespace {

// a * b / c rounded to the nearest integer, kept inside int. Doubles so that strange pixel
// shapes from a broken file cannot overflow; exact for every realistic size.
int MulDivRound(double a, double b, double c) {
    const double v = std::round(a * b / c);
    return v >= INT_MAX ? INT_MAX : static_cast<int>(v);
}

// Centres a length inside an area; negative when the length is larger. Rounds toward the
// lower edge so the rectangle's two overhangs differ by one pixel at most.
int Centre(int area, int length) {
    const long long diff = static_cast<long long>(area) - length;
    return static_cast<int>(diff >= 0 ? diff / 2 : -((-diff + 1) / 2));
}

} // namespace

VideoRect PictureRect(const VideoFrameSize& video, int areaWidth, int areaHeight,
                      const VideoLayout& layout) {
    if (video.width <= 0 || video.height <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
    if (layout.mode == AspectMode::rmStretched) return {0, 0, areaWidth, areaHeight};

    const bool validPar = video.pixelAspectNum > 0 && video.pixelAspectDen > 0;
    // The shown picture's proportions: displayW : displayH.
    const double displayW = double(video.width) * (validPar ? video.pixelAspectNum : 1);
    const double displayH = double(video.height) * (validPar ? video.pixelAspectDen : 1);

    // Is the area wider than the picture (relative to their heights)?
    const bool areaWider = double(areaWidth) * displayH > double(areaHeight) * displayW;
    // Letter-box fits the picture's limiting side; crop covers with its other side.
    const bool fitHeight = (layout.mode == AspectMode::rmLetterBox) == areaWider;

    VideoRect r;
    if (fitHeight) {
        r.height = areaHeight;
        r.width = MulDivRound(areaHeight, displayW, displayH);
    } else {
        r.width = areaWidth;
        r.height = MulDivRound(areaWidth, displayH, displayW);
    }
    if (r.width <= 0 || r.height <= 0) return {};
    r.x = Centre(areaWidth, r.width);
    r.y = Centre(areaHeight, r.height);
    return r;
}

} // namespace ov
