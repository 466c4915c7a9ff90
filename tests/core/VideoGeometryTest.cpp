#include "core/playback/VideoGeometry.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace ov {
namespace {

struct GeometryCase {
    const char* name;
    VideoFrameSize video;
    int areaWidth;
    int areaHeight;
    AspectMode mode;
    VideoRect expected;
};

const GeometryCase kCases[] = {
    {"wide picture in a 4:3 area, letter-boxed",
     {1280, 720},
     640,
     480,
     AspectMode::rmLetterBox,
     {0, 60, 640, 360}},
    {"4:3 picture in a wide area, pillar-boxed",
     {320, 240},
     640,
     240,
     AspectMode::rmLetterBox,
     {160, 0, 320, 240}},
    {"same shape fills exactly", {320, 240}, 640, 480, AspectMode::rmLetterBox, {0, 0, 640, 480}},
    {"stretched fills whatever the shape",
     {1280, 720},
     640,
     480,
     AspectMode::rmStretched,
     {0, 0, 640, 480}},
    {"crop covers the area, cutting the sides",
     {1280, 720},
     640,
     480,
     AspectMode::rmCrop,
     {-107, 0, 853, 480}},
    {"crop covers the area, cutting top and bottom",
     {320, 240},
     640,
     240,
     AspectMode::rmCrop,
     {0, -120, 640, 480}},
    // DVD PAL 16:9: 720x576 with pixels 64:45 shows as 1024x576.
    {"non-square pixels keep the shown shape",
     {720, 576, 64, 45},
     1024,
     768,
     AspectMode::rmLetterBox,
     {0, 96, 1024, 576}},
    {"a pixel shape of zero counts as square",
     {320, 240, 0, 0},
     640,
     480,
     AspectMode::rmLetterBox,
     {0, 0, 640, 480}},
    {"picture without width", {0, 240}, 640, 480, AspectMode::rmLetterBox, {}},
    {"picture without height", {320, 0}, 640, 480, AspectMode::rmCrop, {}},
    {"area without width", {320, 240}, 0, 480, AspectMode::rmLetterBox, {}},
    {"area without height, stretched", {320, 240}, 640, 0, AspectMode::rmStretched, {}},
    {"negative area", {320, 240}, -5, 480, AspectMode::rmCrop, {}},
    {"a sliver too thin to show", {10000, 1}, 100, 100, AspectMode::rmLetterBox, {}},
};

TEST(VideoGeometry, PictureRectTable) {
    for (const GeometryCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const VideoRect r = PictureRect(c.video, c.areaWidth, c.areaHeight, {c.mode});
        EXPECT_EQ(r.x, c.expected.x);
        EXPECT_EQ(r.y, c.expected.y);
        EXPECT_EQ(r.width, c.expected.width);
        EXPECT_EQ(r.height, c.expected.height);
    }
}

// Letter-box stays inside the area and crop always covers it, for any pair of shapes.
TEST(VideoGeometry, LetterBoxInsideAndCropCovering) {
    const VideoFrameSize videos[] = {
        {1920, 1080}, {720, 576, 16, 15}, {333, 777}, {1, 1}, {4096, 2160, 1, 2}};
    const int areas[][2] = {{640, 480}, {1, 1}, {1919, 1081}, {200, 1000}, {3000, 17}};
    for (const VideoFrameSize& v : videos) {
        for (const auto& a : areas) {
            SCOPED_TRACE(testing::Message()
                         << v.width << "x" << v.height << " in " << a[0] << "x" << a[1]);
            const VideoRect box = PictureRect(v, a[0], a[1], {AspectMode::rmLetterBox});
            if (!box.IsEmpty()) {
                EXPECT_GE(box.x, 0);
                EXPECT_GE(box.y, 0);
                EXPECT_LE(box.x + box.width, a[0]);
                EXPECT_LE(box.y + box.height, a[1]);
                EXPECT_TRUE(box.width == a[0] || box.height == a[1]);
            }
            const VideoRect crop = PictureRect(v, a[0], a[1], {AspectMode::rmCrop});
            ASSERT_FALSE(crop.IsEmpty());
            EXPECT_LE(crop.x, 0);
            EXPECT_LE(crop.y, 0);
            EXPECT_GE(crop.x + crop.width, a[0]);
            EXPECT_GE(crop.y + crop.height, a[1]);
        }
    }
}

struct PlacementCase {
    const char* name;
    VideoFrameSize video;
    int areaWidth;
    int areaHeight;
    VideoLayout layout;
    VideoPlacement expected; // source in picture pixels, target in the area
};

const PlacementCase kPlacements[] = {
    {"letter-box shows the whole picture between bars",
     {1280, 720},
     640,
     480,
     {AspectMode::rmLetterBox, 0},
     {{0, 0, 1280, 720}, {0, 60, 640, 360}}},
    {"zoom 50 keeps the middle half of each side in the same place",
     {1280, 720},
     640,
     480,
     {AspectMode::rmLetterBox, 50},
     {{320, 180, 640, 360}, {0, 60, 640, 360}}},
    {"zoom 99 keeps the middle hundredth",
     {1280, 720},
     640,
     480,
     {AspectMode::rmLetterBox, 99},
     {{633, 356, 13, 7}, {0, 60, 640, 360}}},
    {"a zoom past 99 is held at 99",
     {1280, 720},
     640,
     480,
     {AspectMode::rmLetterBox, 150},
     {{633, 356, 13, 7}, {0, 60, 640, 360}}},
    {"a negative zoom is none",
     {1280, 720},
     640,
     480,
     {AspectMode::rmLetterBox, -10},
     {{0, 0, 1280, 720}, {0, 60, 640, 360}}},
    {"pillar-box",
     {320, 240},
     640,
     240,
     {AspectMode::rmLetterBox, 0},
     {{0, 0, 320, 240}, {160, 0, 320, 240}}},
    {"crop fills the area with the middle of the picture, sides cut",
     {1280, 720},
     640,
     480,
     {AspectMode::rmCrop, 0},
     {{160, 0, 960, 720}, {0, 0, 640, 480}}},
    {"crop and zoom together",
     {1280, 720},
     640,
     480,
     {AspectMode::rmCrop, 50},
     {{400, 180, 480, 360}, {0, 0, 640, 480}}},
    {"stretched shows the whole picture in the whole area",
     {1280, 720},
     640,
     480,
     {AspectMode::rmStretched, 0},
     {{0, 0, 1280, 720}, {0, 0, 640, 480}}},
    {"stretched with zoom 20",
     {1280, 720},
     640,
     480,
     {AspectMode::rmStretched, 20},
     {{128, 72, 1024, 576}, {0, 0, 640, 480}}},
    // 720x576 with pixels 64:45 shows as 1024x576; cropped to 4:3 it keeps 540 of 720 columns.
    {"crop of non-square pixels cuts in stored pixels",
     {720, 576, 64, 45},
     1024,
     768,
     {AspectMode::rmCrop, 0},
     {{90, 0, 540, 576}, {0, 0, 1024, 768}}},
    {"a one-pixel area still shows a part of the picture",
     {1920, 1080},
     1,
     1,
     {AspectMode::rmCrop, 0},
     {{420, 0, 1080, 1080}, {0, 0, 1, 1}}},
    {"no picture", {0, 720}, 640, 480, {AspectMode::rmCrop, 10}, {}},
    {"no area", {1280, 720}, 640, 0, {AspectMode::rmStretched, 10}, {}},
};

TEST(VideoGeometry, PlaceVideoTable) {
    for (const PlacementCase& c : kPlacements) {
        SCOPED_TRACE(c.name);
        const VideoPlacement p = PlaceVideo(c.video, c.areaWidth, c.areaHeight, c.layout);
        EXPECT_EQ(p.source, c.expected.source)
            << p.source.x << "," << p.source.y << " " << p.source.width << "x" << p.source.height;
        EXPECT_EQ(p.target, c.expected.target)
            << p.target.x << "," << p.target.y << " " << p.target.width << "x" << p.target.height;
    }
}

// For any shapes: the source lies in the picture, the target in the area, the picture keeps
// its shape where the mode says so, and more zoom never shows more.
TEST(VideoGeometry, PlacementStaysInsideAndKeepsTheShape) {
    const VideoFrameSize videos[] = {
        {1920, 1080}, {720, 576, 16, 15}, {333, 777}, {2, 2}, {4096, 2160, 1, 2}};
    const int areas[][2] = {{640, 480}, {1, 1}, {1919, 1081}, {200, 1000}, {3000, 17}};
    const AspectMode modes[] = {AspectMode::rmLetterBox, AspectMode::rmCrop,
                                AspectMode::rmStretched};
    for (const VideoFrameSize& v : videos)
        for (const auto& a : areas)
            for (AspectMode mode : modes) {
                VideoRect previous{0, 0, v.width, v.height};
                for (int zoom = 0; zoom <= 99; zoom += 9) {
                    SCOPED_TRACE(testing::Message()
                                 << v.width << "x" << v.height << " in " << a[0] << "x" << a[1]
                                 << " mode " << static_cast<int>(mode) << " zoom " << zoom);
                    const VideoPlacement p = PlaceVideo(v, a[0], a[1], {mode, zoom});
                    if (p.IsEmpty()) {
                        // Only a letter-box picture can round away to nothing.
                        EXPECT_EQ(mode, AspectMode::rmLetterBox);
                        continue;
                    }
                    EXPECT_GE(p.source.x, 0);
                    EXPECT_GE(p.source.y, 0);
                    EXPECT_LE(p.source.x + p.source.width, v.width);
                    EXPECT_LE(p.source.y + p.source.height, v.height);
                    EXPECT_GE(p.target.x, 0);
                    EXPECT_GE(p.target.y, 0);
                    EXPECT_LE(p.target.x + p.target.width, a[0]);
                    EXPECT_LE(p.target.y + p.target.height, a[1]);
                    EXPECT_LE(p.source.width, previous.width);
                    EXPECT_LE(p.source.height, previous.height);
                    previous = p.source;
                    if (mode == AspectMode::rmStretched) {
                        EXPECT_EQ(p.target, (VideoRect{0, 0, a[0], a[1]}));
                        continue;
                    }
                    // The shown shape of the source is the target's, give or take a pixel
                    // of rounding, wherever both are big enough to have a shape.
                    const int smallest = std::min(
                        {p.source.width, p.source.height, p.target.width, p.target.height});
                    if (smallest < 20) continue;
                    const double par = double(v.pixelAspectNum) / v.pixelAspectDen;
                    const double sourceShape = p.source.width * par / p.source.height;
                    const double targetShape = double(p.target.width) / p.target.height;
                    EXPECT_NEAR(sourceShape / targetShape, 1.0, 3.0 / smallest);
                }
            }
}

} // namespace
} // namespace ov
