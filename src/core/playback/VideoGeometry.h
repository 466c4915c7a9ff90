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

// How the picture is placed in the window.
struct VideoLayout {
    AspectMode mode = AspectMode::rmLetterBox;
    // Digital zoom 0..99 (values outside are held at the ends): the percentage of the
    // picture's width, and of its height, that is cut away around a kept centre. The kept
    // part is enlarged to where the whole picture would be: 50 doubles the picture, 99 shows
    // the middle hundredth of each side.
    int zoom = 0;
};

// Where the whole picture is drawn inside an area of areaWidth x areaHeight, in the area's
// coordinates, before the digital zoom. rmLetterBox keeps the aspect and centres the picture
// inside the area; rmStretched fills the area; rmCrop keeps the aspect and covers the whole
// area, so the rectangle reaches past two edges of the area (negative x or y).
// Empty when the picture or the area has no size.
VideoRect PictureRect(const VideoFrameSize& video, int areaWidth, int areaHeight,
                      const VideoLayout& layout);

// What is actually shown: the part of the decoded picture (source, in its pixels) and where
// it is drawn (target, in the area's coordinates and always inside the area). Both come from
// the aspect mode and the zoom together, so only visible pixels need converting and scaling.
struct VideoPlacement {
    VideoRect source;
    VideoRect target;

    bool IsEmpty() const { return source.IsEmpty() || target.IsEmpty(); }
    friend bool operator==(const VideoPlacement&, const VideoPlacement&) = default;
};

// Empty when the picture or the area has no size.
VideoPlacement PlaceVideo(const VideoFrameSize& video, int areaWidth, int areaHeight,
                          const VideoLayout& layout);

} // namespace ov
