#pragma once
#include "ports/VideoWindow.h"

namespace ov {

class MainWindow;

// A press on the title or the control panel: the window is moved by the window system.
void PanelMouseDown(MainWindow& w);
// The window system's move of the window has ended.
void WindowMoveEnded(MainWindow& w);
// Any button pressed on the video area, at a point of the video window.
void VideoMouseDown(MainWindow& w, const VideoMouseEvent& e);
// Mouse movement over the video window.
void VideoMouseMove(MainWindow& w, const VideoMouseEvent& e);
// A button released on the video window; a left click starts the click timer.
void VideoMouseUp(MainWindow& w, const VideoMouseEvent& e);
void VideoDblClick(MainWindow& w, const VideoMouseEvent& e);
// The click timer: the single-click action, unless a double click came.
void ClickTimerFired(MainWindow& w);
// A double click on the window's background or the title panel.
void BackgroundDblClick(MainWindow& w);
// One wheel notch; away = turned away from the user.
void WheelStep(MainWindow& w, bool away);
// Every mouse message of the program's windows, before it is dispatched; never stops it.
void ApplicationMouseMove(MainWindow& w);
void ApplicationMouseButton(MainWindow& w, MouseButton button);
// The cursor restore timer.
void CursorRestoreTimerFired(MainWindow& w);

} // namespace ov
