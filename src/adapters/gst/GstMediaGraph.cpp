#include "adapters/gst/GstMediaGraph.h"

#include "adapters/gst/GstBench.h"
#include "adapters/gst/GstVideoWidget.h"
#include "core/system/cl_debugLog.h"

#include <QFile>
#include <QMetaObject>
#include <algorithm>
#include <cmath>
#include <gst/base/gstbasesink.h>
#include <gst/gst.h>
#include <limits>

namespace ov {

namespace {

constexpr std::int64_t kNsPerRefTime = 100;

QString ErrorText(GstMessage* message) {
    GError* error = nullptr;
    gchar* debug = nullptr;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        gst_message_parse_error(message, &error, &debug);
    else
        gst_message_parse_warning(message, &error, &debug);
    QString text = QString::fromUtf8(error ? error->message : "unknown error");
    if (GST_MESSAGE_SRC(message))
        text += QStringLiteral(" [%1]").arg(QString::fromUtf8(GST_MESSAGE_SRC_NAME(message)));
    if (error) g_error_free(error);
    g_free(debug);
    return text;
}

// 100-ns units to nanoseconds without overflowing for absurd inputs.
std::int64_t RefTimeToNs(RefTime t) {
    constexpr RefTime limit = std::numeric_limits<std::int64_t>::max() / kNsPerRefTime;
    return std::clamp<RefTime>(t, 0, limit) * kNsPerRefTime;
}

} // namespace

// Bridges GStreamer's C callback to the private handler.
struct GstMediaGraphBus {
    static GstBusSyncReply Sync(GstBus*, GstMessage* message, gpointer self) {
        static_cast<GstMediaGraph*>(self)->HandleBusMessage(message);
        // Nothing pops this bus: every message is handled here, and a dropped one is ours
        // to release.
        gst_message_unref(message);
        return GST_BUS_DROP;
    }
};

GstMediaGraph::GstMediaGraph(QObject* parent) : QObject(parent) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    bench_ = BenchEnabled();
    // A seek whose preroll never comes (a sink that went away, a stuck decoder) must not hold
    // back the targets that follow it for good.
    seekWatchdog_.setSingleShot(true);
    seekWatchdog_.setInterval(3000);
    connect(&seekWatchdog_, &QTimer::timeout, this, [this] {
        if (!seekInFlight_) return;
        DebugLog(QStringLiteral("FAIL: seek to %1 ms did not settle").arg(seekTargetNs_ / 1000000));
        seekSerial_.store(0);
        OnSeekSettled(generation_, seekCounter_);
    });
}

GstMediaGraph::~GstMediaGraph() {
    DestroyPipeline();
}

void GstMediaGraph::SetVideoSinkFactory(VideoSinkFactory factory) {
    videoSinkFactory_ = std::move(factory);
    if (pipeline_ && !rendered_) {
        GstElement* sink = videoSinkFactory_ ? videoSinkFactory_() : nullptr;
        if (sink) g_object_set(pipeline_, "video-sink", sink, nullptr);
    }
}

void GstMediaGraph::SetVideoWindow(GstVideoWidget* window) {
    SetVideoSinkFactory(window ? window->SinkFactory() : VideoSinkFactory());
}

void GstMediaGraph::SetActive(bool active) {
    if (active && !pipeline_)
        CreatePipeline();
    else if (!active && pipeline_)
        DestroyPipeline();
}

