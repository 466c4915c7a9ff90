#include "core/actions/ov_ProgramActions.h"

#include "core/app/MainWindow.h"
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
    {A::ui_MaximizeApp, nullptr},
    {A::ui_ExitApp, [](MainWindow& w) { w.ExitProgram(); }},
    {A::ui_About, nullptr},
    {A::ui_appOnTop, nullptr},
    {A::ui_MinimizeApp, nullptr},
    {A::ui_ShowOVOptions, nullptr},
    {A::ui_ShowVideoInfo, nullptr},
    {A::ui_ShowPlaylist, nullptr},
    {A::ui_OpenMedia1, ui_OpenMedia1},
    {A::ui_OpenMedia, ui_OpenMedia},
    {A::ui_hidePanels, nullptr},
    {A::ui_originalWindowSize, nullptr},
    {A::pb_StopMedia, Stop},
    {A::pb_CloseMedia, CloseMovie},
    {A::snd_SetMute, nullptr},
    {A::snd_VolumeUp, nullptr},
    {A::snd_VolumeDown, nullptr},
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
    {A::ar_SetFullScreen, nullptr},
    {A::ar_SetWideScreen, nullptr},
    {A::ar_SetXY, nullptr},
    {A::dm_SetOriginalSize, nullptr},
    {A::dm_SetFullscreen, nullptr},
    {A::dm_ZoomIn, nullptr},
    {A::dm_ZoomOut, nullptr},
    {A::dm_BrightnessIn, nullptr},
    {A::dm_BrightnessOut, nullptr},
    {A::dm_ContrastIn, nullptr},
    {A::dm_ContrastOut, nullptr},
    {A::dm_SaturationIn, nullptr},
    {A::dm_SaturationOut, nullptr},
    {A::dm_HUEIn, nullptr},
    {A::dm_HUEOut, nullptr},
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
    {A::RateUp, nullptr},
    {A::RateDown, nullptr},
    {A::SingleClick, SingleClickAction},
    {A::ApplyPlaylistVisibility, nullptr},
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
