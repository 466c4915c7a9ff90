#include "core/app/OverlayText.h"

#include "core/app/MainWindow.h"
#include "core/config/sys_Types.h"

namespace ov {

void ShowOverlayText(MainWindow& w, const QString& text, int seconds, int size) {
    if (!w.onScreenFontCreated) return;
    OverlayPanel& panel = w.model.overlay;
    if (w.Config && w.Config->olTextSize <= 10) panel.points = OverlayFontPoints(w.Config->olTextSize);
    if (size != 0) panel.points = size;
    if (w.Config) panel.color = static_cast<std::uint32_t>(w.Config->olTextColor);
    panel.text = text;
    // A running timer keeps its period; only the countdown restarts.
    if (!w.Timer2.isActive()) w.Timer2.start();
    w.overlayCountdown = static_cast<std::uint8_t>(seconds);
    w.Publish();
}

void OverlayTimerTick(MainWindow& w) {
    if (!w.onScreenFontCreated) return;
    if (w.overlayCountdown > 0) {
        --w.overlayCountdown;
        return;
    }
    w.Timer2.stop();
    w.model.overlay.text.clear();
    w.Publish();
}

} // namespace ov
