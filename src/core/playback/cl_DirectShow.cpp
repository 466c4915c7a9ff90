#include "core/playback/cl_DirectShow.h"

#include "core/system/cl_debugLog.h"
#include "ports/MediaGraph.h"

namespace ov {

// The platform needs no per-thread initialisation of the media framework.
zvOrvanePlayer::zvOrvanePlayer() = default;

zvOrvanePlayer::~zvOrvanePlayer() {
    Seeking = nullptr;
    DebugLog("Close Component Object Model (COM) library.");
    DebugLog("Close Orvane Player's Media Core.");
}

MediaSeeking* zvOrvanePlayer::RefreshSeeking(MediaGraph& graph) {
    Seeking = graph.QuerySeeking();
    return Seeking;
}

RefTime zvOrvanePlayer::CurrentPosition() const {
    RefTime position = 0;
    if (Seeking && !Succeeded(Seeking->GetCurrentPosition(position))) position = 0;
    return position;
}

RefTime zvOrvanePlayer::StopPosition() const {
    RefTime position = 0;
    if (Seeking && !Succeeded(Seeking->GetStopPosition(position))) position = 0;
    return position;
}

bool zvOrvanePlayer::SetPositionClamped(RefTime position) {
    if (!Seeking) return false;
    const RefTime stop = StopPosition();
    if (position < 0) position = 0;
    if (position > stop) position = stop;
    return Seeking->SetPositions(position, SeekingFlags::AM_SEEKING_AbsolutePositioning, 0,
                                 SeekingFlags::AM_SEEKING_NoPositioning) == S_OK;
}

} // namespace ov
