#include "core/app/WindowActions.h"

#include "core/app/MainWindow.h"
#include "core/playback/cl_playFunctions.h"
#include "ports/MediaGraph.h"
#include "ports/SystemInfo.h"
#include "ports/Tray.h"
#include "ports/VideoWindow.h"

namespace ov {

namespace {

constexpr int kNudge = 10;
constexpr int kDefaultWidth = 381;
constexpr int kBalloonMs = 10000;

Bounds Current(MainWindow& w) { return w.platform.view.CurrentBounds(); }

void SetTopPanel(MainWindow& w, bool visible) {
    w.UIState->TopPanelHidden = !visible;
    w.model.topPanelVisible = visible;
}

void SetBottomPanel(MainWindow& w, bool visible) {
    w.UIState->BottomPanelHidden = !visible;
    w.model.bottomPanelVisible = visible;
}

void SetPlaylistPanel(MainWindow& w, bool visible) { w.model.playlistVisible = visible; }

void SetAspect(MainWindow& w, AspectMode mode) { w.platform.video.SetAspectRatio(mode); }

void ShowPanels(MainWindow& w) {
    const bool fs = w.MovieInfo->FullScreen;
    const bool keepTop = w.Config->capShowInWndMode;
    const bool noTopInFS = w.Config->capDontShowInFSMode;
    Bounds b = Current(w);
    if (!fs && !keepTop) b.height += kTitlePanelHeight;
    if (!fs || !noTopInFS) SetTopPanel(w, true);
    if (!keepTop && !fs) b.top -= kTitlePanelHeight;
    if (!fs) b.height += kControlPanelHeight;
    SetBottomPanel(w, true);
    w.UIState->PanelsHidden = false;
    if (w.MovieInfo->Opened) {
        w.msHideSecsRestoreTimer.stop();
        w.platform.video.SetAutoHideCursor(0);
        w.UIState->CursorHidden = false;
    }
    if (!fs) w.SetBounds(b);
}

void HidePanels(MainWindow& w) {
    const bool fs = w.MovieInfo->FullScreen;
    const bool keepTop = w.Config->capShowInWndMode;
    Bounds b = Current(w);
    if (!fs && !keepTop) b.height -= kTitlePanelHeight;
    if (!keepTop || fs) SetTopPanel(w, false);
    if (!keepTop && !fs) b.top += kTitlePanelHeight;
    if (!fs) b.height -= kControlPanelHeight;
    SetBottomPanel(w, false);
    w.UIState->PanelsHidden = true;
    if (w.MovieInfo->Opened) {
        w.platform.video.SetAutoHideCursor(100);
        w.UIState->CursorHidden = true;
        if (!w.UIState->WindowNudged) {
            b.top -= kNudge;
            w.UIState->WindowNudged = true;
        }
    }
    w.SetBounds(b);
}

void FullScreenOff(MainWindow& w) {
    w.MovieInfo->FullScreen = false;
    w.platform.video.SetAutoHideCursor(0);
    w.model.maximized = false;
    SetTopPanel(w, true);
    SetBottomPanel(w, true);
    w.UIState->PanelsHidden = false;
    if (w.UIState->PlaylistHiddenForFullScreen) {
        SetPlaylistPanel(w, true);
        w.UIState->PlaylistHiddenForFullScreen = false;
    }
}

void FullScreenOn(MainWindow& w) {
    w.MovieInfo->FullScreen = true;
    w.platform.video.SetAutoHideCursor(w.Config->msHideSecs * 1000);
    w.platform.video.RepaintBackground();
    w.model.maximized = true;
    w.UIState->PanelsHidden = false;
    ui_hidePanels(w);
    if (!w.UIState->PlaylistHidden) {
        SetPlaylistPanel(w, false);
        w.UIState->PlaylistHiddenForFullScreen = true;
    } else {
        w.UIState->PlaylistHiddenForFullScreen = false;
    }
}

Bounds CentreFor(MainWindow& w, Bounds b) {
    const ScreenProperties screen = w.platform.system.PrimaryScreen();
    const Bounds centred = MainWindow::CentredBounds(screen.width, screen.height, b.width, b.height);
    b.left = centred.left;
    b.top = centred.top;
    return b;
}

} // namespace

void ui_MaximizeApp(MainWindow& w) {
    if (w.platform.view.IsMaximized()) FullScreenOff(w);
    else FullScreenOn(w);
    w.Publish();
}

void ui_hidePanels(MainWindow& w) {
    if (w.UIState->PanelsHidden) ShowPanels(w);
    else HidePanels(w);
    w.Publish();
}

void ui_ShowPlaylist(MainWindow& w) {
    w.UIState->PlaylistHidden = !w.UIState->PlaylistHidden;
    ApplyPlaylistVisibility(w);
    w.Config->playlistIsClosed = w.UIState->PlaylistHidden;
}

void ApplyPlaylistVisibility(MainWindow& w) {
    SetPlaylistPanel(w, !w.UIState->PlaylistHidden);
    w.Publish();
}

void ui_appOnTop(MainWindow& w) {
    w.model.stayOnTop = !w.model.stayOnTop;
    w.Publish();
}

void ui_originalWindowSize(MainWindow& w) {
    // Centred for the size it has now, then given the default size.
    Bounds b = CentreFor(w, Current(w));
    b.width = std::max(kDefaultWidth, w.model.minWidth);
    b.height = std::max(kTitlePanelHeight + kControlPanelHeight + w.MovieInfo->VideoHeight,
                        w.model.minHeight);
    w.SetBounds(b);
    w.Publish();
}

void dm_SetOriginalSize(MainWindow& w) {
    if (w.platform.view.IsMaximized()) FullScreenOff(w);
    Bounds b = Current(w);
    b.width = w.MovieInfo->VideoWidth + 5;
    b.height = w.MovieInfo->VideoHeight + 103;
    w.SetBounds(CentreFor(w, b));
    w.Publish();
}

void ar_SetFullScreen(MainWindow& w) { SetAspect(w, AspectMode::rmCrop); }
void ar_SetWideScreen(MainWindow& w) { SetAspect(w, AspectMode::rmLetterBox); }
void ar_SetXY(MainWindow& w) { SetAspect(w, AspectMode::rmStretched); }

int ZoomInLevel(int level) {
    if (level >= 99) return level;
    return level < 95 ? level + 5 : 99;
}

int ZoomOutLevel(int level) {
    if (level <= 0) return level;
    return level > 5 ? level - 5 : 0;
}

void dm_ZoomIn(MainWindow& w) {
    w.platform.video.SetDigitalZoom(ZoomInLevel(w.platform.video.DigitalZoom()));
}

void dm_ZoomOut(MainWindow& w) {
    w.platform.video.SetDigitalZoom(ZoomOutLevel(w.platform.video.DigitalZoom()));
}

void KeepOnScreen(MainWindow& w) {
    if (w.platform.view.IsMaximized()) return;
    const ScreenProperties screen = w.platform.system.PrimaryScreen();
    Bounds b = Current(w);
    const Bounds before = b;
    if (b.left >= screen.width - b.width) b.left = screen.width - b.width;
    if (b.top >= screen.height - b.height) {
        b.top = screen.height - b.height;
        if (!w.UIState->TopPanelHidden) b.top -= kTitlePanelHeight;
    }
    if (!(b == before)) {
        w.SetBounds(b);
        w.Publish();
    }
}

void ActivationChanged(MainWindow& w, bool active) {
    if (!w.Config || !w.Config->mscAutoPPWhenInActive || !w.MovieInfo->Opened) return;
    const zvUIState& ui = *w.UIState;
    const bool exempt = ui.WindowHideToggle && ui.AddButtonUsed && ui.MovieClosed;
    if (w.model.stayOnTop && exempt) return;
    if (active) {
        if (w.Config->ovBeginPlaying && !ui.PausedByUser) {
            w.platform.graph.Play();
            if (w.platform.tray)
                w.platform.tray->ShowBalloon(QStringLiteral("Are you back?."),
                                             "Continue watching " + w.MovieInfo->Title + "...",
                                             BalloonIcon::Info, kBalloonMs);
        }
    } else if (!exempt && w.MovieInfo->Playing && !ui.PausedByUser) {
        w.platform.graph.Pause();
        if (w.platform.tray)
            w.platform.tray->ShowBalloon(
                QStringLiteral("Pausing..."),
                QStringLiteral("You are switched to other window, playback on pause."),
                BalloonIcon::Info, kBalloonMs);
    }
}

void WindowHidden(MainWindow& w) {
    if (w.UIState) w.UIState->WindowHideToggle = !w.UIState->WindowHideToggle;
}

} // namespace ov
