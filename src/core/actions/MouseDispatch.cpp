#include "core/actions/MouseDispatch.h"

#include "core/actions/sys_Misc.h"
#include "core/app/MainWindow.h"
#include "core/app/WindowActions.h"
#include "core/playback/Seeking.h"
#include "core/playback/cl_playFunctions.h"
#include "ports/MediaGraph.h"

namespace ov {

namespace {

using Op = void (*)(MainWindow&);

bool DvdActive(MainWindow& w) { return w.MovieInfo->DvdMode && w.platform.graph.Active(); }

// The wheel's targets as setting 0..7 gives them: increasing, decreasing.
constexpr struct {
    Op up;
    Op down;
} kWheel[] = {
    {snd_VolumeUp, snd_VolumeDown},       {skng_SeekFwd, skng_SeekBack},
    {dm_ZoomIn, dm_ZoomOut},              {dm_BrightnessIn, dm_BrightnessOut},
    {dm_ContrastIn, dm_ContrastOut},      {dm_SaturationIn, dm_SaturationOut},
    {dm_HUEIn, dm_HUEOut},                {RateUp, RateDown},
};

void ToggleAllPanels(MainWindow& w) {
    zvUIState& ui = *w.UIState;
    const bool show = ui.AllHiddenByRightClick;
    w.model.topPanelVisible = show;
    w.model.bottomPanelVisible = show;
    w.model.playlistVisible = show;
    ui.PlaylistHidden = !show;
    ui.PanelsHidden = !show;
    ui.AllHiddenByRightClick = !show;
    w.Publish();
}

void Run(MainWindow& w, Op op) {
    if (op) op(w);
}

} // namespace

void PanelMouseDown(MainWindow& w) { w.platform.view.StartWindowMove(); }

void WindowMoveEnded(MainWindow& w) { KeepOnScreen(w); }

void VideoMouseDown(MainWindow& w, const VideoMouseEvent& e) {
    if (!w.MovieInfo) return;
    if (DvdActive(w))
        if (DvdControl* dvd = w.platform.graph.QueryDvdControl())
            dvd->ActivateAtPosition({e.x, e.y});
    if (w.Config->mLBtn == 1 && !(w.MovieInfo->FullScreen && w.UIState->PanelsHidden))
        w.platform.view.StartWindowMove();
    KeepOnScreen(w);
}

void VideoMouseMove(MainWindow& w, const VideoMouseEvent& e) {
    if (!w.MovieInfo || !DvdActive(w)) return;
    if (DvdControl* dvd = w.platform.graph.QueryDvdControl()) dvd->MouseSelect({e.x, e.y});
    w.platform.video.SetAutoHideCursor(0);
    unsigned button = 0;
    DvdInfo* info = w.platform.graph.QueryDvdInfo();
    const bool overButton = info && Succeeded(info->GetButtonAtPosition({e.x, e.y}, button));
    if (w.model.videoCursorHand != overButton) {
        w.model.videoCursorHand = overButton;
        w.Publish();
    }
}

void VideoMouseUp(MainWindow& w, const VideoMouseEvent& e) {
    if (e.button != MouseButton::Left) return;
    // The release that ends a double click is not a click of its own.
    if (w.clickEndsDoubleClick) {
        w.clickEndsDoubleClick = false;
        return;
    }
    w.tmrMsClickDiffer.start();
}

void VideoDblClick(MainWindow& w, const VideoMouseEvent& e) {
    if (e.button != MouseButton::Left || !w.Config) return;
    w.clickEndsDoubleClick = true;
    w.UIState->DoubleClickSeen = true;
    switch (w.Config->mLDblBtn) {
    case 0: Play(w); break;
    case 1: ui_MaximizeApp(w); break;
    default: break;
    }
}

void ClickTimerFired(MainWindow& w) {
    w.tmrMsClickDiffer.stop();
    if (!w.UIState) return;
    if (w.UIState->DoubleClickSeen) {
        w.UIState->DoubleClickSeen = false;
        return;
    }
    switch (w.Config->mLBtn) {
    case 0: Play(w); break;
    case 2: snd_SetMute(w); break;
    default: break;
    }
}

void BackgroundDblClick(MainWindow& w) { ui_MaximizeApp(w); }

void WheelStep(MainWindow& w, bool away) {
    if (!w.Config || w.Config->mRoll >= std::size(kWheel)) return;
    const bool increase = w.Config->mRollDirection ? !away : away;
    Run(w, increase ? kWheel[w.Config->mRoll].up : kWheel[w.Config->mRoll].down);
}

void ApplicationMouseMove(MainWindow& w) {
    if (!w.UIState || !w.UIState->CursorHidden) return;
    w.UIState->CursorHidden = false;
    w.msHideSecsRestoreTimer.start();
}

void ApplicationMouseButton(MainWindow& w, MouseButton button) {
    if (!w.Config) return;
    if (button == MouseButton::Right) {
        switch (w.Config->mRBtn) {
        case 0: ui_hidePanels(w); break;
        case 1: ToggleAllPanels(w); break;
        default: break;
        }
    } else if (button == MouseButton::Middle) {
        switch (w.Config->mMdlBtn) {
        case 0: ui_MaximizeApp(w); break;
        case 1: w.Actions->Run(ActionHandler(ActionOp::ui_MinimizeApp)); break;
        case 2: ui_OpenMedia1(w); break;
        default: break;
        }
    }
}

void CursorRestoreTimerFired(MainWindow& w) {
    if (!w.MovieInfo || !w.MovieInfo->Opened) return;
    w.platform.video.SetAutoHideCursor(w.Config->msHideSecs * 1000);
    w.msHideSecsRestoreTimer.stop();
}

} // namespace ov
