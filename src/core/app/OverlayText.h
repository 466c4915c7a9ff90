#pragma once
#include <QString>

namespace ov {

class MainWindow;

// One line of text over the top of the video for `seconds` timer ticks; size in points,
// 0 for the configured size.
void ShowOverlayText(MainWindow& w, const QString& text, int seconds, int size);
// The overlay timer's tick (Timer2, 1000 ms).
void OverlayTimerTick(MainWindow& w);

} // namespace ov
