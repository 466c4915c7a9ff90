#pragma once
#include "adapters/gst/GstMediaGraph.h"
#include "core/playback/VideoGeometry.h"
#include "ports/VideoWindow.h"

#include <QWidget>
#include <memory>

namespace ov {

// The video window `MainVideoScreen`: a black widget that paints the newest frame of its
// graph, placed by the aspect mode. Frames come from an app sink (BGRx, converted and scaled
// to the painted size inside GStreamer), so painting is a plain copy and child widgets (logo,
// on-screen text) stay on top. Works on any Qt platform, offscreen included.
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
    int DigitalZoom() const override { return zoom_; }
    void SetDigitalZoom(int percent) override;
    int AutoHideCursor() const override { return autoHideCursor_; }
    void SetAutoHideCursor(int ms) override { autoHideCursor_ = ms < 0 ? 0 : ms; }
    bool NoScreenSaver() const override { return noScreenSaver_; }
    void SetNoScreenSaver(bool on) override { noScreenSaver_ = on; }
    ColorValues ColorControl() const override { return colors_; }
    bool SetColorControl(const ColorValues& values, QString* error) override;
    void RepaintBackground() override;

    // Where the current picture is painted, in widget coordinates; empty without one.
    VideoRect PictureArea() const;
    // Frames that reached the widget since it was made, and the pixel size of the newest
    // (for tests and the benchmark).
    quint64 FramesReceived() const;
    QSize FrameSize() const;
    quint64 FramesPainted() const { return framesPainted_; }

    struct FrameStore;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend struct FrameStore;
    void OnNewFrame();
    // Tells the sink the size the picture is painted at, in device pixels.
    void UpdateTargetSize();

    std::shared_ptr<FrameStore> store_;
    VideoLayout layout_;
    int zoom_ = 0;
    int autoHideCursor_ = 2000;
    bool noScreenSaver_ = false;
    ColorValues colors_;
    quint64 framesPainted_ = 0;
};

} // namespace ov
