#pragma once
#include "adapters/gst/GstMediaGraph.h"
#include "core/playback/VideoGeometry.h"
#include "ports/VideoWindow.h"

#include <QCursor>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace ov {

class ScreenSaverInhibitor;

// The video window `MainVideoScreen`: a black widget that paints the newest frame of its
// graph, placed by the aspect mode and the digital zoom. Frames come from an app sink
// (BGRx, cropped, colour-balanced, converted and scaled to the painted size inside
// GStreamer), so painting is a plain copy and child widgets (logo, on-screen text) stay on
// top. Works on any Qt platform, offscreen included.
//
// While paused, a change of size, mode, zoom or colour asks the graph to preroll the same
// position again (an "ov-refresh-picture" element message on the sink), so the still picture
// follows too.
class GstVideoWidget : public QWidget, public VideoWindow {
    Q_OBJECT
public:
    explicit GstVideoWidget(QWidget* parent = nullptr);
    ~GstVideoWidget() override;

    // A new video sink feeding this widget; one per pipeline. Floating reference.
    GstElement* CreateSink();
    // The factory to hand to GstMediaGraph::SetVideoSinkFactory. Safe to keep after the
    // widget is gone: the sinks it makes then show nothing.
    GstMediaGraph::VideoSinkFactory SinkFactory();

    AspectMode AspectRatio() const override { return layout_.mode; }
    void SetAspectRatio(AspectMode mode) override;
    int DigitalZoom() const override { return layout_.zoom; }
    void SetDigitalZoom(int percent) override;
    int AutoHideCursor() const override { return autoHideCursor_; }
    void SetAutoHideCursor(int ms) override;
    bool NoScreenSaver() const override { return noScreenSaver_; }
    void SetNoScreenSaver(bool on) override;
    ColorValues ColorControl() const override { return colors_; }
    bool SetColorControl(const ColorValues& values, QString* error) override;
    void RepaintBackground() override;

    // GStreamer's videobalance values for the colour control's: piecewise linear through
    // (lowest, start value, highest) onto (lowest, untouched, highest), so the values the
    // window starts with leave the picture untouched.
    struct Balance {
        double brightness = 0; // -1..1
        double contrast = 1;   // 0..2
        double saturation = 1; // 0..2
        double hue = 0;        // -1..1
    };
    static Balance BalanceFor(const ColorValues& values);

    // Where the whole picture lies, in widget coordinates (past the edges in crop mode, before
    // the zoom); empty without one.
    VideoRect PictureArea() const;
    // What is shown of the current picture and where; empty without one.
    VideoPlacement Placement() const;
    // Frames that reached the widget since it was made, the pixel size of the newest and its
    // time in the media (ns; -1 without one), for tests and the benchmarks.
    quint64 FramesReceived() const;
    QSize FrameSize() const;
    qint64 FrameTimeNs() const;
    quint64 FramesPainted() const { return framesPainted_; }
    // Whether the cursor is hidden over the video now.
    bool CursorHidden() const { return cursorHidden_; }

    struct FrameStore;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    friend struct FrameStore;
    void OnNewFrame();
    // Tells the sink the layout and the size the picture is painted at, in device pixels.
    void UpdateTargetSize();
    // After a change while paused: asks the graph for the same picture again.
    void RequestRefresh();
    // Mouse activity over the video: shows the cursor and starts the rest timer again.
    void CursorActivity();
    void HideCursor();
    void ShowCursor();

    std::shared_ptr<FrameStore> store_;
    VideoLayout layout_;
    int autoHideCursor_ = 2000;
    bool noScreenSaver_ = false;
    ColorValues colors_;
    quint64 framesPainted_ = 0;

    QTimer cursorTimer_;
    bool cursorHidden_ = false;
    bool settingCursor_ = false;
    QCursor shownCursor_;         // what the cursor is when it shows again
    bool shownCursorSet_ = false; // whether that was set on the widget (else inherited)
    std::unique_ptr<ScreenSaverInhibitor> screenSaver_;
};

} // namespace ov
