#include "core/playback/Seeking.h"

#include "core/app/MainWindow.h"
#include "core/app/OverlayText.h"
#include "core/playback/cl_playFunctions.h"
#include "core/playback/sys_TimeUtils.h"

#include <cmath>

namespace ov {

namespace {

enum class Kind { Frame, Jump, Seek };

QString CurrentPositionText(MainWindow& w) {
    return FormatRefTime(false, w.Player->CurrentPosition());
}

void StepBy(MainWindow& w, Kind kind, int direction) {
    if (!w.MovieInfo->Opened || w.MovieInfo->DurationMs == 0) return;
    if (kind == Kind::Frame && w.MovieInfo->Playing) Pause(w);
    const std::uint32_t ms = kind == Kind::Frame  ? 100u
                             : kind == Kind::Jump ? w.Config->vSkngStepMs
                                                  : w.Config->vSkngMs;
    w.Player->RefreshSeeking(w.platform.graph);
    w.Player->SetPositionClamped(w.Player->CurrentPosition() + direction * MsToRefTime(ms));
    if (kind == Kind::Seek) ShowOverlayText(w, "Seek: " + CurrentPositionText(w), 3, 0);
}

// The bar shows the target at once; the graph is told the clamped value.
void SeekBarTo(MainWindow& w, long double target) {
    w.zvTrackBar.SetPosition(target);
    SetProgressPos(w, target);
    w.Player->RefreshSeeking(w.platform.graph);
    w.Player->SetPositionClamped(static_cast<RefTime>(target));
}

} // namespace

void skng_FrameFwd(MainWindow& w) { StepBy(w, Kind::Frame, 1); }
void skng_FrameBack(MainWindow& w) { StepBy(w, Kind::Frame, -1); }
void skng_StepFwd(MainWindow& w) { StepBy(w, Kind::Jump, 1); }
void skng_StepBack(MainWindow& w) { StepBy(w, Kind::Jump, -1); }
void skng_SeekFwd(MainWindow& w) { StepBy(w, Kind::Seek, 1); }
void skng_SeekBack(MainWindow& w) { StepBy(w, Kind::Seek, -1); }

void skng_SetVideoToBegin(MainWindow& w) {
    if (!w.MovieInfo->Opened) return;
    w.Player->RefreshSeeking(w.platform.graph);
    w.Player->SetPositionClamped(0);
    SetProgressPos(w, 0);
    if (w.Config->mscRewindPBOnFinish && !w.UIState->PlaylistRestart && !w.Config->ovBeginPlaying)
        Pause(w);
    ShowOverlayText(w, QStringLiteral("Seek: 0:00:00"), 1, 0);
}

long double SeekTarget(long double max, int x, int barWidth) {
    if (barWidth <= 0) return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyintl(max * x / barWidth);
}

void ProgressSeekMouseDown(MainWindow& w, int x, int barWidth) {
    if (!w.MovieInfo->Opened) return;
    SeekBarTo(w, SeekTarget(w.zvTrackBar.Max(), x, barWidth));
    w.UIState->SeekDragging = true;
    ShowOverlayText(w, "Seek: " + CurrentPositionText(w), 1, 0);
    w.Publish();
}

void FSProgressSeekMouseMove(MainWindow& w, int x, int barWidth) {
    if (!w.MovieInfo->Opened) return;
    const long double target = SeekTarget(w.zvTrackBar.Max(), x, barWidth);
    if (w.UIState->SeekDragging) {
        w.Player->RefreshSeeking(w.platform.graph);
        w.Player->SetPositionClamped(static_cast<RefTime>(target));
        SetProgressPos(w, target);
    }
    if (!w.model.overlay.text.contains(QStringLiteral("Seek:")))
        ShowOverlayText(w, FormatRefTime(false, static_cast<RefTime>(target)), 0, 0);
    w.Publish();
}

void FSProgressSeekMouseUp(MainWindow& w, int x, int barWidth) {
    if (!w.MovieInfo->Opened) return;
    SeekBarTo(w, SeekTarget(w.zvTrackBar.Max(), x, barWidth));
    w.UIState->SeekDragging = false;
    w.Publish();
}

} // namespace ov
