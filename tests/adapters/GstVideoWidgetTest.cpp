#include "adapters/gst/GstVideoWidget.h"
#include "adapters/gst/GstMediaGraph.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace ov {
namespace {

#define REQUIRE_FIXTURE(var, name)                                                                 \
    const QString var = test::Fixture(name);                                                       \
    if (var.isEmpty()) GTEST_SKIP() << name << " missing: build the fixtures target"

template <class Predicate> bool WaitUntil(Predicate done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

bool IsBlack(QRgb c) {
    return qRed(c) < 16 && qGreen(c) < 16 && qBlue(c) < 16;
}

// The share of pixels in the rectangle that are not black.
double LitShare(const QImage& image, const QRect& r) {
    int lit = 0;
    int all = 0;
    for (int y = r.top(); y <= r.bottom(); y += 2)
        for (int x = r.left(); x <= r.right(); x += 2, ++all)
            if (!IsBlack(image.pixel(x, y))) ++lit;
    return all ? double(lit) / all : 0;
}

class GstVideoWidgetTest : public ::testing::Test {
protected:
    GstVideoWidgetTest() {
        widget = std::make_unique<GstVideoWidget>();
        widget->resize(400, 400);
        widget->show();
        graph.SetVideoWindow(widget.get());
        graph.SetActive(true);
    }

    // Renders and plays the clip until a few frames reached the widget.
    void PlayClip(const QString& clip) {
        ASSERT_EQ(graph.RenderFile(clip), S_OK);
        ASSERT_GE(graph.Play(), 0);
        const quint64 before = widget->FramesReceived();
        ASSERT_TRUE(WaitUntil([&] { return widget->FramesReceived() > before + 5; }, 5000));
        QTest::qWait(50);
    }

    GstMediaGraph graph;
    std::unique_ptr<GstVideoWidget> widget;
};

TEST_F(GstVideoWidgetTest, PaintsThePictureLetterBoxedWithBlackBars) {
    REQUIRE_FIXTURE(clip, "clip-2s.mp4");
    // A child like the logo or the on-screen text must stay visible above the picture.
    QLabel child(widget.get());
    child.setAutoFillBackground(true);
    child.setStyleSheet("background: rgb(255, 0, 0)");
    child.setGeometry(180, 180, 40, 40);
    child.show();

    PlayClip(clip);
    // 320x240 in 400x400: 400x300 centred, bars of 50 above and below.
    EXPECT_EQ(widget->PictureArea(), (VideoRect{0, 50, 400, 300}));
    EXPECT_TRUE(WaitUntil([&] { return widget->FrameSize() == QSize(400, 300); }, 3000))
        << "frames come scaled to the painted size";

    const QImage shot = widget->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(400, 400));
    EXPECT_EQ(LitShare(shot, {0, 0, 400, 50}), 0.0) << "top bar";
    EXPECT_EQ(LitShare(shot, {0, 350, 400, 50}), 0.0) << "bottom bar";
    EXPECT_GT(LitShare(shot, {0, 50, 400, 200}), 0.9) << "colour bars of the picture";
    EXPECT_EQ(shot.pixel(200, 200), qRgb(255, 0, 0)) << "child on top";

    // Closing the movie: the old frame must not linger.
    graph.ClearGraph();
    widget->RepaintBackground();
    const QImage cleared = widget->grab().toImage();
    EXPECT_EQ(LitShare(cleared, {0, 0, 400, 170}), 0.0);
    EXPECT_EQ(LitShare(cleared, {0, 230, 400, 170}), 0.0);
    EXPECT_EQ(cleared.pixel(200, 200), qRgb(255, 0, 0));
}

TEST_F(GstVideoWidgetTest, AspectModesAndResizesReachThePicture) {
    REQUIRE_FIXTURE(clip, "clip-2s.mp4");
    PlayClip(clip);

    widget->SetAspectRatio(AspectMode::rmStretched);
    EXPECT_EQ(widget->AspectRatio(), AspectMode::rmStretched);
    EXPECT_EQ(widget->PictureArea(), (VideoRect{0, 0, 400, 400}));
    ASSERT_TRUE(WaitUntil([&] { return widget->FrameSize() == QSize(400, 400); }, 3000));
    QImage shot = widget->grab().toImage();
    EXPECT_GT(LitShare(shot, {0, 0, 400, 40}), 0.9) << "no bar left at the top";

    widget->SetAspectRatio(AspectMode::rmCrop);
    EXPECT_EQ(widget->PictureArea(), (VideoRect{-67, 0, 533, 400}));
    ASSERT_TRUE(WaitUntil([&] { return widget->FrameSize() == QSize(533, 400); }, 3000));

    widget->SetAspectRatio(AspectMode::rmLetterBox);
    widget->resize(200, 100);
    EXPECT_EQ(widget->PictureArea(), (VideoRect{33, 0, 133, 100}));
    ASSERT_TRUE(WaitUntil([&] { return widget->FrameSize() == QSize(133, 100); }, 3000));
    shot = widget->grab().toImage();
    EXPECT_EQ(LitShare(shot, {0, 0, 32, 100}), 0.0) << "left bar";
    EXPECT_EQ(LitShare(shot, {167, 0, 33, 100}), 0.0) << "right bar";
    EXPECT_GT(LitShare(shot, {33, 0, 133, 60}), 0.9);
}

TEST_F(GstVideoWidgetTest, DesignValuesAndColourControlRanges) {
    EXPECT_EQ(widget->AspectRatio(), AspectMode::rmLetterBox);
    EXPECT_EQ(widget->AutoHideCursor(), 2000);
    EXPECT_EQ(widget->DigitalZoom(), 0);
    EXPECT_FALSE(widget->NoScreenSaver());
    const ColorValues defaults = widget->ColorControl();
    EXPECT_EQ(defaults.Brightness, 750);
    EXPECT_EQ(defaults.Contrast, 10000);
    EXPECT_EQ(defaults.Saturation, 10000);
    EXPECT_EQ(defaults.Hue, 0);
    EXPECT_EQ(widget->grab().toImage().pixel(200, 200), qRgb(0, 0, 0)) << "black without media";

    const struct {
        ColorValues values;
        bool accepted;
    } cases[] = {
        {{0, 0, 0, -180}, true},
        {{10000, 20000, 20000, 180}, true},
        {{-1, 10000, 10000, 0}, false},
        {{10001, 10000, 10000, 0}, false},
        {{750, -1, 10000, 0}, false},
        {{750, 20001, 10000, 0}, false},
        {{750, 10000, -1, 0}, false},
        {{750, 10000, 20001, 0}, false},
        {{750, 10000, 10000, -181}, false},
        {{750, 10000, 10000, 181}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.values.Brightness << "," << c.values.Contrast << ","
                                        << c.values.Saturation << "," << c.values.Hue);
        const ColorValues before = widget->ColorControl();
        QString error;
        EXPECT_EQ(widget->SetColorControl(c.values, &error), c.accepted);
        const ColorValues after = widget->ColorControl();
        const ColorValues& expected = c.accepted ? c.values : before;
        EXPECT_EQ(after.Brightness, expected.Brightness);
        EXPECT_EQ(after.Contrast, expected.Contrast);
        EXPECT_EQ(after.Saturation, expected.Saturation);
        EXPECT_EQ(after.Hue, expected.Hue);
        EXPECT_EQ(error.isEmpty(), c.accepted);
    }
}

TEST_F(GstVideoWidgetTest, MouseEventsArriveInWindowCoordinates) {
    std::vector<QString> seen;
    auto record = [&seen](const char* kind) {
        return [&seen, kind](const VideoMouseEvent& e) {
            seen.push_back(QStringLiteral("%1 %2,%3 %4")
                               .arg(kind)
                               .arg(e.x)
                               .arg(e.y)
                               .arg(static_cast<int>(e.button)));
        };
    };
    widget->events.OnMouseDown = record("down");
    widget->events.OnMouseUp = record("up");
    widget->events.OnMouseMove = record("move");
    widget->events.OnDblClick = record("dbl");

    QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(12, 34));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(12, 34));
    QTest::mouseMove(widget.get(), QPoint(77, 88));
    QTest::mouseDClick(widget.get(), Qt::RightButton, {}, QPoint(300, 5));
    QTest::qWait(20);

    const int left = static_cast<int>(MouseButton::Left);
    const int right = static_cast<int>(MouseButton::Right);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0], QStringLiteral("down 12,34 %1").arg(left));
    EXPECT_EQ(seen[1], QStringLiteral("up 12,34 %1").arg(left));
    EXPECT_EQ(seen[2], QStringLiteral("move 77,88 0")) << "a move without a button";
    EXPECT_NE(std::find(seen.begin(), seen.end(), QStringLiteral("dbl 300,5 %1").arg(right)),
              seen.end());
}

// The sinks outlive the widget inside the pipeline; frames then go nowhere.
TEST_F(GstVideoWidgetTest, WidgetDestroyedWhileItsGraphPlays) {
    REQUIRE_FIXTURE(clip, "clip-2s.mp4");
    PlayClip(clip);
    widget.reset();
    QTest::qWait(300);
    RefTime position = 0;
    ASSERT_NE(graph.QuerySeeking(), nullptr);
    EXPECT_EQ(graph.QuerySeeking()->GetCurrentPosition(position), S_OK);
    // A new pipeline from the same factory still builds without a widget to show it.
    graph.SetActive(false);
    graph.SetActive(true);
    EXPECT_EQ(graph.RenderFile(clip), S_OK);
}

} // namespace
} // namespace ov