void GstMediaGraph::CreatePipeline() {
    // Mode gmDVD will pick the DVD source here once DVD playback has its adapter.
    pipeline_ = gst_element_factory_make("playbin", "ov-graph");
    if (!pipeline_) {
        DebugLog("FAIL: GStreamer's playbin is missing");
        return;
    }
    gst_object_ref_sink(pipeline_);

    GstElement* videoSink = videoSinkFactory_ ? videoSinkFactory_() : nullptr;
    if (!videoSink) {
        // Keeps the pipeline clocked (positions advance, the end arrives on time).
        videoSink = gst_element_factory_make("fakesink", "ov-no-window");
        if (videoSink) g_object_set(videoSink, "sync", TRUE, nullptr);
    }
    if (videoSink) g_object_set(pipeline_, "video-sink", videoSink, nullptr);
    // Decoded frames go to the sink as they are: the window's sink crops, scales and converts
    // to what it paints, and a converter of playbin's own before it would scale to the size
    // the sink asks for first (twice the work, and the sink no longer sees the picture's size).
    constexpr guint kNativeVideo = 0x40; // GST_PLAY_FLAG_NATIVE_VIDEO
    guint flags = 0;
    g_object_get(pipeline_, "flags", &flags, nullptr);
    g_object_set(pipeline_, "flags", flags | kNativeVideo, nullptr);

    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, &GstMediaGraphBus::Sync, this, nullptr);
    gst_object_unref(bus);
    ApplyVolume();
}

void GstMediaGraph::DestroyPipeline() {
    if (!pipeline_) return;
    Reset();
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    if (panorama_) gst_object_unref(panorama_);
    panorama_ = nullptr;
    gst_object_unref(pipeline_);
    pipeline_ = nullptr;
}

void GstMediaGraph::Reset() {
    // NULL joins every streaming thread, so nothing of the old media is posted after this.
    if (pipeline_) gst_element_set_state(pipeline_, GST_STATE_NULL);
    ++generation_;
    rendered_ = false;
    wantPlaying_ = false;
    stopNs_ = -1;
    ClearSeeks();
}

void GstMediaGraph::ClearSeeks() {
    seekWatchdog_.stop();
    seekSerial_.store(0);
    seekInFlight_ = false;
    pendingSeek_.reset();
    seekTargetNs_ = -1;
}

void GstMediaGraph::ClearGraph() {
    Reset();
}

GstElement* GstMediaGraph::MakeAudioFilter() {
    if (panorama_) gst_object_unref(panorama_);
    panorama_ = nullptr;

    GstElement* bin = gst_bin_new("ov-audio-filter");
    GstElement* first = gst_element_factory_make("audioconvert", nullptr);
    GstElement* tempo = gst_element_factory_make("scaletempo", nullptr);
    GstElement* last = gst_element_factory_make("audioconvert", nullptr);
    // audiopanorama mixes everything down to stereo, so it is only put in while the balance
    // is off centre (the player leaves it centred).
    GstElement* pan =
        balance_ != 0 ? gst_element_factory_make("audiopanorama", "ov-balance") : nullptr;
    if (!first || !tempo || !last) {
        for (GstElement* e : {first, tempo, last, pan})
            if (e) gst_object_unref(gst_object_ref_sink(e));
        gst_object_unref(gst_object_ref_sink(bin));
        DebugLog("FAIL: audio filter elements missing; rate changes will alter the pitch");
        return nullptr;
    }
    gst_bin_add_many(GST_BIN(bin), first, tempo, last, nullptr);
    bool linked;
    if (pan) {
        gst_bin_add(GST_BIN(bin), pan);
        linked = gst_element_link_many(first, pan, tempo, last, nullptr);
        panorama_ = GST_ELEMENT(gst_object_ref(pan));
    } else {
        linked = gst_element_link_many(first, tempo, last, nullptr);
    }
    GstPad* sink = gst_element_get_static_pad(first, "sink");
    GstPad* src = gst_element_get_static_pad(last, "src");
    gst_element_add_pad(bin, gst_ghost_pad_new("sink", sink));
    gst_element_add_pad(bin, gst_ghost_pad_new("src", src));
    gst_object_unref(sink);
    gst_object_unref(src);
    if (!linked) {
        DebugLog("FAIL: audio filter could not be linked");
        gst_object_unref(gst_object_ref_sink(bin));
        if (panorama_) gst_object_unref(panorama_);
        panorama_ = nullptr;
        return nullptr;
    }
    return bin;
}

