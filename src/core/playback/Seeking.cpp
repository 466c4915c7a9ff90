#include "core/playback/Seeking.h"

#include "core/app/MainWindow.h"
#include "core/app/OverlayText.h"
#include "core/playback/cl_playFunctions.h"

namespace ov {

void skng_SetVideoToBegin(MainWindow& w) {
    if (!w.MovieInfo->Opened) return;
    w.Player->RefreshSeeking(w.platform.graph);
    w.Player->SetPositionClamped(0);
    SetProgressPos(w, 0);
    if (w.Config->mscRewindPBOnFinish && !w.UIState->PlaylistRestart && !w.Config->ovBeginPlaying)
        Pause(w);
    ShowOverlayText(w, QStringLiteral("Seek: 0:00:00"), 1, 0);
}

} // namespace ov
