#include "adapters/gst/GstVideoWidget.h"

#include "adapters/desktop/ScreenSaverInhibitor.h"
#include "adapters/gst/GstBench.h"

#include <QEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
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
    VideoFrameSize native;       // what the newest sink is fed, before cropping and scaling
    VideoLayout layout;          // copies of the widget's, for the crop and the scaling size
    int areaWidth = 0;           // device pixels
    int areaHeight = 0;
    ColorValues colors;
    // Of the newest sink: the crop (zoom and crop mode), the colour, the painted size, and
    // the sink that posts the refresh message.
    GstElement* crop = nullptr;
    GstElement* balance = nullptr;
    GstElement* capsfilter = nullptr;
    GstElement* appsink = nullptr;
    unsigned sinkId = 0; // only the newest sink delivers frames
    GstVideoWidget* widget = nullptr;
    bool updateQueued = false;
    quint64 framesReceived = 0;
    bool newestPainted = true;
    quint64 framesUnpainted = 0; // replaced by a newer frame before they were painted
    quint64 framesPainted = 0;

    // Serialises RefreshCaps so the last placement computed is the last one set.
    std::mutex capsMutex;
    VideoPlacement applied;
    bool appliedValid = false;

    ~FrameStore() {
        if (sample) gst_sample_unref(sample);
        for (GstElement* e : {crop, balance, capsfilter, appsink})
            if (e) gst_object_unref(e);
    }

    void Deliver(unsigned id, GstSample* newSample) {
        GstSample* old = nullptr;
        {
            std::lock_guard lock(mutex);
            if (id != sinkId) {
                old = newSample;
            } else {
                old = sample;
                if (old && !newestPainted) ++framesUnpainted;
                sample = newSample;
                newestPainted = false;
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

    // Crops away what is not shown and asks the scaler for frames of the size they are
    // painted at, so painting is a copy.
    void RefreshCaps() {
        std::lock_guard capsLock(capsMutex);
        GstElement* filter = nullptr;
        GstElement* cropper = nullptr;
        VideoPlacement p;
        VideoFrameSize size;
        {
            std::lock_guard lock(mutex);
            if (!capsfilter || !crop) return;
            size = native;
            p = PlaceVideo(native, areaWidth, areaHeight, layout);
            if (appliedValid && p == applied) return;
            applied = p;
            appliedValid = true;
            filter = GST_ELEMENT(gst_object_ref(capsfilter));
            cropper = GST_ELEMENT(gst_object_ref(crop));
        }
        const bool placed = !p.IsEmpty();
        g_object_set(cropper, "left", placed ? p.source.x : 0, "top", placed ? p.source.y : 0,
                     "right", placed ? size.width - p.source.x - p.source.width : 0, "bottom",
                     placed ? size.height - p.source.y - p.source.height : 0, nullptr);
        GstCaps* caps =
            placed ? gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, p.target.width,
                                         "height", G_TYPE_INT, p.target.height, nullptr)
                   : gst_caps_new_empty_simple("video/x-raw");
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
        gst_object_unref(filter);
        gst_object_unref(cropper);
    }

    void ApplyColors() {
        GstElement* element = nullptr;
        ColorValues values;
        {
            std::lock_guard lock(mutex);
            if (!balance) return;
            element = GST_ELEMENT(gst_object_ref(balance));
            values = colors;
        }
        const Balance b = BalanceFor(values);
        g_object_set(element, "brightness", b.brightness, "contrast", b.contrast, "saturation",
                     b.saturation, "hue", b.hue, nullptr);
        gst_object_unref(element);
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

void OnEos(GstAppSink*, gpointer data) {
    if (!BenchEnabled()) return;
    auto* context = static_cast<SinkContext*>(data);
    quint64 painted = 0;
    quint64 unpainted = 0;
    int width = 0;
    int height = 0;
    {
        std::lock_guard lock(context->store->mutex);
        GstVideoInfo info;
        if (context->store->sample &&
            gst_video_info_from_caps(&info, gst_sample_get_caps(context->store->sample))) {
            width = GST_VIDEO_INFO_WIDTH(&info);
            height = GST_VIDEO_INFO_HEIGHT(&info);
        }
        painted = context->store->framesPainted;
        unpainted = context->store->framesUnpainted;
    }
    BenchLine("painted", static_cast<qint64>(painted));
    BenchLine("painted-width", width);
    BenchLine("painted-height", height);
    BenchLine("unpainted", static_cast<qint64>(unpainted));
}

// Learns the decoded picture's size before the crop and the converter negotiate, so even the
// first frame comes out at the painted size.
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

// v within [low, high] onto [outLow, outHigh], through mid -> outMid.
double Piecewise(int v, int low, int mid, int high, double outLow, double outMid, double outHigh) {
    if (v <= mid) return outMid + (outMid - outLow) * (v - mid) / double(mid - low);
    return outMid + (outHigh - outMid) * (v - mid) / double(high - mid);
}

} // namespace

GstVideoWidget::GstVideoWidget(QWidget* parent)
    : QWidget(parent), store_(std::make_shared<FrameStore>()) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    store_->widget = this;
    store_->colors = colors_;
    // Every pixel is painted by paintEvent (picture or black), so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    cursorTimer_.setSingleShot(true);
    connect(&cursorTimer_, &QTimer::timeout, this, [this] {
        if (autoHideCursor_ > 0) HideCursor();
    });
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
        GstElement* adapt = gst_element_factory_make("videoconvert", nullptr);
        GstElement* crop = gst_element_factory_make("videocrop", nullptr);
        GstElement* balance = gst_element_factory_make("videobalance", nullptr);
        GstElement* scale = gst_element_factory_make("videoscale", nullptr);
        GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
        GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
        GstElement* sink = gst_element_factory_make("appsink", nullptr);
        if (!adapt || !crop || !balance || !scale || !filter || !convert || !sink) {
            for (GstElement* e : {adapt, crop, balance, scale, filter, convert, sink})
                if (e) gst_object_unref(gst_object_ref_sink(e));
            return nullptr;
        }
        // Sizes are chosen to keep the shape already; borders would only waste work.
        g_object_set(scale, "add-borders", FALSE, nullptr);
        GstCaps* caps =
            gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, kFrameFormat, nullptr);
        g_object_set(sink, "caps", caps, "max-buffers", 1u, "drop", TRUE, "sync", TRUE, "qos", TRUE,
                     "max-lateness", gint64(20 * GST_MSECOND), "enable-last-sample", FALSE,
                     "emit-signals", FALSE, "wait-on-eos", FALSE, nullptr);
        gst_caps_unref(caps);

        // The graph hands over decoded frames as they are (no scaling of its own). The first
        // converter only works for formats the balance cannot take and passes the rest. The
        // crop comes next so only what is shown is balanced and scaled; the balance works on
        // the decoded format (and passes frames through untouched at its defaults). Scaling
        // in that planar, subsampled format and converting afterwards costs a fifth less than
        // doing both in one converter, and at 1:1 nothing is scaled.
        GstElement* bin = gst_bin_new(nullptr);
        gst_bin_add_many(GST_BIN(bin), adapt, crop, balance, scale, filter, convert, sink, nullptr);
        gst_element_link_many(adapt, crop, balance, scale, filter, convert, sink, nullptr);
        GstPad* input = gst_element_get_static_pad(adapt, "sink");
        gst_element_add_pad(bin, gst_ghost_pad_new("sink", input));

        unsigned id;
        {
            std::lock_guard lock(store->mutex);
            id = ++store->sinkId;
            GstElement** kept[] = {&store->crop, &store->balance, &store->capsfilter,
                                   &store->appsink};
            GstElement* elements[] = {crop, balance, filter, sink};
            for (int i = 0; i < 4; ++i) {
                if (*kept[i]) gst_object_unref(*kept[i]);
                *kept[i] = GST_ELEMENT(gst_object_ref(elements[i]));
            }
            store->native = {};
        }
        {
            std::lock_guard capsLock(store->capsMutex);
            store->appliedValid = false;
        }
        store->ApplyColors();

        GstAppSinkCallbacks callbacks{};
        callbacks.new_preroll = &OnPreroll;
        callbacks.new_sample = &OnSample;
        callbacks.eos = &OnEos;
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
    layout_.zoom = std::clamp(percent, 0, 99);
    UpdateTargetSize();
    update();
}

