#pragma once
#include "ports/VideoWindow.h"

namespace ov {

// A rectangle in whole pixels; empty when either side is not positive.
struct VideoRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const VideoRect&, const VideoRect&) = default;
};

// The decoded picture: its size in pixels and the shape of one pixel (numerator/denominator).
struct VideoFrameSize {
    int width = 0;
    int height = 0;
    int pixelAspectNum = 1;
    int pixelAspectDen = 1;
};

// How the picture is placed in the window. Digital zoom will become one more field here.
struct VideoLayout {
    AspectMode mode = AspectMode::rmLetterBox;
};

// Where the picture is drawn inside an area of areaWidth x areaHeight, in the area's
// coordinates. rmLetterBox keeps the aspect and centres the picture inside the area;
// rmStretched fills the area; rmCrop keeps the aspect and covers the whole area, so the
// rectangle reaches past two edges of the area (negative x or y) and the caller clips.
// Empty when the picture or the area has no size.
VideoRect PictureRect(const VideoFrameSize& video, int areaWidth, int areaHeight,
                      const VideoLayout& layout);

} // namespace ov
