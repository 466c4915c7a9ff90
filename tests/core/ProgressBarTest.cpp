#include "core/controls/sys_zvProgressBar.h"
#include "fakes/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace ov {
namespace {

using test::RecordingCanvas;
using Op = RecordingCanvas::Op;
using Redraw = zvProgressBar::Redraw;

constexpr TColor kBar = RecordingCanvas::kHighlight;

Op Rect(int l, int t, int r, int b, TColor pen, std::optional<TColor> brush) {
    return {RecordingCanvas::Kind::Rectangle, {l, t, r, b}, pen, brush};
}
Op Solid(int l, int t, int r, int b, TColor c) {
    return Rect(l, t, r, b, c, c);
}

struct DrawCase {
    const char* name;
    std::function<void(zvProgressBar&)> setup;
    TRect rect;
    bool transparent;
    std::vector<Op> rectangles;
    long double positionAfter;
};

TEST(ProgressBar, DrawBarRectangles) {
    const auto frameless = [](zvProgressBar& b) { b.SetBevelOuterWidth(0); };
    const DrawCase cases[] = {
        {"defaults: empty bar inside the one-pixel bevel",
         [](zvProgressBar&) {},
         {0, 0, 200, 10},
         false,
         {Solid(1, 1, 199, 9, clWhite), Solid(1, 1, 1, 9, kBar)},
         0},
        {"position past Max fills the bar and is clamped",
         [](zvProgressBar& b) { b.SetPosition(150); },
         {0, 0, 200, 10},
         false,
         {Solid(1, 1, 199, 9, clWhite), Solid(1, 1, 199, 9, kBar)},
         100},
        {"position below Min is raised to Min",
         [](zvProgressBar& b) {
             b.SetMin(20);
             b.SetPosition(10);
         },
         {0, 0, 200, 10},
         false,
         {Solid(1, 1, 199, 9, clWhite), Solid(1, 1, 1, 9, kBar)},
         20},
        {"Min = Max = 0: full bar, marker at the right edge",
         [](zvProgressBar& b) {
             b.SetMax(0);
             b.SetLoopBEnabled(true);
         },
         {0, 0, 200, 10},
         false,
         {Solid(1, 1, 199, 9, clWhite), Solid(199, 1, 199, 9, clBlack), Solid(1, 1, 199, 9, kBar),
          Rect(196, 1, 202, 9, clBlack, clGreen)},
         0},
        {"loop begin 30 of 100 on 200 pixels",
         [&](zvProgressBar& b) {
             frameless(b);
             b.SetLoopBEnabled(true);
             b.SetLoopBegin(30);
             b.SetPosition(30);
         },
         {0, 0, 200, 10},
         false,
         {Solid(0, 0, 200, 10, clWhite), Solid(60, 0, 200, 10, clBlack), Solid(0, 0, 60, 10, kBar),
          Rect(57, 0, 63, 10, clBlack, clGreen)},
         30},
        {"loop end alone: region from Min, no marker",
         [&](zvProgressBar& b) {
             frameless(b);
             b.SetLoopEEnabled(true);
             b.SetLoopEnd(80);
             b.SetPosition(50);
         },
         {0, 0, 200, 10},
         false,
         {Solid(0, 0, 200, 10, clWhite), Solid(0, 0, 160, 10, clBlack), Solid(0, 0, 100, 10, kBar)},
         50},
        {"loop limits outside the range fall back to Min and Max",
         [&](zvProgressBar& b) {
             frameless(b);
             b.SetLoopBEnabled(true);
             b.SetLoopEEnabled(true);
             b.SetLoopBegin(-20);
             b.SetLoopEnd(150);
             b.SetPosition(25);
             b.SetMarkerWidth(2);
         },
         {0, 0, 200, 10},
         false,
         {Solid(0, 0, 200, 10, clWhite), Solid(0, 0, 200, 10, clBlack), Solid(0, 0, 50, 10, kBar),
          Rect(-2, 0, 2, 10, clBlack, clGreen)},
         25},
        {"halves go to the even pixel, measured from the rectangle's left",
         [&](zvProgressBar& b) {
             frameless(b);
             b.SetMax(4);
             b.SetPosition(1); // 2.5 pixels of 10
             b.SetLoopBEnabled(true);
             b.SetLoopBegin(3); // 7.5 pixels of 10
             b.SetMarkerWidth(1);
         },
         {10, 5, 20, 9},
         false,
         {Solid(10, 5, 20, 9, clWhite), Solid(18, 5, 20, 9, clBlack), Solid(10, 5, 12, 9, kBar),
          Rect(17, 5, 19, 9, clBlack, clGreen)},
         1},
        {"Min above Max: Position ends at Max and the bar is full",
         [](zvProgressBar& b) {
             b.SetMin(100);
             b.SetMax(0);
             b.SetPosition(50);
         },
         {0, 0, 200, 10},
         false,
         {Solid(1, 1, 199, 9, clWhite), Solid(1, 1, 199, 9, kBar)},
         0},
        {"transparent leaves the inside of the background alone",
         [](zvProgressBar& b) { b.SetPosition(50); },
         {0, 0, 200, 10},
         true,
         {Rect(1, 1, 199, 9, clWhite, std::nullopt), Solid(1, 1, 100, 9, kBar)},
         50},
        {"a position that is not a number draws no bar",
         [](zvProgressBar& b) { b.SetPosition(std::numeric_limits<long double>::quiet_NaN()); },
         {0, 0, 200, 10},
         false,
         {Solid(1, 1, 199, 9, clWhite), Solid(1, 1, 1, 9, kBar)},
         std::numeric_limits<long double>::quiet_NaN()},
        {"huge loop begin keeps the marker far outside, without overflow",
         [&](zvProgressBar& b) {
             frameless(b);
             b.SetLoopBEnabled(true);
             b.SetLoopBegin(1e30L);
             b.SetMarkerWidth(std::numeric_limits<int>::max());
         },
         {0, 0, 200, 10},
         false,
         {Solid(0, 0, 200, 10, clWhite), Solid(1 << 30, 0, 200, 10, clBlack),
          Solid(0, 0, 0, 10, kBar),
          Rect(-(1 << 30) + 1, 0, std::numeric_limits<int>::max(), 10, clBlack, clGreen)},
         0},
        {"a frame wider than the control leaves nothing to fill",
         [](zvProgressBar& b) { b.SetBorderWidth(std::numeric_limits<int>::max()); },
         {0, 0, 6, 4},
         false,
         {},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zvProgressBar bar;
        c.setup(bar);
        int changes = 0;
        bar.OnChange = [&](zvProgressBar&) { ++changes; };
        bar.OnRedraw = [&](Redraw) { ++changes; };
        RecordingCanvas canvas(c.rect.Right, c.rect.Bottom);
        bar.DrawBar(canvas, c.rect, c.transparent);
        EXPECT_EQ(canvas.Rectangles(), c.rectangles);
        if (std::isnan(c.positionAfter))
            EXPECT_TRUE(std::isnan(bar.Position()));
        else
            EXPECT_EQ(bar.Position(), c.positionAfter);
        EXPECT_EQ(changes, 0) << "drawing must neither notify nor ask to be drawn again";
    }
}

struct PictureCase {
    const char* name;
    std::function<void(zvProgressBar&)> setup;
    std::vector<std::string> picture;
};

TEST(ProgressBar, PaintedPixels) {
    const std::map<TColor, char> legend = {
        {RecordingCanvas::kBtnShadow, 'S'},
        {RecordingCanvas::kBtnHighlight, 'H'},
        {RecordingCanvas::kBtnFace, 'F'},
        {kBar, '#'},
        {clWhite, 'w'},
        {clBlack, 'k'},
        {clYellow, 'y'},
        {clGreen, 'g'},
        {clLime, 'l'},
        {RecordingCanvas::kUnpainted, '.'},
    };
    const PictureCase cases[] = {
        {"lowered bevel: shadow on top and left, highlight wins the far corners",
         [](zvProgressBar& b) {
             b.SetBounds(8, 4);
             b.SetPosition(50);
         },
         {"SSSSSSSH", //
          "S###wwwH", //
          "S###wwwH", //
          "HHHHHHHH"}},
        {"raised bevel, border and single inner bevel around bar, loop and marker",
         [](zvProgressBar& b) {
             b.SetBounds(12, 9);
             b.SetBevelOuter(TCatBevelStyle::bsRaised);
             b.SetBorderWidth(1);
             b.SetColorBorder(clYellow);
             b.SetBevelInner(TCatBevelStyle::bsSingle);
             b.SetBevelInnerWidth(1);
             b.SetColorLoop(clLime);
             b.SetLoopBEnabled(true);
             b.SetLoopBegin(50);
             b.SetPosition(50);
             b.SetMarkerWidth(2);
         },
         {"HHHHHHHHHHHS", //
          "HyyyyyyyyyyS", //
          "HykkkkkkkkyS", //
          "Hyk#kkkklkyS", //
          "Hyk#kggklkyS", //
          "Hyk#kkkklkyS", //
          "HykkkkkkkkyS", //
          "HyyyyyyyyyyS", //
          "SSSSSSSSSSSS"}},
        {"default border colour is the button face; a frame too wide fills the control",
         [](zvProgressBar& b) {
             b.SetBounds(5, 4);
             b.SetBevelOuterWidth(0);
             b.SetBorderWidth(1'000'000'000);
         },
         {"FFFFF", //
          "FFFFF", //
          "FFFFF", //
          "FFFFF"}},
        {"the main window's colours once a movie is loaded",
         [](zvProgressBar& b) {
             b.SetBounds(14, 5);
             b.SetBevelOuterWidth(0);
             b.SetBorderWidth(1);
             b.SetColorBorder(clBlack);
             b.SetColorBar(clLime);
             b.SetColorLBegin(clWhite);
             b.SetColorBevelSingle(clYellow);
             b.SetLoopBEnabled(true);
             b.SetMarkerWidth(2);
             b.SetLoopBegin(50);
             b.SetPosition(50);
         },
         {"kkkkkkkkkkkkkk", //
          "kllllyyyykkkkk", //
          "kllllywwykkkkk", //
          "kllllyyyykkkkk", //
          "kkkkkkkkkkkkkk"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zvProgressBar bar;
        c.setup(bar);
        RecordingCanvas canvas(bar.Width(), bar.Height());
        bar.Paint(canvas);
        EXPECT_EQ(canvas.Picture(legend), c.picture);
    }
}

struct SetterCase {
    const char* name;
    std::function<void(zvProgressBar&)> set;
    std::optional<Redraw> redraw;
    bool change;
};

TEST(ProgressBar, SetterRules) {
    using enum TCatBevelStyle;
    const auto I = Redraw::Invalidate;
    const auto R = Redraw::Repaint;
    const SetterCase cases[] = {
        {"ColorBackground", [](zvProgressBar& b) { b.SetColorBackground(clRed); }, I, false},
        {"ColorBar", [](zvProgressBar& b) { b.SetColorBar(clRed); }, I, false},
        {"ColorLBegin", [](zvProgressBar& b) { b.SetColorLBegin(clRed); }, I, false},
        {"ColorLEnd", [](zvProgressBar& b) { b.SetColorLEnd(clLime); }, I, false},
        {"ColorLoop", [](zvProgressBar& b) { b.SetColorLoop(clRed); }, I, false},
        {"ColorBorder", [](zvProgressBar& b) { b.SetColorBorder(clRed); }, I, false},
        {"ColorBevelSingle", [](zvProgressBar& b) { b.SetColorBevelSingle(clRed); }, I, false},
        {"BorderWidth", [](zvProgressBar& b) { b.SetBorderWidth(2); }, I, false},
        {"BevelOuterWidth", [](zvProgressBar& b) { b.SetBevelOuterWidth(2); }, I, false},
        {"BevelInnerWidth", [](zvProgressBar& b) { b.SetBevelInnerWidth(2); }, I, false},
        {"BevelInner", [](zvProgressBar& b) { b.SetBevelInner(bsSingle); }, I, false},
        {"BevelOuter", [](zvProgressBar& b) { b.SetBevelOuter(bsRaised); }, I, false},
        {"MarkerWidth", [](zvProgressBar& b) { b.SetMarkerWidth(4); }, I, false},
        {"Width", [](zvProgressBar& b) { b.SetWidth(676); }, I, false},
        {"Height", [](zvProgressBar& b) { b.SetHeight(8); }, I, false},
        {"Step", [](zvProgressBar& b) { b.SetStep(5); }, std::nullopt, false},
        {"Position", [](zvProgressBar& b) { b.SetPosition(40); }, R, true},
        {"Min", [](zvProgressBar& b) { b.SetMin(10); }, R, true},
        {"Max", [](zvProgressBar& b) { b.SetMax(50); }, R, false},
        {"LoopBegin", [](zvProgressBar& b) { b.SetLoopBegin(10); }, R, true},
        {"LoopEnd", [](zvProgressBar& b) { b.SetLoopEnd(90); }, R, true},
        {"LoopBEnabled", [](zvProgressBar& b) { b.SetLoopBEnabled(true); }, R, false},
        {"LoopEEnabled", [](zvProgressBar& b) { b.SetLoopEEnabled(true); }, R, false},
        {"PositionDefault", [](zvProgressBar& b) { b.SetPositionDefault(20); }, R, false},
        {"ShowDefault", [](zvProgressBar& b) { b.SetShowDefault(true); }, R, false},
        // Exact comparison in extended precision: steps too small for a double still count.
        {"Position by the smallest step",
         [](zvProgressBar& b) { b.SetPosition(std::numeric_limits<long double>::denorm_min()); }, R,
         true},
        {"Max just above 100", [](zvProgressBar& b) { b.SetMax(std::nextafter(100.0L, 200.0L)); },
         R, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zvProgressBar bar;
        std::vector<Redraw> redraws;
        int changes = 0;
        bar.OnRedraw = [&](Redraw how) { redraws.push_back(how); };
        bar.OnChange = [&](zvProgressBar& sender) {
            EXPECT_EQ(&sender, &bar);
            ++changes;
        };
        c.set(bar);
        EXPECT_EQ(redraws, c.redraw ? std::vector{*c.redraw} : std::vector<Redraw>{});
        EXPECT_EQ(changes, c.change ? 1 : 0);
        c.set(bar);
        EXPECT_EQ(redraws.size(), c.redraw ? 1u : 0u) << "the same value again must do nothing";
        EXPECT_EQ(changes, c.change ? 1 : 0);
    }
}

TEST(ProgressBar, DefaultsAndUnclampedValues) {
    zvProgressBar bar;
    EXPECT_EQ(bar.ColorBackground(), clWhite);
    EXPECT_EQ(bar.ColorBar(), clHighlight);
    EXPECT_EQ(bar.ColorLBegin(), clGreen);
    EXPECT_EQ(bar.ColorLEnd(), clRed);
    EXPECT_EQ(bar.ColorLoop(), clBlack);
    EXPECT_EQ(bar.ColorBorder(), clBtnFace);
    EXPECT_EQ(bar.ColorBevelSingle(), clBlack);
    EXPECT_EQ(bar.BorderWidth(), 0);
    EXPECT_EQ(bar.BevelOuterWidth(), 1);
    EXPECT_EQ(bar.BevelInnerWidth(), 0);
    EXPECT_EQ(bar.BevelInner(), TCatBevelStyle::bsRaised);
    EXPECT_EQ(bar.BevelOuter(), TCatBevelStyle::bsLowered);
    EXPECT_EQ(bar.Step(), 0);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.LoopBegin(), 0);
    EXPECT_EQ(bar.LoopEnd(), 100);
    EXPECT_FALSE(bar.LoopBEnabled());
    EXPECT_FALSE(bar.LoopEEnabled());
    EXPECT_EQ(bar.MarkerWidth(), 3);
    EXPECT_EQ(bar.PositionDefault(), 50);
    EXPECT_FALSE(bar.ShowDefault());
    EXPECT_EQ(bar.Width(), 200);
    EXPECT_EQ(bar.Height(), 10);

    // Setters store what they are given; only painting brings Position into range.
    bar.SetPosition(150);
    bar.SetMarkerWidth(-5);
    bar.SetLoopBegin(-1);
    EXPECT_EQ(bar.Position(), 150);
    EXPECT_EQ(bar.MarkerWidth(), -5);
    EXPECT_EQ(bar.LoopBegin(), -1);
}

TEST(ProgressBar, SystemColoursResolveThroughTheCanvas) {
    zvProgressBar bar;
    bar.SetBevelOuter(TCatBevelStyle::bsRaised);
    bar.SetPosition(100);
    RecordingCanvas canvas(bar.Width(), bar.Height());
    canvas.SetSystemColor(SysColorHighlight, 0x123456);
    canvas.SetSystemColor(SysColorBtnHighlight, 0x0000AA);
    canvas.SetSystemColor(SysColorBtnShadow, 0x00BB00);
    bar.Paint(canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x0000AAu);   // raised: highlight top-left
    EXPECT_EQ(canvas.Pixel(199, 5), 0x00BB00u); // shadow bottom-right
    EXPECT_EQ(canvas.Pixel(100, 5), 0x123456u); // the bar in the highlight colour
}

TEST(ProgressBar, MouseEnterAndExitOnlyWhenEnabled) {
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        zvProgressBar bar;
        bar.SetEnabled(enabled);
        std::vector<std::string> calls;
        bar.MouseEnter(); // no handlers yet: nothing to call
        bar.OnMouseEnter = [&](zvProgressBar& sender) {
            EXPECT_EQ(&sender, &bar);
            calls.push_back("enter");
        };
        bar.OnMouseExit = [&](zvProgressBar& sender) {
            EXPECT_EQ(&sender, &bar);
            calls.push_back("exit");
        };
        bar.MouseEnter();
        bar.MouseExit();
        const std::vector<std::string> expected =
            enabled ? std::vector<std::string>{"enter", "exit"} : std::vector<std::string>{};
        EXPECT_EQ(calls, expected);
    }
}

} // namespace
} // namespace ov