GstVideoWidget::Balance GstVideoWidget::BalanceFor(const ColorValues& v) {
    const ColorValues start;
    Balance b;
    b.brightness = Piecewise(v.Brightness, 0, start.Brightness, 10000, -1, 0, 1);
    b.contrast = Piecewise(v.Contrast, 0, start.Contrast, 20000, 0, 1, 2);
    b.saturation = Piecewise(v.Saturation, 0, start.Saturation, 20000, 0, 1, 2);
    b.hue = Piecewise(v.Hue, -180, start.Hue, 180, -1, 0, 1);
    return b;
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
    {
        std::lock_guard lock(store_->mutex);
        store_->colors = v;
    }
    store_->ApplyColors();
    RequestRefresh();
    return true;
}

void GstVideoWidget::SetNoScreenSaver(bool on) {
    noScreenSaver_ = on;
    if (on && !screenSaver_) screenSaver_ = std::make_unique<ScreenSaverInhibitor>();
    if (screenSaver_) screenSaver_->SetInhibited(on);
}

void GstVideoWidget::RepaintBackground() {
    GstSample* old = nullptr;
    {
        std::lock_guard lock(store_->mutex);
        old = store_->sample;
        store_->sample = nullptr;
        store_->newestPainted = true;
    }
    if (old) gst_sample_unref(old);
    update();
}

