#include "fakes/RecordingCanvas.h"
#include "ui/zvProgressBarWidget.h"

#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ov {
namespace {

using test::RecordingCanvas;

// Counts paints so a test can tell a repaint (now) from an invalidate (later).
class CountingWidget : public zvProgressBarWidget {
public:
    using zvProgressBarWidget::zvProgressBarWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        zvProgressBarWidget::paintEvent(event);
    }
};

QPalette KnownPalette() {
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(0x40, 0x80, 0xC0));
    palette.setColor(QPalette::Button, QColor(0xD0, 0xD0, 0xD0));
    palette.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Light, QColor(0xF0, 0xF0, 0xF0));
    return palette;
}

TColor PixelOf(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
           (static_cast<TColor>(c.blue()) << 16);
}

TEST(ProgressBarWidget, GrabMatchesDrawBarPixelForPixel) {
    zvProgressBar bar;
    // System colours in the frame, the bar and the border, a loop region and a framed marker.
    bar.SetBounds(204, 12);
    bar.SetBorderWidth(1);
    bar.SetLoopBEnabled(true);
    bar.SetLoopBegin(30);
    bar.SetPosition(30);
    zvProgressBarWidget widget(bar);
    widget.setPalette(KnownPalette());
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));

    const QImage image = widget.grab().toImage();
    ASSERT_EQ(image.size(), QSize(204, 12));

    // The stand-in system colours of the recording canvas are the palette above.
    RecordingCanvas expected(204, 12);
    bar.Paint(expected);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 204; ++x)
            ASSERT_EQ(PixelOf(image, x, y), expected.Pixel(x, y)) << "at " << x << ", " << y;
    // Sanity: shadow top-left, button face border, bar from 2 to 62, marker outline at 59.
    EXPECT_EQ(PixelOf(image, 0, 0), RecordingCanvas::kBtnShadow);
    EXPECT_EQ(PixelOf(image, 1, 5), RecordingCanvas::kBtnFace);
    EXPECT_EQ(PixelOf(image, 50, 5), RecordingCanvas::kHighlight);
    EXPECT_EQ(PixelOf(image, 59, 5), clBlack);
    EXPECT_EQ(PixelOf(image, 60, 5), clGreen);
}

TEST(ProgressBarWidget, RepaintsAtOnceOrLaterAsTheBarAsks) {
    zvProgressBar bar;
    CountingWidget widget(bar);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();

    int before = widget.paints;
    bar.SetPosition(150); // repaint: drawn before the setter returns, which clamps it
    EXPECT_EQ(widget.paints, before + 1);
    EXPECT_EQ(bar.Position(), 100);

    before = widget.paints;
    bar.SetColorBar(clRed); // invalidate: drawn on the next pass of the event loop
    EXPECT_EQ(widget.paints, before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return widget.paints > before; }));
}

TEST(ProgressBarWidget, SizeFollowsTheBarAndTheBarLearnsTheLayoutsSize) {
    QWidget panel;
    auto* column = new QVBoxLayout(&panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* widget = new zvProgressBarWidget(&panel); // with a bar of its own
    column->addStretch();
    column->addWidget(widget);
    zvProgressBar& bar = widget->Bar();
    bar.SetHeight(8);
    panel.resize(676, 100);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    EXPECT_EQ(widget->size(), QSize(676, 8));
    EXPECT_EQ(bar.Width(), 676);

    bar.SetHeight(15);
    EXPECT_TRUE(QTest::qWaitFor([&] { return widget->height() == 15; }));
    EXPECT_EQ(widget->width(), 676);
    EXPECT_EQ(bar.Width(), 676);
    EXPECT_EQ(bar.Height(), 15);
}

TEST(ProgressBarWidget, ForwardsMouseXInItsOwnCoordinates) {
    QWidget window;
    zvProgressBarWidget widget(&window);
    widget.move(30, 40);
    std::vector<std::string> calls;
    widget.OnMouseDown = [&](int x) { calls.push_back("down " + std::to_string(x)); };
    widget.OnMouseMove = [&](int x) { calls.push_back("move " + std::to_string(x)); };
    widget.OnMouseUp = [&](int x) { calls.push_back("up " + std::to_string(x)); };
    window.resize(300, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseMove(&widget, QPoint(5, 3)); // hovering, no button
    QTest::mousePress(&widget, Qt::RightButton, {}, QPoint(17, 3));
    QTest::mouseMove(&widget, QPoint(250, 3)); // dragged past the right end while held
    QTest::mouseRelease(&widget, Qt::RightButton, {}, QPoint(250, 3));
    const std::vector<std::string> expected = {"move 5", "down 17", "move 250", "up 250"};
    EXPECT_EQ(calls, expected);
}

TEST(ProgressBarWidget, EnterAndExitOnlyWhileEnabled) {
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        zvProgressBarWidget widget;
        widget.setEnabled(enabled);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        std::vector<std::string> calls;
        widget.Bar().OnMouseEnter = [&](zvProgressBar&) { calls.push_back("enter"); };
        widget.Bar().OnMouseExit = [&](zvProgressBar&) { calls.push_back("exit"); };

        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QCoreApplication::sendEvent(&widget, &enter);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&widget, &leave);

        const std::vector<std::string> expected =
            enabled ? std::vector<std::string>{"enter", "exit"} : std::vector<std::string>{};
        EXPECT_EQ(calls, expected);
    }
}

} // namespace
} // namespace ov
