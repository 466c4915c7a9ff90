#pragma once
#include "ports/MediaGraph.h"

#include <QStringList>

namespace ov::test {

class FakeMediaGraph;

// The seeking interface of the fake graph: positions to read, results to answer.
class FakeMediaSeeking : public MediaSeeking {
public:
    explicit FakeMediaSeeking(FakeMediaGraph& graph) : graph_(graph) {}

    HResult GetCurrentPosition(RefTime& position) override;
    HResult GetStopPosition(RefTime& position) override;
    HResult GetDuration(RefTime& duration) override;
    // Records the call; an absolute current (or stop) position becomes the new one when
    // setPositionsResult succeeds.
    HResult SetPositions(RefTime current, SeekingFlags currentFlags, RefTime stop,
                         SeekingFlags stopFlags) override;
    HResult SetRate(double rate) override;

    RefTime currentPosition = 0;
    RefTime stopPosition = 0;
    RefTime duration = 0;
    HResult getResult = S_OK;
    HResult setPositionsResult = S_OK;
    HResult setRateResult = S_OK;

private:
    FakeMediaGraph& graph_;
};

// The DVD navigator of the fake graph; every call is recorded in the graph's call list.
class FakeDvd : public DvdControl, public DvdInfo {
public:
    explicit FakeDvd(FakeMediaGraph& graph) : graph_(graph) {}

    HResult SetOption(DvdOption option, bool on) override;
    HResult ShowMenu(DvdMenuId menu) override;
    HResult PlayNextChapter() override;
    HResult PlayPrevChapter() override;
    HResult ActivateAtPosition(VideoPoint point) override;
    HResult ButtonActivate() override;
    HResult UpperButtonSelect() override;
    HResult LowerButtonSelect() override;
    HResult LeftButtonSelect() override;
    HResult RightButtonSelect() override;
    HResult MouseSelect(VideoPoint point) override;
    // Answers buttonAtPosition, or fails when it is 0 (no button there).
    HResult GetButtonAtPosition(VideoPoint point, unsigned& button) override;

    HResult result = S_OK;
    unsigned buttonAtPosition = 0;

private:
    HResult Record(const QString& call);
    FakeMediaGraph& graph_;
};

// A scripted media graph. Every call is appended to `calls` as text, for example
// "SetActive(true)", "RenderFile(/a/b.mp4)", "Play", "SetVolume(5000)",
// "SetPositions(10000000,Absolute,0,None)".
class FakeMediaGraph : public MediaGraph {
public:
    FakeMediaGraph();

    GraphMode Mode() const override { return mode; }
    void SetMode(GraphMode mode) override;
    bool Active() const override { return active; }
    void SetActive(bool active) override;
    void ClearGraph() override;
    HResult RenderFile(const QString& path) override;
    DvdRenderStatus RenderDvd(const QString& ifoPath, int flags) override;
    HResult Play() override;
    HResult Pause() override;
    HResult Stop() override;
    int Volume() const override { return volume; }
    // Clamped to 0..10000 like the real graph.
    void SetVolume(int volume) override;
    int Balance() const override { return balance; }
    void SetBalance(int balance) override;
    double Rate() const override { return rate; }
    void SetRate(double rate) override;
    std::int32_t Duration() override;
    MediaSeeking* QuerySeeking() override;
    DvdControl* QueryDvdControl() override;
    DvdInfo* QueryDvdInfo() override;

    // Raise the graph's events as the real graph would on the UI thread.
    void RaiseGraphComplete();
    void RaiseDvdTitleChange(int title);
    void RaiseDvdChapterStart(int chapter);

    // Calls recorded since construction or the last ClearCalls().
    QStringList calls;
    void ClearCalls() { calls.clear(); }
    // How often a call whose text starts with `prefix` was made.
    int CountCalls(const QString& prefix) const;

    // State and scripted answers.
    GraphMode mode = GraphMode::gmNormal;
    bool active = false;
    int volume = 10000;
    int balance = 0;
    double rate = 1.0;
    HResult renderResult = S_OK;
    DvdRenderStatus renderDvdResult;
    HResult playResult = S_OK;
    HResult pauseResult = S_OK;
    HResult stopResult = S_OK;
    std::int32_t duration = 0;
    bool seekingAvailable = true; // QuerySeeking answers null when false
    bool dvdAvailable = false;    // QueryDvdControl/QueryDvdInfo answer null when false

    FakeMediaSeeking seeking;
    FakeDvd dvd;
};

QString ToString(GraphMode mode);
QString ToString(SeekingFlags flags);
QString ToString(DvdMenuId menu);
QString ToString(DvdOption option);

} // namespace ov::test
