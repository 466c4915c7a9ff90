// bench/seek: how long a seek takes from the request to the first new frame reaching the
// video sink, for Orvane Player's graph and video window and for a bare playbin with the same
// kind of sink (converted and scaled to the same size into an app sink), on the 1080p clip.
//
//   bench-seek FILE
//
// Three workloads: 20 small steps of 100 ms from a paused picture, 10 seeks of 5 s while
// playing, and two drags of 30 steps (one request every 16 ms, as mouse moves come) while
// paused; three rounds, the two sides taking turns.
// The bare playbin seeks the way a plain GStreamer program does: a flushing accurate seek per
// request, waiting for the preroll between the steps and the seeks, and not waiting during the
// drag. Every first frame after a flush is checked against the targets asked for: a frame
// older than the target it was made for (a key frame instead of the frame asked for) counts.
#include "adapters/gst/GstMediaGraph.h"
#include "adapters/gst/GstVideoWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <gst/gst.h>
#include <memory>
#include <mutex>
#include <vector>

using namespace ov;

namespace {

constexpr gint64 kFrameNs = GST_SECOND / 30;
constexpr int kWidth = 960; // the painted size, for both sides
constexpr int kHeight = 540;

gint64 NowNs() {
    return static_cast<gint64>(g_get_monotonic_time()) * 1000;
}

// What reached a sink: every buffer with its arrival and media time, and the flushes.
struct SinkLog {
    struct Entry {
        gint64 at;
        gint64 pts; // stream time; -1 for a flush
    };
    std::mutex mutex;
    std::vector<Entry> entries;
    GstSegment segment;

    SinkLog() { gst_segment_init(&segment, GST_FORMAT_TIME); }

    static GstPadProbeReturn Probe(GstPad*, GstPadProbeInfo* info, gpointer data) {
        auto* self = static_cast<SinkLog*>(data);
        const gint64 at = NowNs();
        std::lock_guard lock(self->mutex);
        if (GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_BUFFER) {
            GstBuffer* b = GST_PAD_PROBE_INFO_BUFFER(info);
            const guint64 t =
                GST_BUFFER_PTS_IS_VALID(b)
                    ? gst_segment_to_stream_time(&self->segment, GST_FORMAT_TIME, GST_BUFFER_PTS(b))
                    : GST_CLOCK_TIME_NONE;
            self->entries.push_back({at, t == GST_CLOCK_TIME_NONE ? -2 : gint64(t)});
        } else {
            GstEvent* e = GST_PAD_PROBE_INFO_EVENT(info);
            if (GST_EVENT_TYPE(e) == GST_EVENT_FLUSH_STOP) self->entries.push_back({at, -1});
            if (GST_EVENT_TYPE(e) == GST_EVENT_SEGMENT) {
                const GstSegment* s = nullptr;
                gst_event_parse_segment(e, &s);
                gst_segment_copy_into(s, &self->segment);
            }
        }
        return GST_PAD_PROBE_OK;
    }

    void Attach(GstElement* pipeline) {
        GstElement* sink = nullptr;
        g_object_get(pipeline, "video-sink", &sink, nullptr);
        GstIterator* it = gst_bin_iterate_sinks(GST_BIN(sink));
        GValue item = G_VALUE_INIT;
        if (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
            GstPad* pad =
                gst_element_get_static_pad(GST_ELEMENT(g_value_get_object(&item)), "sink");
            gst_pad_add_probe(pad,
                              static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER |
                                                           GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                                           GST_PAD_PROBE_TYPE_EVENT_FLUSH),
                              &Probe, this, nullptr);
            gst_object_unref(pad);
        }
        g_value_unset(&item);
        gst_iterator_free(it);
        gst_object_unref(sink);
    }

    std::vector<Entry> Since(gint64 t) {
        std::lock_guard lock(mutex);
        std::vector<Entry> out;
        for (const Entry& e : entries)
            if (e.at >= t) out.push_back(e);
        return out;
    }
};

// Runs the event loop until done() or the timeout; false on timeout.
bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void Spin(int ms) {
    SpinUntil([] { return false; }, ms);
}

bool Covers(gint64 pts, gint64 target) {
    return pts <= target && pts + kFrameNs > target;
}

// One side of the comparison.
class Subject {
public:
    virtual ~Subject() = default;
    virtual const char* Name() const = 0;
    virtual bool Open(const char* path) = 0;
    virtual void SetPlaying(bool playing) = 0;
    // A request as the player makes it; returns at once or after the flush, as the side does.
    virtual void RequestSeek(gint64 ns) = 0;
    // Until the newest request has prerolled.
    virtual bool WaitSettled() = 0;
    virtual gint64 PositionNs() = 0;
    SinkLog log;
};

