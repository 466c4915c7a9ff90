#pragma once
#include <QByteArray>
#include <QString>

namespace ov {

// One decoded picture, 32-bit pixels in memory order B, G, R, X, rows top-down.
struct Frame {
    int width = 0;
    int height = 0;
    int stride = 0;
    QByteArray pixels;
    bool IsEmpty() const { return width <= 0 || height <= 0 || pixels.isEmpty(); }
};

// The media detector's frame grab: a frame of a file at a position, without touching playback.
class FrameGrabber {
public:
    virtual ~FrameGrabber() = default;
    // An empty frame when the file cannot be decoded there.
    virtual Frame GrabFrame(const QString& path, double seconds, int width, int height) = 0;
};

} // namespace ov