HResult GstMediaGraph::RenderFile(const QString& path) {
    if (!pipeline_) {
        DebugLog("FAIL: RenderFile without a graph: " + path);
        return E_FAIL;
    }
    if (bench_) BenchLine("render-start-ms", MsSinceProcessStart());
    Reset();
    if (path.isEmpty()) return E_INVALIDARG;

    GError* uriError = nullptr;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(path).constData(), &uriError);
    if (!uri) {
        DebugLog("FAIL: RenderFile " + path + ": " +
                 QString::fromUtf8(uriError ? uriError->message : "no URI"));
        if (uriError) g_error_free(uriError);
        return E_FAIL;
    }
    g_object_set(pipeline_, "uri", uri, nullptr);
    g_free(uri);
    // Set even when null, so a filter of the previous file does not stay.
    g_object_set(pipeline_, "audio-filter", MakeAudioFilter(), nullptr);

    QString error;
    const Outcome outcome = RunAndSettle(
        [this] {
            switch (gst_element_set_state(pipeline_, GST_STATE_PAUSED)) {
            case GST_STATE_CHANGE_FAILURE:
                return Outcome::Failed;
            case GST_STATE_CHANGE_ASYNC:
                return Outcome::Pending;
            default:
                return Outcome::Done;
            }
        },
        prerollTimeout_, &error, true);
    if (outcome != Outcome::Done) {
        if (outcome == Outcome::Pending)
            error = QStringLiteral("not ready within %1 ms").arg(prerollTimeout_.count());
        DebugLog("FAIL: RenderFile " + path + ": " + (error.isEmpty() ? "failed" : error));
        Reset();
        return E_FAIL;
    }

    rendered_ = true;
    if (bench_) BenchLine("render-done-ms", MsSinceProcessStart());
    ApplyVolume();
    ApplyBalance();
    if (rate_ != 1.0) {
        // Part of rendering: the media is ready at its rate when this returns.
        const Outcome rated = RunAndSettle(
            [this] {
                return IssueSeek({0, rate_}) ? Outcome::Pending : Outcome::Failed;
            },
            settleTimeout_);
        if (rated == Outcome::Done) OnSeekSettled(generation_, seekCounter_);
    }
    return S_OK;
}

DvdRenderStatus GstMediaGraph::RenderDvd(const QString& ifoPath, int) {
    // DVD playback gets its own adapter; until then a DVD is not rendered.
    DebugLog("FAIL: RenderDvd " + ifoPath + ": DVD playback is not available");
    return {E_FAIL, false};
}

GstMediaGraph::Outcome GstMediaGraph::RunAndSettle(const std::function<Outcome()>& step,
                                                   std::chrono::milliseconds timeout,
                                                   QString* error, bool watchStalls) {
    {
        std::lock_guard lock(wait_.mutex);
        wait_.armed = true;
        wait_.done = false;
        wait_.failed = false;
        wait_.error.clear();
    }
    Outcome outcome = step();
    std::unique_lock lock(wait_.mutex);
    if (outcome == Outcome::Pending) {
        const auto settled = [this] { return wait_.done || wait_.failed; };
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        constexpr auto kCheck = std::chrono::milliseconds(100);
        int stalledChecks = 0;
        while (!settled() && std::chrono::steady_clock::now() < deadline) {
            wait_.changed.wait_until(
                lock, std::min(deadline, std::chrono::steady_clock::now() + kCheck), settled);
            if (settled() || !watchStalls) continue;
            lock.unlock();
            stalledChecks = StreamingStalled() ? stalledChecks + 1 : 0;
            lock.lock();
            // Three checks in a row, so a thread between two tasks is not taken for a stall.
            if (stalledChecks >= 3 && !settled()) {
                wait_.failed = true;
                wait_.error = QStringLiteral("streaming stopped before the media was ready");
            }
        }
        if (wait_.done) outcome = Outcome::Done;
    }
    if (wait_.failed) outcome = Outcome::Failed;
    if (error) *error = wait_.error;
    wait_.armed = false;
    return outcome;
}

