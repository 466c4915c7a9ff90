#include "core/actions/ov_ProgramActions.h"

#include "core/actions/sys_Misc.h"
#include "core/app/MainWindow.h"
#include "core/app/TrayLogic.h"
#include "core/app/ui_About.h"
#include "core/app/WindowActions.h"
#include "core/playback/Seeking.h"
#include "core/playback/cl_playFunctions.h"
#include "ports/MediaGraph.h"

namespace ov {

namespace {

using A = ActionOp;
using Operation = void (*)(MainWindow&);

// The DVD menu keys act only while the graph runs, one navigator call each, nothing shown.
template <HResult (DvdControl::*Call)()> void DvdMenuKey(MainWindow& w) {
    if (!w.platform.graph.Active()) return;
    if (DvdControl* dvd = w.platform.graph.QueryDvdControl()) (dvd->*Call)();
}

void SingleClickAction(MainWindow& w) {
    if (!w.Config) return;
    // 1 moves the window on the press itself; other values do nothing here.
    if (w.Config->mLBtn == 0)
        w.Actions->Run(ActionHandler(A::Play));
    else if (w.Config->mLBtn == 2)
        w.Actions->Run(ActionHandler(A::snd_SetMute));
}

struct Binding {
    ActionOp op;
    Operation run; // null: the operation's subsystem is not built yet
};

// Where every operation is carried out: the one place to connect an action.
// ui_MaximizeApp and dm_SetFullscreen must share one function: they are one operation in
// two rows.
constexpr Binding kBindings[] = {
    {A::ui_MaximizeApp, ui_MaximizeApp},
    {A::ui_ExitApp, [](MainWindow& w) { w.ExitProgram(); }},
    {A::ui_About, [](MainWindow& w) { ShowAbout(w.platform.system, w.platform.showAboutBox); }},
    {A::ui_appOnTop, ui_appOnTop},
    {A::ui_MinimizeApp,
     [](MainWindow& w) {
         if (w.platform.tray && w.MovieInfo && w.Config)
             HideToTray(*w.platform.tray, w.platform.graph, w.platform.system, *w.MovieInfo,
                        w.Config->mscPauseWhenMinimized != 0);
     }},
    {A::ui_ShowOVOptions, nullptr},
    {A::ui_ShowVideoInfo, nullptr},
    {A::ui_ShowPlaylist, ui_ShowPlaylist},
    {A::ui_OpenMedia1, ui_OpenMedia1},
    {A::ui_OpenMedia, ui_OpenMedia},
    {A::ui_hidePanels, ui_hidePanels},
    {A::ui_originalWindowSize, ui_originalWindowSize},
    {A::pb_StopMedia, Stop},
    {A::pb_CloseMedia, CloseMovie},
    {A::snd_SetMute, snd_SetMute},
    {A::snd_VolumeUp, snd_VolumeUp},
    {A::snd_VolumeDown, snd_VolumeDown},
    {A::skng_FrameFwd, skng_FrameFwd},
    {A::skng_FrameBack, skng_FrameBack},
    {A::skng_StepFwd, skng_StepFwd},
    {A::skng_StepBack, skng_StepBack},
    {A::skng_SeekFwd, skng_SeekFwd},
    {A::skng_SeekBack, skng_SeekBack},
    {A::skng_SetVideoToBegin, skng_SetVideoToBegin},
    {A::pl_nextInPlaylist, nullptr},
    {A::pl_prevInPlaylist, nullptr},
    {A::pl_removeFromPlaylist, nullptr},
    {A::pl_erasePlaylist, nullptr},
    {A::pl_sortPlaylist, nullptr},
    {A::pl_clipboardThisItem, nullptr},
    {A::pl_playSelected, nullptr},
    {A::pl_moveUp, nullptr},
    {A::pl_moveDown, nullptr},
    {A::ar_SetFullScreen, ar_SetFullScreen},
    {A::ar_SetWideScreen, ar_SetWideScreen},
    {A::ar_SetXY, ar_SetXY},
    {A::dm_SetOriginalSize, dm_SetOriginalSize},
    {A::dm_SetFullscreen, ui_MaximizeApp},
    {A::dm_ZoomIn, dm_ZoomIn},
    {A::dm_ZoomOut, dm_ZoomOut},
    {A::dm_BrightnessIn, dm_BrightnessIn},
    {A::dm_BrightnessOut, dm_BrightnessOut},
    {A::dm_ContrastIn, dm_ContrastIn},
    {A::dm_ContrastOut, dm_ContrastOut},
    {A::dm_SaturationIn, dm_SaturationIn},
    {A::dm_SaturationOut, dm_SaturationOut},
    {A::dm_HUEIn, dm_HUEIn},
    {A::dm_HUEOut, dm_HUEOut},
    {A::dmc_keyboardEnter, DvdMenuKey<&DvdControl::ButtonActivate>},
    {A::dmc_keyboardUp, DvdMenuKey<&DvdControl::UpperButtonSelect>},
    {A::dmc_keyboardDown, DvdMenuKey<&DvdControl::LowerButtonSelect>},
    {A::dmc_keyboardLeft, DvdMenuKey<&DvdControl::LeftButtonSelect>},
    {A::dmc_keyboardRight, DvdMenuKey<&DvdControl::RightButtonSelect>},
    {A::dvd_searchForDVD, nullptr},
    {A::dvd_mainDVDMenu, nullptr},
    {A::dvd_nextChapter, nullptr},
    {A::dvd_prevChapter, nullptr},
    {A::msc_SnapshotToFile, nullptr},
    {A::msc_SnapshotToClipboard, nullptr},
    {A::Play, Play},
    {A::Pause, Pause},
    {A::RateUp, RateUp},
    {A::RateDown, RateDown},
    {A::SingleClick, SingleClickAction},
    {A::ApplyPlaylistVisibility, ApplyPlaylistVisibility},
};

constexpr bool EveryOperationHasItsRow() {
    if (std::size(kBindings) != static_cast<std::size_t>(kOperationCount)) return false;
    for (std::size_t i = 0; i < std::size(kBindings); ++i)
        if (static_cast<std::size_t>(kBindings[i].op) != i) return false;
    return kBindings[static_cast<int>(A::ui_MaximizeApp)].run ==
           kBindings[static_cast<int>(A::dm_SetFullscreen)].run;
}
static_assert(EveryOperationHasItsRow());

} // namespace

ovActions::ovActions(MainWindow& owner) : owner_(owner) {}

void ovActions::Run(ActionHandler handler) {
    if (handler.IsEmpty()) return;
    const Operation run = kBindings[static_cast<int>(handler.Op())].run;
    // Nothing of this object is touched afterwards: the operation may have destroyed it.
    if (run) run(owner_);
}

void ovActions::Play() {
    Run(ActionHandler(A::Play));
}
void ovActions::Pause() {
    Run(ActionHandler(A::Pause));
}
void ovActions::RateUp() {
    Run(ActionHandler(A::RateUp));
}
void ovActions::RateDown() {
    Run(ActionHandler(A::RateDown));
}
void ovActions::SingleClick() {
    Run(ActionHandler(A::SingleClick));
}
void ovActions::ApplyPlaylistVisibility() {
    Run(ActionHandler(A::ApplyPlaylistVisibility));
}

} // namespace ov
