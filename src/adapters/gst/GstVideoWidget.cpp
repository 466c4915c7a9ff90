#include "adapters/gst/GstVideoWidget.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <cstdlib>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <mutex>

namespace ov {

namespace {

// The layout Qt's RGB32 images have in memory.
constexpr const char* kFrameFormat = G_BYTE_ORDER == G_LITTLE_ENDIAN ? "BGRx" : "xRGB";

MouseButton ToButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::None;
    }
}

MouseButton HeldButton(Qt::MouseButtons buttons) {
    if (buttons & Qt::LeftButton) return MouseButton::Left;
    if (buttons & Qt::RightButton) return MouseButton::Right;
    if (buttons & Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::None;
}

VideoMouseEvent ToVideoEvent(const QMouseEvent* e, MouseButton button) {
    const QPoint p = e->position().toPoint();
    return {p.x(), p.y(), button};
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

// Shared by the widget and the sinks it made; whichever goes last frees it. Sinks run on
// streaming threads, so everything here is guarded by the mutex.
struct GstVideoWidget::FrameStore {
    std::mutex mutex;
    GstSample* sample = nullptr; // the newest frame
    VideoFrameSize native;       // what the newest sink is fed, before scaling
    VideoLayout layout;          // copies of the widget's, for the scaling size
    int areaWidth = 0;           // device pixels
    int areaHeight = 0;
    GstElement* capsfilter = nullptr; // of the newest sink: asks for the painted size
    unsigned sinkId = 0;              // only the newest sink delivers frames
    GstVideoWidget* widget = nullptr;
    bool updateQueued = false;
    quint64 framesReceived = 0;

    // Serialises RefreshCaps so the last size computed is the last one set.
    std::mutex capsMutex;
    int capsWidth = -1;
    int capsHeight = -1;

    ~FrameStore() {
        if (sample) gst_sample_unref(sample);
        if (capsfilter) gst_object_unref(capsfilter);
    }

    void Deliver(unsigned id, GstSample* newSample) {
        GstSample* old = nullptr;
        {
            std::lock_guard lock(mutex);
            if (id != sinkId) {
                old = newSample;
            } else {
                old = sample;
                sample = newSample;
                ++framesReceived;
                // One queued repaint at a time: frames that come faster than the UI paints
                // replace each other and only the newest is painted.
                if (widget && !updateQueued) {
                    updateQueued = true;
                    QMetaObject::invokeMethod(
                        widget, [w = widget] { w->OnNewFrame(); }, Qt::QueuedConnection);
                }
            }
        }
        if (old) gst_sample_unref(old);
    }

    void SetNative(unsigned id, const VideoFrameSize& size) {
        {
            std::lock_guard lock(mutex);
            if (id != sinkId) return;
            native = size;
        }
        RefreshCaps();
    }

    // Asks the converter for frames of the size they are painted at, so painting is a copy.
    void RefreshCaps() {
        std::lock_guard capsLock(capsMutex);
        GstElement* filter = nullptr;
        int width = 0;
        int height = 0;
        {
            std::lock_guard lock(mutex);
            if (!capsfilter) return;
            const VideoRect r = PictureRect(native, areaWidth, areaHeight, layout);
            if (!r.IsEmpty()) {
                width = r.width;
                height = r.height;
            }
            if (width == capsWidth && height == capsHeight) return;
            capsWidth = width;
            capsHeight = height;
            filter = GST_ELEMENT(gst_object_ref(capsfilter));
        }
        GstCaps* caps = width > 0 ? gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING,
                                                        kFrameFormat, "width", G_TYPE_INT, width,
                                                        "height", G_TYPE_INT, height, nullptr)
                                  : gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING,
                                                        kFrameFormat, nullptr);
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
        gst_object_unref(filter);
    }
};

