#pragma once
#include "ports/VideoWindow.h"

#include <QStringList>

namespace ov::test {

// A video window that records its calls, for example "SetAspectRatio(rmCrop)",
// "SetDigitalZoom(10)", "SetColorControl(750,10000,10000,0)", "RepaintBackground".
// The colour control refuses out-of-range values as the real window does.
class FakeVideoWindow : public VideoWindow {
public:
    AspectMode AspectRatio() const override { return aspect; }
    void SetAspectRatio(AspectMode mode) override;
    int DigitalZoom() const override { return zoom; }
    void SetDigitalZoom(int percent) override;
    int AutoHideCursor() const override { return autoHideCursor; }
    void SetAutoHideCursor(int ms) override;
    bool NoScreenSaver() const override { return noScreenSaver; }
    void SetNoScreenSaver(bool on) override;
    ColorValues ColorControl() const override { return colors; }
    bool SetColorControl(const ColorValues& values, QString* error) override;
    void RepaintBackground() override;

    // Raise the window's events as a user's mouse would.
    void RaiseMouseDown(int x, int y, MouseButton button);
    void RaiseMouseUp(int x, int y, MouseButton button);
    void RaiseMouseMove(int x, int y);
    void RaiseDblClick(int x, int y, MouseButton button);
    void RaiseColorKeyChanged(unsigned key);

    QStringList calls;
    void ClearCalls() { calls.clear(); }

    AspectMode aspect = AspectMode::rmLetterBox;
    int zoom = 0;
    int autoHideCursor = 2000;
    bool noScreenSaver = false;
    ColorValues colors;
    int repaints = 0;
};

QString ToString(AspectMode mode);

} // namespace ov::test