// decodebin drops the error of an element it is still trying out, so a demuxer that fails at
// once (qtdemux on an MP4 without its index, seen here in about one render in five) can leave
// the preroll waiting forever with nothing on the bus. Then no pad task runs any more: data can
// only move on a streaming thread, so the preroll can never come.
bool GstMediaGraph::StreamingStalled() const {
    bool running = false;
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(pipeline_));
    GValue item = G_VALUE_INIT;
    bool more = true;
    while (more && !running) {
        switch (gst_iterator_next(elements, &item)) {
        case GST_ITERATOR_OK: {
            GstIterator* pads = gst_element_iterate_pads(GST_ELEMENT(g_value_get_object(&item)));
            GValue pad = G_VALUE_INIT;
            bool morePads = true;
            while (morePads && !running) {
                switch (gst_iterator_next(pads, &pad)) {
                case GST_ITERATOR_OK:
                    running = gst_pad_get_task_state(GST_PAD(g_value_get_object(&pad))) ==
                              GST_TASK_STARTED;
                    g_value_reset(&pad);
                    break;
                case GST_ITERATOR_RESYNC:
                    gst_iterator_resync(pads);
                    break;
                default:
                    morePads = false;
                    break;
                }
            }
            g_value_unset(&pad);
            gst_iterator_free(pads);
            g_value_reset(&item);
            break;
        }
        case GST_ITERATOR_RESYNC:
            // The pipeline is still changing: someone is working.
            running = true;
            break;
        default:
            more = false;
            break;
        }
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
    return !running;
}

HResult GstMediaGraph::ChangeState(int state, bool wait) {
    if (!rendered_) return E_FAIL;
    const auto target = static_cast<GstState>(state);
    if (!wait) {
        switch (gst_element_set_state(pipeline_, target)) {
        case GST_STATE_CHANGE_FAILURE:
            return E_FAIL;
        case GST_STATE_CHANGE_ASYNC:
            return S_FALSE;
        default:
            return S_OK;
        }
    }
    const Outcome outcome = RunAndSettle(
        [this, target] {
            switch (gst_element_set_state(pipeline_, target)) {
            case GST_STATE_CHANGE_FAILURE:
                return Outcome::Failed;
            case GST_STATE_CHANGE_ASYNC:
                return Outcome::Pending;
            default:
                return Outcome::Done;
            }
        },
        settleTimeout_);
    switch (outcome) {
    case Outcome::Done:
        return S_OK;
    case Outcome::Pending:
        return S_FALSE;
    case Outcome::Failed:
        break;
    }
    return E_FAIL;
}

HResult GstMediaGraph::Play() {
    if (rendered_) wantPlaying_ = true;
    return ChangeState(GST_STATE_PLAYING, false);
}

// Pausing waits until the picture has settled, so S_OK means paused.
HResult GstMediaGraph::Pause() {
    wantPlaying_ = false;
    return ChangeState(GST_STATE_PAUSED, true);
}

// Stopped media stays queryable and seekable; the player rewinds where it wants to.
HResult GstMediaGraph::Stop() {
    wantPlaying_ = false;
    return ChangeState(GST_STATE_PAUSED, true);
}

void GstMediaGraph::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 10000);
    ApplyVolume();
}

void GstMediaGraph::ApplyVolume() {
    if (pipeline_) g_object_set(pipeline_, "volume", volume_ / 10000.0, nullptr);
}

void GstMediaGraph::SetBalance(int balance) {
    balance_ = std::clamp(balance, -10000, 10000);
    // Without a panorama element in this graph it takes effect with the next render.
    ApplyBalance();
}

void GstMediaGraph::ApplyBalance() {
    if (panorama_) g_object_set(panorama_, "panorama", balance_ / 10000.0, nullptr);
}

