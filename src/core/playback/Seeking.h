#pragma once

namespace ov {

class MainWindow;

// Small steps of 100 ms; they pause first.
void skng_FrameFwd(MainWindow& w);
void skng_FrameBack(MainWindow& w);
// Jumps by the jump step.
void skng_StepFwd(MainWindow& w);
void skng_StepBack(MainWindow& w);
// Seeks by the seek step, confirmed on screen.
void skng_SeekFwd(MainWindow& w);
void skng_SeekBack(MainWindow& w);
// Rewinds to the beginning; also used by stop and by the end of media.
void skng_SetVideoToBegin(MainWindow& w);

// The seek bar's mouse, x in the bar's own coordinates.
void ProgressSeekMouseDown(MainWindow& w, int x, int barWidth);
void FSProgressSeekMouseMove(MainWindow& w, int x, int barWidth);
void FSProgressSeekMouseUp(MainWindow& w, int x, int barWidth);
// Max × x ÷ width, rounded to the nearest integer, halves to even.
long double SeekTarget(long double max, int x, int barWidth);

} // namespace ov