void GstVideoWidget::RequestRefresh() {
    GstElement* sink = nullptr;
    {
        std::lock_guard lock(store_->mutex);
        // Nothing shown yet: the first frame comes with the new settings anyway.
        if (!store_->sample || !store_->appsink) return;
        sink = GST_ELEMENT(gst_object_ref(store_->appsink));
    }
    gst_element_post_message(
        sink,
        gst_message_new_element(GST_OBJECT(sink), gst_structure_new_empty("ov-refresh-picture")));
    gst_object_unref(sink);
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

qint64 GstVideoWidget::FrameTimeNs() const {
    std::lock_guard lock(store_->mutex);
    if (!store_->sample) return -1;
    GstBuffer* buffer = gst_sample_get_buffer(store_->sample);
    if (!buffer || !GST_BUFFER_PTS_IS_VALID(buffer)) return -1;
    const GstSegment* segment = gst_sample_get_segment(store_->sample);
    const guint64 t =
        segment && segment->format == GST_FORMAT_TIME
            ? gst_segment_to_stream_time(segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer))
            : GST_BUFFER_PTS(buffer);
    return t == GST_CLOCK_TIME_NONE ? -1 : static_cast<qint64>(t);
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

VideoPlacement GstVideoWidget::Placement() const {
    VideoFrameSize size;
    {
        std::lock_guard lock(store_->mutex);
        if (!store_->sample) return {};
        size = store_->native;
    }
    return PlaceVideo(size, width(), height(), layout_);
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
    bool changed = false;
    {
        std::lock_guard lock(store_->mutex);
        const int w = static_cast<int>(std::lround(width() * dpr));
        const int h = static_cast<int>(std::lround(height() * dpr));
        changed = w != store_->areaWidth || h != store_->areaHeight ||
                  layout_.mode != store_->layout.mode || layout_.zoom != store_->layout.zoom;
        store_->areaWidth = w;
        store_->areaHeight = h;
        store_->layout = layout_;
    }
    store_->RefreshCaps();
    if (changed) RequestRefresh();
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
    const VideoRect r = PlaceVideo(native, width(), height(), layout_).target;
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
            // Until the converter follows a change the frame is scaled here.
            painter.drawImage(target, image);
        }
        ++framesPainted_;
        bool first = false;
        {
            std::lock_guard lock(store_->mutex);
            if (sample == store_->sample) store_->newestPainted = true;
            first = store_->framesPainted++ == 0;
        }
        if (first && BenchEnabled()) {
            BenchLine("first-frame-ms", MsSinceProcessStart());
            BenchLine("first-frame-mono-us", MonotonicUs());
            BenchLine("first-frame-cpu-ms", ProcessCpuMs());
        }
    }
    gst_video_frame_unmap(&frame);
    gst_sample_unref(sample);
}

bool GstVideoWidget::event(QEvent* e) {
    // Whoever sets a cursor while it is hidden (the main window does on every update) sets
    // the one shown when it comes back.
    if (e->type() == QEvent::CursorChange && cursorHidden_ && !settingCursor_ &&
        cursor().shape() != Qt::BlankCursor) {
        shownCursor_ = cursor();
        shownCursorSet_ = testAttribute(Qt::WA_SetCursor);
        settingCursor_ = true;
        setCursor(Qt::BlankCursor);
        settingCursor_ = false;
    }
    return QWidget::event(e);
}

void GstVideoWidget::SetAutoHideCursor(int ms) {
    autoHideCursor_ = ms < 0 ? 0 : ms;
    if (autoHideCursor_ == 0) {
        cursorTimer_.stop();
        ShowCursor();
        return;
    }
    // Counted from now when the mouse already rests over the video.
    if (underMouse() || cursorHidden_) {
        if (!cursorHidden_) cursorTimer_.start(autoHideCursor_);
    }
}

void GstVideoWidget::CursorActivity() {
    ShowCursor();
    if (autoHideCursor_ > 0)
        cursorTimer_.start(autoHideCursor_);
    else
        cursorTimer_.stop();
}

void GstVideoWidget::HideCursor() {
    if (cursorHidden_) return;
    shownCursorSet_ = testAttribute(Qt::WA_SetCursor);
    shownCursor_ = cursor();
    cursorHidden_ = true;
    settingCursor_ = true;
    setCursor(Qt::BlankCursor);
    settingCursor_ = false;
}

void GstVideoWidget::ShowCursor() {
    if (!cursorHidden_) return;
    cursorHidden_ = false;
    settingCursor_ = true;
    if (shownCursorSet_)
        setCursor(shownCursor_);
    else
        unsetCursor();
    settingCursor_ = false;
}

void GstVideoWidget::leaveEvent(QEvent* event) {
    cursorTimer_.stop();
    ShowCursor();
    QWidget::leaveEvent(event);
}

void GstVideoWidget::mousePressEvent(QMouseEvent* event) {
    CursorActivity();
    if (events.OnMouseDown) events.OnMouseDown(ToVideoEvent(event, ToButton(event->button())));
}

void GstVideoWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (events.OnMouseUp) events.OnMouseUp(ToVideoEvent(event, ToButton(event->button())));
}

void GstVideoWidget::mouseMoveEvent(QMouseEvent* event) {
    CursorActivity();
    if (events.OnMouseMove) events.OnMouseMove(ToVideoEvent(event, HeldButton(event->buttons())));
}

void GstVideoWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (events.OnDblClick) events.OnDblClick(ToVideoEvent(event, ToButton(event->button())));
}

} // namespace ov
