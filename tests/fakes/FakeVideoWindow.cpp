#include "fakes/FakeVideoWindow.h"

namespace ov::test {

QString ToString(AspectMode mode) {
    switch (mode) {
    case AspectMode::rmStretched:
        return QStringLiteral("rmStretched");
    case AspectMode::rmLetterBox:
        return QStringLiteral("rmLetterBox");
    case AspectMode::rmCrop:
        return QStringLiteral("rmCrop");
    }
    return QStringLiteral("?");
}

void FakeVideoWindow::SetAspectRatio(AspectMode mode) {
    calls << QStringLiteral("SetAspectRatio(%1)").arg(ToString(mode));
    aspect = mode;
}

void FakeVideoWindow::SetDigitalZoom(int percent) {
    calls << QStringLiteral("SetDigitalZoom(%1)").arg(percent);
    zoom = percent;
}

void FakeVideoWindow::SetAutoHideCursor(int ms) {
    calls << QStringLiteral("SetAutoHideCursor(%1)").arg(ms);
    autoHideCursor = ms;
}

void FakeVideoWindow::SetNoScreenSaver(bool on) {
    calls << QStringLiteral("SetNoScreenSaver(%1)").arg(on ? "true" : "false");
    noScreenSaver = on;
}

bool FakeVideoWindow::SetColorControl(const ColorValues& v, QString* error) {
    calls << QStringLiteral("SetColorControl(%1,%2,%3,%4)")
                 .arg(v.Brightness)
                 .arg(v.Contrast)
                 .arg(v.Saturation)
                 .arg(v.Hue);
    const bool ok = v.Brightness >= 0 && v.Brightness <= 10000 && v.Contrast >= 0 &&
                    v.Contrast <= 20000 && v.Saturation >= 0 && v.Saturation <= 20000 &&
                    v.Hue >= -180 && v.Hue <= 180;
    if (!ok) {
        if (error) *error = QStringLiteral("Colour value out of range");
        return false;
    }
    colors = v;
    return true;
}

void FakeVideoWindow::RepaintBackground() {
    calls << QStringLiteral("RepaintBackground");
    ++repaints;
}

void FakeVideoWindow::RaiseMouseDown(int x, int y, MouseButton button) {
    if (events.OnMouseDown) events.OnMouseDown({x, y, button});
}

void FakeVideoWindow::RaiseMouseUp(int x, int y, MouseButton button) {
    if (events.OnMouseUp) events.OnMouseUp({x, y, button});
}

void FakeVideoWindow::RaiseMouseMove(int x, int y) {
    if (events.OnMouseMove) events.OnMouseMove({x, y, MouseButton::None});
}

void FakeVideoWindow::RaiseDblClick(int x, int y, MouseButton button) {
    if (events.OnDblClick) events.OnDblClick({x, y, button});
}

void FakeVideoWindow::RaiseColorKeyChanged(unsigned key) {
    if (events.OnColorKeyChanged) events.OnColorKeyChanged(key);
}

} // namespace ov::test