namespace {

struct SinkContext {
    std::shared_ptr<GstVideoWidget::FrameStore> store;
    unsigned id;
};

void DeleteContext(gpointer data) {
    delete static_cast<SinkContext*>(data);
}

GstFlowReturn OnPreroll(GstAppSink* sink, gpointer data) {
    auto* context = static_cast<SinkContext*>(data);
    if (GstSample* sample = gst_app_sink_pull_preroll(sink))
        context->store->Deliver(context->id, sample);
    return GST_FLOW_OK;
}

GstFlowReturn OnSample(GstAppSink* sink, gpointer data) {
    auto* context = static_cast<SinkContext*>(data);
    if (GstSample* sample = gst_app_sink_pull_sample(sink))
        context->store->Deliver(context->id, sample);
    return GST_FLOW_OK;
}

// Learns the decoded picture's size before the converter negotiates, so even the first
// frame comes out at the painted size.
GstPadProbeReturn OnInputEvent(GstPad*, GstPadProbeInfo* info, gpointer data) {
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) != GST_EVENT_CAPS) return GST_PAD_PROBE_OK;
    GstCaps* caps = nullptr;
    gst_event_parse_caps(event, &caps);
    GstVideoInfo videoInfo;
    if (caps && gst_video_info_from_caps(&videoInfo, caps)) {
        auto* context = static_cast<SinkContext*>(data);
        context->store->SetNative(
            context->id, {GST_VIDEO_INFO_WIDTH(&videoInfo), GST_VIDEO_INFO_HEIGHT(&videoInfo),
                          GST_VIDEO_INFO_PAR_N(&videoInfo), GST_VIDEO_INFO_PAR_D(&videoInfo)});
    }
    return GST_PAD_PROBE_OK;
}

} // namespace

GstVideoWidget::GstVideoWidget(QWidget* parent)
    : QWidget(parent), store_(std::make_shared<FrameStore>()) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    store_->widget = this;
    // Every pixel is painted by paintEvent (picture or black), so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

GstVideoWidget::~GstVideoWidget() {
    std::lock_guard lock(store_->mutex);
    store_->widget = nullptr;
}

GstElement* GstVideoWidget::CreateSink() {
    return SinkFactory()();
}

GstMediaGraph::VideoSinkFactory GstVideoWidget::SinkFactory() {
    std::shared_ptr<FrameStore> store = store_;
    return [store]() -> GstElement* {
        GstElement* convert = gst_element_factory_make("videoconvertscale", nullptr);
        GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
        GstElement* sink = gst_element_factory_make("appsink", nullptr);
        if (!convert || !filter || !sink) {
            for (GstElement* e : {convert, filter, sink})
                if (e) gst_object_unref(gst_object_ref_sink(e));
            return nullptr;
        }
        // Sizes are chosen to keep the shape already; borders would only waste work.
        g_object_set(convert, "add-borders", FALSE, nullptr);
        GstCaps* caps =
            gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, kFrameFormat, nullptr);
        g_object_set(sink, "caps", caps, "max-buffers", 1u, "drop", TRUE, "sync", TRUE, "qos", TRUE,
                     "max-lateness", gint64(20 * GST_MSECOND), "enable-last-sample", FALSE,
                     "emit-signals", FALSE, nullptr);
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);

        GstElement* bin = gst_bin_new(nullptr);
        gst_bin_add_many(GST_BIN(bin), convert, filter, sink, nullptr);
        gst_element_link_many(convert, filter, sink, nullptr);
        GstPad* input = gst_element_get_static_pad(convert, "sink");
        gst_element_add_pad(bin, gst_ghost_pad_new("sink", input));

        unsigned id;
        {
            std::lock_guard lock(store->mutex);
            id = ++store->sinkId;
            if (store->capsfilter) gst_object_unref(store->capsfilter);
            store->capsfilter = GST_ELEMENT(gst_object_ref(filter));
        }
        {
            std::lock_guard capsLock(store->capsMutex);
            store->capsWidth = store->capsHeight = -1;
        }

        GstAppSinkCallbacks callbacks{};
        callbacks.new_preroll = &OnPreroll;
        callbacks.new_sample = &OnSample;
        gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, new SinkContext{store, id},
                                   &DeleteContext);
        gst_pad_add_probe(input, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, &OnInputEvent,
                          new SinkContext{store, id}, &DeleteContext);
        gst_object_unref(input);
        return bin;
    };
}

void GstVideoWidget::SetAspectRatio(AspectMode mode) {
    layout_.mode = mode;
    UpdateTargetSize();
    update();
}

void GstVideoWidget::SetDigitalZoom(int percent) {
    zoom_ = percent < 0 ? 0 : (percent > 99 ? 99 : percent);
    update();
}

bool GstVideoWidget::SetColorControl(const ColorValues& v, QString* error) {
    QString problem;
    if (!InRange(v.Brightness, 0, 10000))
        problem = QStringLiteral("Brightness %1 is outside 0..10000").arg(v.Brightness);
    else if (!InRange(v.Contrast, 0, 20000))
        problem = QStringLiteral("Contrast %1 is outside 0..20000").arg(v.Contrast);
    else if (!InRange(v.Saturation, 0, 20000))
        problem = QStringLiteral("Saturation %1 is outside 0..20000").arg(v.Saturation);
    else if (!InRange(v.Hue, -180, 180))
        problem = QStringLiteral("Hue %1 is outside -180..180").arg(v.Hue);
    if (!problem.isEmpty()) {
        if (error) *error = problem;
        return false;
    }
    colors_ = v;
    return true;
}

