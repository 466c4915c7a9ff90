#pragma once
#include "ports/HResult.h"

#include <QString>
#include <functional>

namespace ov {

enum class GraphMode { gmNormal, gmCapture, gmDVD };

// Seeking flags the player passes to SetPositions.
enum class SeekingFlags { AM_SEEKING_NoPositioning, AM_SEEKING_AbsolutePositioning };

// The graph's seeking interface. Asked for again before every use; empty without a graph.
class MediaSeeking {
public:
    virtual ~MediaSeeking() = default;
    virtual HResult GetCurrentPosition(RefTime& position) = 0;
    virtual HResult GetStopPosition(RefTime& position) = 0;
    virtual HResult GetDuration(RefTime& duration) = 0;
    virtual HResult SetPositions(RefTime current, SeekingFlags currentFlags, RefTime stop,
                                 SeekingFlags stopFlags) = 0;
    virtual HResult SetRate(double rate) = 0;
};

// A point in the video window's coordinates.
struct VideoPoint {
    int x = 0;
    int y = 0;
};

enum class DvdMenuId { Title, Root, Subpicture, Audio, Angle, Chapter };
enum class DvdOption { ResetOnStop, NotifyParentalLevelChange, HMSFTimeCodeEvents };

// The DVD navigator's control interfaces, merged: the player only calls these.
class DvdControl {
public:
    virtual ~DvdControl() = default;
    // IDvdControl2
    virtual HResult SetOption(DvdOption option, bool on) = 0;
    virtual HResult ShowMenu(DvdMenuId menu) = 0;
    virtual HResult PlayNextChapter() = 0;
    virtual HResult PlayPrevChapter() = 0;
    virtual HResult ActivateAtPosition(VideoPoint point) = 0;
    // IDvdControl
    virtual HResult ButtonActivate() = 0;
    virtual HResult UpperButtonSelect() = 0;
    virtual HResult LowerButtonSelect() = 0;
    virtual HResult LeftButtonSelect() = 0;
    virtual HResult RightButtonSelect() = 0;
    virtual HResult MouseSelect(VideoPoint point) = 0;
};

class DvdInfo {
public:
    virtual ~DvdInfo() = default;
    // Button number under the point; a failure when there is no button there.
    virtual HResult GetButtonAtPosition(VideoPoint point, unsigned& button) = 0;
};

struct DvdRenderStatus {
    HResult hr = S_OK;
    bool ok = true;
};

// Events the graph raises, always on the user-interface thread.
struct MediaGraphEvents {
    std::function<void()> OnGraphComplete;
    std::function<void(int title)> OnDVDTitleChange;
    std::function<void(int chapter)> OnDVDChapterStart;
};

// The media graph `FilterGraph1`.
class MediaGraph {
public:
    virtual ~MediaGraph() = default;

    virtual GraphMode Mode() const = 0;
    virtual void SetMode(GraphMode mode) = 0;
    virtual bool Active() const = 0;
    virtual void SetActive(bool active) = 0;

    // Stops the graph and removes every filter.
    virtual void ClearGraph() = 0;
    // Renders a file; the stored volume, balance and rate are applied afterwards.
    virtual HResult RenderFile(const QString& path) = 0;
    // Renders a DVD from the path of its VIDEO_TS.IFO; flags 1 = prefer hardware decoding.
    virtual DvdRenderStatus RenderDvd(const QString& ifoPath, int flags) = 0;

    virtual HResult Play() = 0;
    virtual HResult Pause() = 0;
    virtual HResult Stop() = 0;

    // 0..10000, linear; stored and clamped even without a graph.
    virtual int Volume() const = 0;
    virtual void SetVolume(int volume) = 0;
    virtual int Balance() const = 0;
    virtual void SetBalance(int balance) = 0;
    virtual double Rate() const = 0;
    virtual void SetRate(double rate) = 0;
    // The duration in milliseconds, truncated to 32 bits.
    virtual std::int32_t Duration() = 0;

    // Interface queries: null when the graph does not offer them now.
    virtual MediaSeeking* QuerySeeking() = 0;
    virtual DvdControl* QueryDvdControl() = 0;
    virtual DvdInfo* QueryDvdInfo() = 0;

    MediaGraphEvents events;
};

} // namespace ov
