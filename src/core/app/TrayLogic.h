#pragma once
#include "ports/Tray.h"

#include <QString>

namespace ov {

class MediaGraph;
class SystemInfo;
struct zvMovieInfo;

// Balloons stay this long unless the desktop decides otherwise.
inline constexpr int kBalloonSeconds = 10;

// The icon's hint while no movie is loaded: "Orvane Player v1.0.211, RC 1".
QString TrayIdleHint(SystemInfo& system);

// Start-up: the icon is shown for the whole run, with the idle hint.
void ShowTrayIcon(Tray& tray, SystemInfo& system);

// A balloon from the icon; nothing is shown where the desktop has no notification area.
void ShowBalloon(Tray& tray, const QString& text, const QString& title, BalloonIcon icon,
                 int seconds);

// The action ui_MinimizeApp and the "_" button. From the tray the window comes back and
// nothing else changes; otherwise playback pauses when pauseWhenMinimized says so, the hint and
// a balloon name the movie, and the window goes to the tray.
void HideToTray(Tray& tray, MediaGraph& graph, SystemInfo& system, zvMovieInfo& movie,
                bool pauseWhenMinimized);

} // namespace ov