class PlayerSubject : public Subject {
public:
    PlayerSubject() {
        widget_.resize(kWidth, kHeight);
        widget_.show();
        graph_.SetVideoWindow(&widget_);
        graph_.SetActive(true);
    }
    const char* Name() const override { return "Orvane Player"; }
    bool Open(const char* path) override {
        if (graph_.RenderFile(QString::fromLocal8Bit(path)) != S_OK) return false;
        log.Attach(graph_.Pipeline());
        return true;
    }
    void SetPlaying(bool playing) override {
        if (playing)
            graph_.Play();
        else
            graph_.Pause();
    }
    void RequestSeek(gint64 ns) override {
        graph_.QuerySeeking()->SetPositions(ns / 100, SeekingFlags::AM_SEEKING_AbsolutePositioning,
                                            0, SeekingFlags::AM_SEEKING_NoPositioning);
    }
    bool WaitSettled() override {
        return SpinUntil([this] { return !graph_.SeekInFlight(); }, 10000);
    }
    gint64 PositionNs() override {
        RefTime t = 0;
        graph_.QuerySeeking()->GetCurrentPosition(t);
        return t * 100;
    }

private:
    GstVideoWidget widget_;
    GstMediaGraph graph_;
};

class BareSubject : public Subject {
public:
    ~BareSubject() override {
        if (pipeline_) {
            gst_element_set_state(pipeline_, GST_STATE_NULL);
            gst_object_unref(pipeline_);
        }
    }
    const char* Name() const override { return "playbin ! appsink"; }
    bool Open(const char* path) override {
        pipeline_ = gst_element_factory_make("playbin", nullptr);
        gchar* uri = gst_filename_to_uri(path, nullptr);
        gchar* description = g_strdup_printf(
            "videoconvertscale add-borders=false ! video/x-raw,format=BGRx,width=%d,height=%d ! "
            "appsink max-buffers=1 drop=true sync=true qos=true max-lateness=20000000 "
            "enable-last-sample=false",
            kWidth, kHeight);
        GstElement* sink = gst_parse_bin_from_description(description, TRUE, nullptr);
        g_free(description);
        g_object_set(pipeline_, "uri", uri, "video-sink", sink, nullptr);
        g_free(uri);
        log.Attach(pipeline_);
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
        return gst_element_get_state(pipeline_, nullptr, nullptr, 10 * GST_SECOND) ==
               GST_STATE_CHANGE_SUCCESS;
    }
    void SetPlaying(bool playing) override {
        gst_element_set_state(pipeline_, playing ? GST_STATE_PLAYING : GST_STATE_PAUSED);
        gst_element_get_state(pipeline_, nullptr, nullptr, 10 * GST_SECOND);
    }
    void RequestSeek(gint64 ns) override {
        gst_element_seek(pipeline_, 1.0, GST_FORMAT_TIME,
                         static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                         GST_SEEK_TYPE_SET, ns, GST_SEEK_TYPE_NONE, -1);
    }
    bool WaitSettled() override {
        return gst_element_get_state(pipeline_, nullptr, nullptr, 10 * GST_SECOND) !=
               GST_STATE_CHANGE_FAILURE;
    }
    gint64 PositionNs() override {
        gint64 t = 0;
        gst_element_query_position(pipeline_, GST_FORMAT_TIME, &t);
        return t;
    }

private:
    GstElement* pipeline_ = nullptr;
};

struct Figures {
    std::vector<double> ms;
    int stale = 0;   // first frames after a flush that cover no target asked for
    int missing = 0; // requests that never got a frame
};

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double Worst(const std::vector<double>& v) {
    return v.empty() ? -1 : *std::max_element(v.begin(), v.end());
}

// The first frame after the first flush that follows t, and whether it covers the target.
void Record(Figures& f, SinkLog& log, gint64 requestedAt, gint64 target) {
    bool flushed = false;
    for (const SinkLog::Entry& e : log.Since(requestedAt)) {
        if (e.pts == -1) {
            flushed = true;
            continue;
        }
        if (!flushed) continue;
        f.ms.push_back((e.at - requestedAt) / 1e6);
        if (!Covers(e.pts, target)) ++f.stale;
        return;
    }
    ++f.missing;
}

// Steps or seeks one at a time: request, then wait for the preroll.
Figures Sequential(Subject& s, bool playing, gint64 start, const std::vector<gint64>& offsets) {
    Figures f;
    s.SetPlaying(false);
    s.RequestSeek(start);
    s.WaitSettled();
    s.SetPlaying(playing);
    Spin(300);
    for (gint64 offset : offsets) {
        const gint64 from = playing ? start : s.PositionNs();
        const gint64 target = std::clamp<gint64>(from + offset, 0, 9 * GST_SECOND);
        const gint64 at = NowNs();
        s.RequestSeek(target);
        s.WaitSettled();
        Spin(playing ? 400 : 30);
        Record(f, s.log, at, target);
        start = target;
    }
    return f;
}

