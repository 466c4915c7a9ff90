#include "core/playback/VideoGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ov {

namespace {

// Rounded to the nearest integer, kept inside int. Doubles so that strange pixel shapes from
// a broken file cannot overflow; exact for every realistic size.
int RoundToInt(double v) {
    const double r = std::round(v);
    return r >= INT_MAX ? INT_MAX : (r <= INT_MIN ? INT_MIN : static_cast<int>(r));
}

// Centres a length inside an area; negative when the length is larger. Rounds toward the
// lower edge so the rectangle's two overhangs differ by one pixel at most.
int Centre(int area, int length) {
    const long long diff = static_cast<long long>(area) - length;
    return static_cast<int>(diff >= 0 ? diff / 2 : -((-diff + 1) / 2));
}

// The picture's size in the area before rounding (width, height), or false without one.
bool ExactSize(const VideoFrameSize& video, int areaWidth, int areaHeight, AspectMode mode,
               double& width, double& height) {
    if (video.width <= 0 || video.height <= 0 || areaWidth <= 0 || areaHeight <= 0) return false;
    if (mode == AspectMode::rmStretched) {
        width = areaWidth;
        height = areaHeight;
        return true;
    }
    const bool validPar = video.pixelAspectNum > 0 && video.pixelAspectDen > 0;
    // The shown picture's proportions: displayW : displayH.
    const double displayW = double(video.width) * (validPar ? video.pixelAspectNum : 1);
    const double displayH = double(video.height) * (validPar ? video.pixelAspectDen : 1);

    // Is the area wider than the picture (relative to their heights)?
    const bool areaWider = double(areaWidth) * displayH > double(areaHeight) * displayW;
    // Letter-box fits the picture's limiting side; crop covers with its other side.
    const bool fitHeight = (mode == AspectMode::rmLetterBox) == areaWider;
    if (fitHeight) {
        height = areaHeight;
        width = areaHeight * displayW / displayH;
    } else {
        width = areaWidth;
        height = areaWidth * displayH / displayW;
    }
    return true;
}

// The kept middle of one side of the picture: `shown` of `zoomed` area pixels are visible.
void KeepMiddle(int length, double shown, double zoomed, int& offset, int& kept) {
    kept = std::clamp(RoundToInt(length * shown / zoomed), 1, length);
    offset = (length - kept) / 2;
}

} // namespace

VideoRect PictureRect(const VideoFrameSize& video, int areaWidth, int areaHeight,
                      const VideoLayout& layout) {
    double width = 0;
    double height = 0;
    if (!ExactSize(video, areaWidth, areaHeight, layout.mode, width, height)) return {};
    VideoRect r;
    r.width = RoundToInt(width);
    r.height = RoundToInt(height);
    if (r.width <= 0 || r.height <= 0) return {};
    r.x = Centre(areaWidth, r.width);
    r.y = Centre(areaHeight, r.height);
    return r;
}

VideoPlacement PlaceVideo(const VideoFrameSize& video, int areaWidth, int areaHeight,
                          const VideoLayout& layout) {
    const VideoRect whole = PictureRect(video, areaWidth, areaHeight, layout);
    if (whole.IsEmpty()) return {};
    double width = 0;
    double height = 0;
    ExactSize(video, areaWidth, areaHeight, layout.mode, width, height);

    VideoPlacement p;
    // Drawn where the whole picture would be, as far as that lies inside the area.
    const int left = std::max(whole.x, 0);
    const int top = std::max(whole.y, 0);
    p.target = {left, top, std::min(whole.x + whole.width, areaWidth) - left,
                std::min(whole.y + whole.height, areaHeight) - top};

    // Everything is centred on the area's centre, so the shown part is the middle of the
    // picture: as much of it as the target covers of the zoomed picture.
    const double keep = (100 - std::clamp(layout.zoom, 0, 99)) / 100.0;
    KeepMiddle(video.width, p.target.width, width / keep, p.source.x, p.source.width);
    KeepMiddle(video.height, p.target.height, height / keep, p.source.y, p.source.height);
    return p;
}

} // namespace ov