void GstVideoWidget::RepaintBackground() {
    GstSample* old = nullptr;
    {
        std::lock_guard lock(store_->mutex);
        old = store_->sample;
        store_->sample = nullptr;
    }
    if (old) gst_sample_unref(old);
    update();
}

quint64 GstVideoWidget::FramesReceived() const {
    std::lock_guard lock(store_->mutex);
    return store_->framesReceived;
}

QSize GstVideoWidget::FrameSize() const {
    std::lock_guard lock(store_->mutex);
    GstVideoInfo info;
    if (!store_->sample || !gst_video_info_from_caps(&info, gst_sample_get_caps(store_->sample)))
        return {};
    return {GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)};
}

VideoRect GstVideoWidget::PictureArea() const {
    VideoFrameSize size;
    {
        std::lock_guard lock(store_->mutex);
        if (!store_->sample) return {};
        size = store_->native;
    }
    return PictureRect(size, width(), height(), layout_);
}

void GstVideoWidget::OnNewFrame() {
    {
        std::lock_guard lock(store_->mutex);
        store_->updateQueued = false;
    }
    update();
}

void GstVideoWidget::UpdateTargetSize() {
    const qreal dpr = devicePixelRatioF();
    {
        std::lock_guard lock(store_->mutex);
        store_->areaWidth = static_cast<int>(std::lround(width() * dpr));
        store_->areaHeight = static_cast<int>(std::lround(height() * dpr));
        store_->layout = layout_;
    }
    store_->RefreshCaps();
}

void GstVideoWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateTargetSize();
}

void GstVideoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    GstSample* sample = nullptr;
    VideoFrameSize native;
    {
        std::lock_guard lock(store_->mutex);
        if (store_->sample) sample = gst_sample_ref(store_->sample);
        native = store_->native;
    }
    GstVideoInfo info;
    GstVideoFrame frame;
    if (!sample || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) ||
        !gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
        painter.fillRect(rect(), Qt::black);
        if (sample) gst_sample_unref(sample);
        return;
    }

    const int frameWidth = GST_VIDEO_FRAME_WIDTH(&frame);
    const int frameHeight = GST_VIDEO_FRAME_HEIGHT(&frame);
    if (native.width <= 0)
        native = {frameWidth, frameHeight, GST_VIDEO_INFO_PAR_N(&info),
                  GST_VIDEO_INFO_PAR_D(&info)};
    const VideoRect r = PictureRect(native, width(), height(), layout_);
    const QRect target(r.x, r.y, r.width, r.height);
    for (const QRect& bar : QRegion(rect()).subtracted(QRegion(target)))
        painter.fillRect(bar, Qt::black);

    if (!target.isEmpty()) {
        QImage image(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)), frameWidth,
                     frameHeight, GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), QImage::Format_RGB32);
        const qreal dpr = devicePixelRatioF();
        // The converter already made the painted size (give or take rounding): copy it.
        if (std::abs(frameWidth - std::lround(target.width() * dpr)) <= 1 &&
            std::abs(frameHeight - std::lround(target.height() * dpr)) <= 1) {
            image.setDevicePixelRatio(dpr);
            painter.drawImage(target.topLeft(), image);
        } else {
            // Until the converter follows a resize the frame is scaled here.
            painter.drawImage(target, image);
        }
        ++framesPainted_;
    }
    gst_video_frame_unmap(&frame);
    gst_sample_unref(sample);
}

void GstVideoWidget::mousePressEvent(QMouseEvent* event) {
    if (events.OnMouseDown) events.OnMouseDown(ToVideoEvent(event, ToButton(event->button())));
}

void GstVideoWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (events.OnMouseUp) events.OnMouseUp(ToVideoEvent(event, ToButton(event->button())));
}

void GstVideoWidget::mouseMoveEvent(QMouseEvent* event) {
    if (events.OnMouseMove) events.OnMouseMove(ToVideoEvent(event, HeldButton(event->buttons())));
}

void GstVideoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (events.OnDblClick) events.OnDblClick(ToVideoEvent(event, ToButton(event->button())));
}

} // namespace ov