// A drag: a request every 16 ms; each counts until a frame for its target or a later one.
Figures Drag(Subject& s, gint64 from, gint64 to) {
    Figures f;
    s.SetPlaying(false);
    s.RequestSeek(from);
    s.WaitSettled();
    Spin(100);
    constexpr int kSteps = 30;
    std::vector<gint64> targets, times;
    const gint64 begin = NowNs();
    for (int i = 1; i <= kSteps; ++i) {
        const gint64 target = from + (to - from) * i / kSteps;
        // Issued on time even when the previous request took long (mouse moves do not wait).
        SpinUntil([&] { return NowNs() >= begin + gint64(i) * 16 * GST_MSECOND; }, 1000);
        times.push_back(NowNs());
        targets.push_back(target);
        s.RequestSeek(target);
    }
    s.WaitSettled();
    Spin(200);
    const std::vector<SinkLog::Entry> seen = s.log.Since(begin);
    for (int i = 0; i < kSteps; ++i) {
        bool done = false;
        for (const SinkLog::Entry& e : seen) {
            if (e.at < times[i] || e.pts < 0) continue;
            for (int k = i; k < kSteps && !done; ++k)
                if (Covers(e.pts, targets[k])) {
                    f.ms.push_back((e.at - times[i]) / 1e6);
                    done = true;
                }
            if (done) break;
        }
        if (!done) ++f.missing;
    }
    // Every first frame after a flush must be one asked for.
    bool afterFlush = false;
    for (const SinkLog::Entry& e : seen) {
        if (e.pts == -1) {
            afterFlush = true;
            continue;
        }
        if (!afterFlush) continue;
        afterFlush = false;
        if (std::none_of(targets.begin(), targets.end(),
                         [&](gint64 t) { return Covers(e.pts, t); }))
            ++f.stale;
    }
    return f;
}

struct Result {
    Figures steps, seeks, drag;
};

void Add(Figures& to, const Figures& from) {
    to.ms.insert(to.ms.end(), from.ms.begin(), from.ms.end());
    to.stale += from.stale;
    to.missing += from.missing;
}

void Add(Result& to, const Result& from) {
    Add(to.steps, from.steps);
    Add(to.seeks, from.seeks);
    Add(to.drag, from.drag);
}

Result Measure(Subject& s) {
    Result r;
    r.steps = Sequential(s, false, GST_SECOND, std::vector<gint64>(20, 100 * GST_MSECOND));
    std::vector<gint64> jumps;
    for (int i = 0; i < 10; ++i)
        jumps.push_back(i % 2 ? -5 * GST_SECOND : 5 * GST_SECOND);
    r.seeks = Sequential(s, true, 1100 * GST_MSECOND, jumps);
    r.drag = Drag(s, 1 * GST_SECOND, 8 * GST_SECOND);
    Add(r.drag, Drag(s, 8500 * GST_MSECOND, 1500 * GST_MSECOND));
    return r;
}

void Line(const char* what, const Figures& ov, const Figures& bare) {
    const double m = Median(ov.ms), bm = Median(bare.ms);
    std::printf("%-18s %8.1f %8.1f %5d %5d   %8.1f %8.1f %5d %5d   %6.2f\n", what, m, Worst(ov.ms),
                ov.stale, ov.missing, bm, Worst(bare.ms), bare.stale, bare.missing,
                bm > 0 ? m / bm : -1);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    gst_init(nullptr, nullptr);
    // The sides take turns, each round with fresh pipelines and the order swapped, so neither
    // profits from going second (a warm file cache, a settled machine).
    Result ov, bare;
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            const bool playerSide = (side == 0) == (round % 2 == 0);
            std::unique_ptr<Subject> subject;
            if (playerSide)
                subject = std::make_unique<PlayerSubject>();
            else
                subject = std::make_unique<BareSubject>();
            if (!subject->Open(argv[1])) {
                std::fprintf(stderr, "bench-seek: %s cannot open %s\n", subject->Name(), argv[1]);
                return 1;
            }
            Add(playerSide ? ov : bare, Measure(*subject));
        }
    }
    std::printf("bench/seek: %s, painted at %dx%d; ms from the request to the first new frame "
                "at the sink\n",
                argv[1], kWidth, kHeight);
    std::printf("%-18s %8s %8s %5s %5s   %8s %8s %5s %5s   %6s\n", "", "median", "worst", "stale",
                "lost", "median", "worst", "stale", "lost", "ratio");
    std::printf("%-18s %-34s   %-34s\n", "", "Orvane Player", "playbin ! appsink");
    Line("100 ms steps x60", ov.steps, bare.steps);
    Line("5 s seeks x30", ov.seeks, bare.seeks);
    Line("30-step drags x6", ov.drag, bare.drag);
    const bool met = Median(ov.steps.ms) <= 1.1 * Median(bare.steps.ms) &&
                     Median(ov.seeks.ms) <= 1.1 * Median(bare.seeks.ms) &&
                     Median(ov.drag.ms) <= 1.1 * Median(bare.drag.ms) && ov.steps.stale == 0 &&
                     ov.seeks.stale == 0 && ov.drag.stale == 0;
    std::printf("stale = first frame after a flush older than its target; lost = a request that "
                "never got its frame (nor a later one)\n");
    std::printf("goals (median <= 1.1 x bare, no stale frame): %s\n", met ? "met" : "NOT met");
    return 0;
}
