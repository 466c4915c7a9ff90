#pragma once
#include <QString>
#include <array>

namespace ov {

// The main window's block of user-interface flags shared by window, action and playlist code.
struct zvUIState {
    bool CursorHidden = false;
    bool FilesDropped = false;
    std::array<bool, 257> ScanFound{};
    bool WindowHideToggle = false;
    bool AddButtonUsed = false;
    bool MovieClosed = false;
    bool PausedByUser = false;
    bool PanelsHidden = false;
    bool TopPanelHidden = false;
    bool BottomPanelHidden = false;
    bool AllHiddenByRightClick = false;
    bool PlaylistHidden = false;
    bool PlaylistHiddenForFullScreen = false;
    bool DoubleClickSeen = false;
    bool PlaylistRestart = false;
    QString DvdDrive; // at most 255 characters
    bool PlaylistRestored = false;
    bool PlaylistErased = false;
    bool SeekDragging = false;
    bool WindowNudged = false;
};

} // namespace ov
