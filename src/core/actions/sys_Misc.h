#pragma once
#include <QString>

namespace ov {

class MainWindow;

// Volume steps act only while the playlist panel is closed (its list has the arrow keys then).
void snd_VolumeUp(MainWindow& w);
void snd_VolumeDown(MainWindow& w);
void snd_SetMute(MainWindow& w);

// Play speed a quarter up or down from the movie's rate, while it plays.
void RateUp(MainWindow& w);
void RateDown(MainWindow& w);
// "50%" … "200%" for the quarter steps; empty for any other rate.
QString RateText(double rate);

void dm_BrightnessIn(MainWindow& w);
void dm_BrightnessOut(MainWindow& w);
void dm_ContrastIn(MainWindow& w);
void dm_ContrastOut(MainWindow& w);
void dm_SaturationIn(MainWindow& w);
void dm_SaturationOut(MainWindow& w);
void dm_HUEIn(MainWindow& w);
void dm_HUEOut(MainWindow& w);

} // namespace ov
