#pragma once
#include "ports/MediaGraph.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;

namespace ov {

class GstVideoWidget;

// The media graph over one GStreamer playbin. Bus messages arrive on streaming threads and
// are queued onto this object's (the UI) thread; a message of a graph that has since been
// cleared or re-rendered is dropped there.
//
// Seeks are flushing and accurate and never wait on the calling thread: while one is in
// flight only the newest target is kept, and it is issued when the pipeline has prerolled
// the previous one. Until the pipeline settles, the position answered is the newest target.
//
// A video sink may post an element message named "ov-refresh-picture" when what it shows
// changed (size, crop, colour); while paused the graph then prerolls the same position again.
//
// With ORVANE_BENCH=1 in the environment the graph prints measurement lines to stderr (when
// rendering starts and ends, each QoS drop, and at the end of the media "qos-dropped N",
// "rendered N", "eos-ms N", ...); otherwise it prints nothing.
class GstMediaGraph : public QObject, public MediaGraph {
    Q_OBJECT
public:
    // Makes a new video sink for each new pipeline (the video widget's); null or a factory
    // that returns null gives a clocked fake sink, so a graph without a window still keeps time.
    using VideoSinkFactory = std::function<GstElement*()>;

    explicit GstMediaGraph(QObject* parent = nullptr);
    ~GstMediaGraph() override;

    // Used for the pipelines made from now on, and for the current one while it has nothing
    // rendered.
    void SetVideoSinkFactory(VideoSinkFactory factory);
    // The same with the widget's factory; null goes back to no window.
    void SetVideoWindow(GstVideoWidget* window);
    // Longest wait for a file to preroll in RenderFile.
    void SetPrerollTimeout(std::chrono::milliseconds timeout) { prerollTimeout_ = timeout; }

    GraphMode Mode() const override { return mode_; }
    void SetMode(GraphMode mode) override { mode_ = mode; }
    bool Active() const override { return pipeline_ != nullptr; }
    void SetActive(bool active) override;

    void ClearGraph() override;
    HResult RenderFile(const QString& path) override;
    DvdRenderStatus RenderDvd(const QString& ifoPath, int flags) override;

    HResult Play() override;
    HResult Pause() override;
    HResult Stop() override;

    int Volume() const override { return volume_; }
    void SetVolume(int volume) override;
    int Balance() const override { return balance_; }
    void SetBalance(int balance) override;
    double Rate() const override { return rate_; }
    void SetRate(double rate) override;
    std::int32_t Duration() override;

    MediaSeeking* QuerySeeking() override;
    // The DVD navigator becomes its own adapter; until then a graph offers none.
    DvdControl* QueryDvdControl() override { return nullptr; }
    DvdInfo* QueryDvdInfo() override { return nullptr; }

    // The playbin while the graph is active, for tests and the frame grabber.
    GstElement* Pipeline() const { return pipeline_; }
    // Whether a seek is in flight or waiting for one, for tests and the benchmark.
    bool SeekInFlight() const { return seekInFlight_; }
    // Seeks handed to GStreamer since the graph was made; coalesced targets are not counted.
    quint64 SeeksIssued() const { return seeksIssued_; }

private:
    class Seeking : public MediaSeeking {
    public:
        explicit Seeking(GstMediaGraph& graph) : graph_(graph) {}
        HResult GetCurrentPosition(RefTime& position) override;
        HResult GetStopPosition(RefTime& position) override;
        HResult GetDuration(RefTime& duration) override;
        HResult SetPositions(RefTime current, SeekingFlags currentFlags, RefTime stop,
                             SeekingFlags stopFlags) override;
        HResult SetRate(double rate) override;

    private:
        GstMediaGraph& graph_;
    };

    // What RenderFile waits for, filled by the bus handler on a streaming thread.
    struct PrerollWait {
        std::mutex mutex;
        std::condition_variable changed;
        bool armed = false;
        bool done = false;
        bool failed = false;
        QString error;
    };

    void CreatePipeline();
    void DestroyPipeline();
    // Pipeline to NULL, nothing rendered, queued messages of what was there made stale.
    void Reset();
    GstElement* MakeAudioFilter();
    void ApplyVolume();
    void ApplyBalance();
    struct SeekRequest {
        std::int64_t positionNs = 0;
        double rate = 1.0;
    };
    // A flushing accurate seek; position -1 keeps the current (or newest asked) one. Keeps
    // paused or playing. Issued at once when no seek is in flight, else kept as the newest.
    bool Seek(std::int64_t positionNs, double rate);
    bool IssueSeek(const SeekRequest& request);
    // On the UI thread once the pipeline prerolled the seek with this serial.
    void ReleaseSeek(unsigned generation);
    void OnSeekSettled(unsigned generation, unsigned serial);
    void OnRefreshPicture(unsigned generation);
    void ClearSeeks();
    // The newest target while seeking, else what the pipeline says; -1 when it says nothing.
    std::int64_t PositionNs();
    void PrintBenchFigures();
    // Arms the wait, runs the step (which answers a GstStateChangeReturn-like outcome:
    // failed, done, or pending until the pipeline settles), then waits for it, bounded.
    // With watchStalls, a wait in which no streaming thread of the pipeline runs any more
    // ends as failed: nothing can preroll then (see StreamingStalled).
    enum class Outcome { Failed, Done, Pending };
    Outcome RunAndSettle(const std::function<Outcome()>& step, std::chrono::milliseconds timeout,
                         QString* error = nullptr, bool watchStalls = false);
    bool StreamingStalled() const;
    HResult ChangeState(int state, bool wait);
    std::int64_t QueryDurationNs();

    friend struct GstMediaGraphBus;
    // On a streaming thread: wakes a waiting caller, queues the rest onto the UI thread.
    void HandleBusMessage(GstMessage* message);
    void OnEndOfStream(unsigned generation);
    void OnBusError(unsigned generation, const QString& text);
    void OnClockLost(unsigned generation);
    void OnQos(unsigned generation, GstMessage* message);

    GraphMode mode_ = GraphMode::gmNormal;
    GstElement* pipeline_ = nullptr;
    GstElement* panorama_ = nullptr; // in the audio filter while the balance is not centred
    bool rendered_ = false;
    bool wantPlaying_ = false; // Play asked for since the last pause, stop or render
    int volume_ = 10000;
    int balance_ = 0;
    double rate_ = 1.0;
    std::int64_t stopNs_ = -1; // a stop set through SetPositions; -1 = the end
    std::atomic<unsigned> generation_{0};
    std::chrono::milliseconds prerollTimeout_{5000};
    std::chrono::milliseconds settleTimeout_{2000};
    VideoSinkFactory videoSinkFactory_;
    PrerollWait wait_;
    Seeking seeking_{*this};

    // Seek coalescing, on the UI thread except seekSerial_.
    bool seekInFlight_ = false;
    std::optional<SeekRequest> pendingSeek_;
    std::int64_t seekTargetNs_ = -1; // answered as the position while >= 0
    unsigned seekCounter_ = 0;
    // The serial of the seek in flight, claimed by the first preroll after it; 0 for none.
    std::atomic<unsigned> seekSerial_{0};
    quint64 seeksIssued_ = 0;
    QTimer seekWatchdog_;

    // Measurement lines (ORVANE_BENCH=1).
    bool bench_ = false;
    std::mutex qosMutex_;
    std::vector<std::pair<std::string, quint64>> qosDropped_; // per element, the newest count
};

} // namespace ov
