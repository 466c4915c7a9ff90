#pragma once
#include "ports/HResult.h"

namespace ov {

class MediaGraph;
class MediaSeeking;

// The media core object: positions and clamped absolute seeking over the graph's seeking
// interface, which every user asks the graph for again before use.
class zvOrvanePlayer {
public:
    zvOrvanePlayer();
    ~zvOrvanePlayer();
    zvOrvanePlayer(const zvOrvanePlayer&) = delete;
    zvOrvanePlayer& operator=(const zvOrvanePlayer&) = delete;

    // Asks the graph for its seeking interface again and keeps it.
    MediaSeeking* RefreshSeeking(MediaGraph& graph);

    RefTime CurrentPosition() const;
    RefTime StopPosition() const;
    // Clamps to 0..stop position and seeks absolutely; true only when the graph answers S_OK.
    bool SetPositionClamped(RefTime position);

    MediaSeeking* Seeking = nullptr;
};

} // namespace ov