void GstMediaGraph::SetRate(double rate) {
    if (!std::isfinite(rate) || rate <= 0.0) {
        DebugLog(QStringLiteral("FAIL: SetRate %1 refused").arg(rate));
        return;
    }
    rate_ = rate;
    if (rendered_) Seek(-1, rate_);
}

bool GstMediaGraph::Seek(std::int64_t positionNs, double rate) {
    if (!rendered_) return false;
    if (positionNs < 0) positionNs = std::max<std::int64_t>(PositionNs(), 0);
    seekTargetNs_ = positionNs;
    // A drag on the seek bar asks faster than frames can be decoded: only the newest target
    // is worth showing, so it waits for the one in flight and replaces any other waiting.
    if (seekInFlight_) {
        pendingSeek_ = SeekRequest{positionNs, rate};
        return true;
    }
    return IssueSeek({positionNs, rate});
}

bool GstMediaGraph::IssueSeek(const SeekRequest& request) {
    unsigned serial = ++seekCounter_;
    if (serial == 0) serial = ++seekCounter_; // 0 means none
    seekInFlight_ = true;
    seekTargetNs_ = request.positionNs;
    // Claimed by the first preroll from now on, which may come before the call returns.
    seekSerial_.store(serial);
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    // A stop of -1 (GST_CLOCK_TIME_NONE) means the end of the media.
    const gint64 stop = stopNs_ >= 0 ? stopNs_ : -1;
    if (!gst_element_seek(pipeline_, request.rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                          request.positionNs, GST_SEEK_TYPE_SET, stop)) {
        DebugLog(QStringLiteral("FAIL: seek to %1 ms at rate %2")
                     .arg(request.positionNs / 1000000)
                     .arg(request.rate));
        ClearSeeks();
        return false;
    }
    ++seeksIssued_;
    seekWatchdog_.start();
    return true;
}

void GstMediaGraph::OnSeekSettled(unsigned generation, unsigned serial) {
    if (generation != generation_ || !seekInFlight_ || serial != seekCounter_) return;
    seekWatchdog_.stop();
    seekInFlight_ = false;
    if (pendingSeek_) {
        const SeekRequest next = *pendingSeek_;
        pendingSeek_.reset();
        IssueSeek(next);
    } else {
        seekTargetNs_ = -1;
    }
}

void GstMediaGraph::OnRefreshPicture(unsigned generation) {
    // While playing the next frame shows the change anyway.
    if (generation != generation_ || !rendered_ || wantPlaying_) return;
    Seek(-1, rate_);
}

std::int64_t GstMediaGraph::PositionNs() {
    if (!rendered_) return -1;
    if (seekTargetNs_ >= 0) return seekTargetNs_;
    gint64 now = 0;
    if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &now) || now < 0) return -1;
    return now;
}

std::int64_t GstMediaGraph::QueryDurationNs() {
    gint64 duration = -1;
    if (!rendered_ || !gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &duration)) return -1;
    return duration;
}

std::int32_t GstMediaGraph::Duration() {
    const std::int64_t ns = QueryDurationNs();
    if (ns <= 0) return 0;
    // Truncated to 32 bits as the player expects; wraps past about 24 days.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ns / 1000000));
}

MediaSeeking* GstMediaGraph::QuerySeeking() {
    return rendered_ ? &seeking_ : nullptr;
}

// --- Seeking ---

HResult GstMediaGraph::Seeking::GetCurrentPosition(RefTime& position) {
    const std::int64_t now = graph_.PositionNs();
    position = now > 0 ? now / kNsPerRefTime : 0;
    return now >= 0 ? S_OK : E_FAIL;
}

HResult GstMediaGraph::Seeking::GetStopPosition(RefTime& position) {
    if (graph_.rendered_ && graph_.stopNs_ >= 0) {
        position = graph_.stopNs_ / kNsPerRefTime;
        return S_OK;
    }
    return GetDuration(position);
}

