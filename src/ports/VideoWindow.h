#pragma once
#include "ports/HResult.h"

#include <QString>
#include <functional>

namespace ov {

enum class AspectMode { rmStretched, rmLetterBox, rmCrop };

// Picture values of the video window's colour control.
struct ColorValues {
    int Brightness = 750;   // 0..10000
    int Contrast = 10000;   // 0..20000
    int Saturation = 10000; // 0..20000
    int Hue = 0;            // -180..180
};

enum class MouseButton { None, Left, Right, Middle };

struct VideoMouseEvent {
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::None;
};

struct VideoWindowEvents {
    std::function<void(unsigned colorKey)> OnColorKeyChanged;
    std::function<void(const VideoMouseEvent&)> OnMouseDown;
    std::function<void(const VideoMouseEvent&)> OnMouseUp;
    std::function<void(const VideoMouseEvent&)> OnMouseMove;
    std::function<void(const VideoMouseEvent&)> OnDblClick;
};

// The video window `MainVideoScreen`, showing the picture of its graph.
class VideoWindow {
public:
    virtual ~VideoWindow() = default;

    virtual AspectMode AspectRatio() const = 0;
    // Followed by a repaint.
    virtual void SetAspectRatio(AspectMode mode) = 0;
    virtual int DigitalZoom() const = 0;
    virtual void SetDigitalZoom(int percent) = 0; // 0..99
    virtual int AutoHideCursor() const = 0;
    virtual void SetAutoHideCursor(int ms) = 0; // 0 = never
    virtual bool NoScreenSaver() const = 0;
    virtual void SetNoScreenSaver(bool on) = 0;

    virtual ColorValues ColorControl() const = 0;
    // Refuses a value outside its range with an error (returns false and leaves it).
    virtual bool SetColorControl(const ColorValues& values, QString* error) = 0;

    // Fills the window with its colour, as after a movie is closed.
    virtual void RepaintBackground() = 0;

    VideoWindowEvents events;
};

} // namespace ov
