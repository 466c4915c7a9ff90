#pragma once

namespace ov {

class MainWindow;

// Full-screen mode on or off (ui_MaximizeApp and dm_SetFullscreen).
void ui_MaximizeApp(MainWindow& w);
// Panels hidden or shown; in window mode the window grows and shrinks around the picture.
void ui_hidePanels(MainWindow& w);
void ui_ShowPlaylist(MainWindow& w);
// Shows or hides the playlist list, its buttons and the splitter as PlaylistHidden says.
void ApplyPlaylistVisibility(MainWindow& w);
void ui_appOnTop(MainWindow& w);
void ui_originalWindowSize(MainWindow& w);
void dm_SetOriginalSize(MainWindow& w);
void ar_SetFullScreen(MainWindow& w);
void ar_SetWideScreen(MainWindow& w);
void ar_SetXY(MainWindow& w);
void dm_ZoomIn(MainWindow& w);
void dm_ZoomOut(MainWindow& w);
// Zoom level after a step; 0..99.
int ZoomInLevel(int level);
int ZoomOutLevel(int level);
// Pulls the window back inside the screen at the right and bottom.
void KeepOnScreen(MainWindow& w);
// The main window became active or inactive.
void ActivationChanged(MainWindow& w, bool active);
// The main window was hidden, for whatever reason.
void WindowHidden(MainWindow& w);

} // namespace ov