HResult GstMediaGraph::Seeking::GetDuration(RefTime& duration) {
    const std::int64_t ns = graph_.QueryDurationNs();
    duration = ns > 0 ? ns / kNsPerRefTime : 0;
    return ns > 0 ? S_OK : E_FAIL;
}

HResult GstMediaGraph::Seeking::SetPositions(RefTime current, SeekingFlags currentFlags,
                                             RefTime stop, SeekingFlags stopFlags) {
    if (!graph_.rendered_) return E_FAIL;
    const bool setCurrent = currentFlags == SeekingFlags::AM_SEEKING_AbsolutePositioning;
    const bool setStop = stopFlags == SeekingFlags::AM_SEEKING_AbsolutePositioning;
    if (setStop) graph_.stopNs_ = stop < 0 ? -1 : RefTimeToNs(stop);
    if (!setCurrent && !setStop) return S_OK;
    return graph_.Seek(setCurrent ? RefTimeToNs(current) : -1, graph_.rate_) ? S_OK : E_FAIL;
}

HResult GstMediaGraph::Seeking::SetRate(double rate) {
    if (!std::isfinite(rate) || rate <= 0.0) return E_INVALIDARG;
    graph_.rate_ = rate;
    return graph_.Seek(-1, rate) ? S_OK : E_FAIL;
}

// --- Bus ---

// On a streaming thread: the seek in flight has settled (or failed); the UI thread may issue
// the newest waiting target.
void GstMediaGraph::ReleaseSeek(unsigned generation) {
    if (const unsigned serial = seekSerial_.exchange(0))
        QMetaObject::invokeMethod(
            this, [this, generation, serial] { OnSeekSettled(generation, serial); },
            Qt::QueuedConnection);
}

void GstMediaGraph::HandleBusMessage(GstMessage* message) {
    const unsigned generation = generation_.load();
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        QMetaObject::invokeMethod(
            this, [this, generation] { OnEndOfStream(generation); }, Qt::QueuedConnection);
        break;
    case GST_MESSAGE_ERROR: {
        const QString text = ErrorText(message);
        // No preroll follows a failed seek: let the next target go.
        ReleaseSeek(generation);
        {
            std::lock_guard lock(wait_.mutex);
            if (wait_.armed) {
                wait_.failed = true;
                if (wait_.error.isEmpty()) wait_.error = text;
                wait_.changed.notify_all();
            }
        }
        QMetaObject::invokeMethod(
            this, [this, generation, text] { OnBusError(generation, text); }, Qt::QueuedConnection);
        break;
    }
    case GST_MESSAGE_WARNING: {
        const QString text = "GStreamer warning: " + ErrorText(message);
        QMetaObject::invokeMethod(
            this,
            [this, generation, text] {
                if (generation == generation_) DebugLog(text);
            },
            Qt::QueuedConnection);
        break;
    }
    case GST_MESSAGE_ASYNC_DONE:
        if (GST_IS_PIPELINE(GST_MESSAGE_SRC(message))) {
            // Claimed before a waiting caller wakes: a seek it issues next is not this one.
            ReleaseSeek(generation);
            std::lock_guard lock(wait_.mutex);
            if (wait_.armed) {
                wait_.done = true;
                wait_.changed.notify_all();
            }
        }
        break;
    case GST_MESSAGE_ELEMENT: {
        const GstStructure* s = gst_message_get_structure(message);
        if (s && gst_structure_has_name(s, "ov-refresh-picture"))
            QMetaObject::invokeMethod(
                this, [this, generation] { OnRefreshPicture(generation); }, Qt::QueuedConnection);
        break;
    }
    case GST_MESSAGE_QOS:
        if (bench_) OnQos(generation, message);
        break;
    case GST_MESSAGE_CLOCK_LOST:
        QMetaObject::invokeMethod(
            this, [this, generation] { OnClockLost(generation); }, Qt::QueuedConnection);
        break;
    default:
        break;
    }
}

