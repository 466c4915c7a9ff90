#include "core/playback/VideoGeometry.h"

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

} // namespace
} // namespace ov
