#pragma once
#include "ports/MediaGraph.h"

#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;

namespace ov {

class GstVideoWidget;

// The media graph over one GStreamer playbin. Bus messages arrive on streaming threads and
// are queued onto this object's (the UI) thread; a message of a graph that has since been
// cleared or re-rendered is dropped there.
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
    // A flushing accurate seek; position -1 keeps the current one. Keeps paused or playing.
    bool Seek(std::int64_t positionNs, double rate);
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

    GraphMode mode_ = GraphMode::gmNormal;
    GstElement* pipeline_ = nullptr;
    GstElement* panorama_ = nullptr; // in the audio filter while the balance is not centred
    bool rendered_ = false;
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
};

} // namespace ov