void GstMediaGraph::OnEndOfStream(unsigned generation) {
    if (generation != generation_ || !rendered_) return;
    if (bench_) PrintBenchFigures();
    // A copy: the handler may load another movie or replace the events.
    const auto handler = events.OnGraphComplete;
    if (handler) handler();
}

void GstMediaGraph::OnBusError(unsigned generation, const QString& text) {
    if (generation != generation_) return;
    DebugLog("FAIL: " + text);
}

void GstMediaGraph::OnClockLost(unsigned generation) {
    if (generation != generation_ || !rendered_) return;
    GstState state = GST_STATE_NULL;
    gst_element_get_state(pipeline_, &state, nullptr, 0);
    if (state != GST_STATE_PLAYING) return;
    // A new clock is picked by going through PAUSED.
    gst_element_set_state(pipeline_, GST_STATE_PAUSED);
    gst_element_set_state(pipeline_, GST_STATE_PLAYING);
}

// --- Measurement (ORVANE_BENCH=1) ---

// On a streaming thread. Each element counts its own drops; the newest count of each is kept.
void GstMediaGraph::OnQos(unsigned, GstMessage* message) {
    GstFormat format = GST_FORMAT_UNDEFINED;
    guint64 processed = 0;
    guint64 dropped = 0;
    gst_message_parse_qos_stats(message, &format, &processed, &dropped);
    if (format != GST_FORMAT_BUFFERS && format != GST_FORMAT_DEFAULT) return;
    const std::string source = GST_MESSAGE_SRC(message) ? GST_MESSAGE_SRC_NAME(message) : "";
    // When in the media the drop happened, to tell a start-up hiccup from steady load.
    guint64 runningTime = 0;
    gst_message_parse_qos(message, nullptr, &runningTime, nullptr, nullptr, nullptr);
    if (dropped > 0) BenchLine("qos-drop-at-ms", static_cast<qint64>(runningTime / 1000000));
    std::lock_guard lock(qosMutex_);
    for (auto& entry : qosDropped_)
        if (entry.first == source) {
            entry.second = dropped;
            return;
        }
    qosDropped_.emplace_back(source, dropped);
}

void GstMediaGraph::PrintBenchFigures() {
    quint64 dropped = 0;
    {
        std::lock_guard lock(qosMutex_);
        for (const auto& entry : qosDropped_) {
            dropped += entry.second;
            BenchLine(("qos-dropped-by:" + entry.first).c_str(), static_cast<qint64>(entry.second));
        }
    }
    // What the video sink itself rendered: the first base sink inside whatever it is.
    guint64 rendered = 0;
    GstElement* sink = nullptr;
    g_object_get(pipeline_, "video-sink", &sink, nullptr);
    if (sink) {
        GstElement* base = nullptr;
        if (GST_IS_BASE_SINK(sink)) {
            base = GST_ELEMENT(gst_object_ref(sink));
        } else if (GST_IS_BIN(sink)) {
            GstIterator* it = gst_bin_iterate_sinks(GST_BIN(sink));
            GValue item = G_VALUE_INIT;
            if (gst_iterator_next(it, &item) == GST_ITERATOR_OK)
                base = GST_ELEMENT(g_value_dup_object(&item));
            g_value_unset(&item);
            gst_iterator_free(it);
        }
        if (base && GST_IS_BASE_SINK(base)) {
            GstStructure* stats = nullptr;
            g_object_get(base, "stats", &stats, nullptr);
            if (stats) {
                gst_structure_get_uint64(stats, "rendered", &rendered);
                gst_structure_free(stats);
            }
        }
        if (base) gst_object_unref(base);
        gst_object_unref(sink);
    }
    BenchLine("qos-dropped", static_cast<qint64>(dropped));
    BenchLine("rendered", static_cast<qint64>(rendered));
    BenchLine("eos-cpu-ms", ProcessCpuMs());
    BenchLine("eos-ms", MsSinceProcessStart());
    BenchLine("eos-mono-us", MonotonicUs());
}

} // namespace ov
