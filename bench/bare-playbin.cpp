// The bare pipeline the player is measured against: what `gst-launch-1.0 playbin uri=FILE
// video-sink=SINK` does, plus the same measurement lines the player prints with
// ORVANE_BENCH=1 ("first-frame-mono-us", "qos-dropped", "rendered", "eos-mono-us", ...).
// gst-launch itself cannot say when the first frame reached its sink, hence this program.
//
//   bench-bare-playbin ximagesink FILE   an X image sink in its own window, full size
//   bench-bare-playbin appsink FILE      decoded and converted to BGRx, never shown
#include <gst/base/gstbasesink.h>
#include <gst/gst.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

namespace {

long long ClockUs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

void Line(const char* key, long long value) {
    std::fprintf(stderr, "%s %lld\n", key, value);
    std::fflush(stderr);
}

GstPadProbeReturn FirstBuffer(GstPad*, GstPadProbeInfo*, gpointer) {
    Line("first-frame-mono-us", ClockUs(CLOCK_MONOTONIC));
    Line("first-frame-cpu-ms", ClockUs(CLOCK_PROCESS_CPUTIME_ID) / 1000);
    return GST_PAD_PROBE_REMOVE;
}

GstElement* MakeSink(const char* kind) {
    if (std::strcmp(kind, "ximagesink") == 0) return gst_element_factory_make("ximagesink", "sink");
    if (std::strcmp(kind, "appsink") != 0) return nullptr;
    // The player's chain without its window: converted to the layout Qt paints.
    GstElement* bin = gst_parse_bin_from_description(
        "videoconvertscale ! video/x-raw,format=BGRx ! appsink name=sink max-buffers=1 drop=true "
        "sync=true qos=true max-lateness=20000000 enable-last-sample=false wait-on-eos=false",
        TRUE, nullptr);
    return bin;
}

} // namespace

int main(int argc, char** argv) {
    gst_init(&argc, &argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ximagesink|appsink FILE\n", argv[0]);
        return 2;
    }
    GstElement* sink = MakeSink(argv[1]);
    gchar* uri = gst_filename_to_uri(argv[2], nullptr);
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!sink || !uri || !playbin) {
        std::fprintf(stderr, "bare-playbin: cannot build the pipeline\n");
        return 1;
    }
    g_object_set(playbin, "uri", uri, "video-sink", sink, nullptr);
    g_free(uri);

    GstElement* base = GST_IS_BIN(sink) ? gst_bin_get_by_name(GST_BIN(sink), "sink")
                                        : GST_ELEMENT(gst_object_ref(sink));
    GstPad* pad = gst_element_get_static_pad(base, "sink");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, &FirstBuffer, nullptr, nullptr);
    gst_object_unref(pad);

    Line("render-start-mono-us", ClockUs(CLOCK_MONOTONIC));
    gst_element_set_state(playbin, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(playbin);
    std::map<std::string, guint64> dropped; // per element, the newest count
    int rc = 0;
    for (bool done = false; !done;) {
        GstMessage* m = gst_bus_timed_pop(bus, 60 * GST_SECOND);
        if (!m) {
            std::fprintf(stderr, "bare-playbin: no end within a minute\n");
            rc = 1;
            break;
        }
        switch (GST_MESSAGE_TYPE(m)) {
        case GST_MESSAGE_QOS: {
            GstFormat format;
            guint64 processed = 0, count = 0;
            gst_message_parse_qos_stats(m, &format, &processed, &count);
            if (format == GST_FORMAT_BUFFERS || format == GST_FORMAT_DEFAULT)
                dropped[GST_MESSAGE_SRC_NAME(m)] = count;
            break;
        }
        case GST_MESSAGE_ERROR: {
            GError* error = nullptr;
            gst_message_parse_error(m, &error, nullptr);
            std::fprintf(stderr, "bare-playbin: %s\n", error ? error->message : "error");
            if (error) g_error_free(error);
            rc = 1;
            done = true;
            break;
        }
        case GST_MESSAGE_EOS:
            done = true;
            break;
        default:
            break;
        }
        gst_message_unref(m);
    }
    guint64 total = 0;
    for (const auto& entry : dropped)
        total += entry.second;
    guint64 rendered = 0;
    GstStructure* stats = nullptr;
    g_object_get(base, "stats", &stats, nullptr);
    if (stats) {
        gst_structure_get_uint64(stats, "rendered", &rendered);
        gst_structure_free(stats);
    }
    Line("qos-dropped", static_cast<long long>(total));
    Line("rendered", static_cast<long long>(rendered));
    Line("eos-cpu-ms", ClockUs(CLOCK_PROCESS_CPUTIME_ID) / 1000);
    Line("eos-mono-us", ClockUs(CLOCK_MONOTONIC));
    // The runner reads this process's figures now; it ends us when it has them.
    std::fprintf(stderr, "waiting\n");
    std::fflush(stderr);
    g_usleep(30 * G_USEC_PER_SEC);
    gst_object_unref(bus);
    gst_object_unref(base);
    gst_element_set_state(playbin, GST_STATE_NULL);
    gst_object_unref(playbin);
    return rc;
}
