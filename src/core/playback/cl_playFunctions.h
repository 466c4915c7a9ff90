#pragma once
#include <QString>
#include <QStringList>

namespace ov {

class MainWindow;

// True when the file system knows the path and it is not a folder.
bool FileExistsNotDir(const QString& path);

// The one place where a file becomes the current movie.
void InitializeMovie(MainWindow& w, const QString& path);
// With addToPlaylist: adds the file to the playlist and loads it; without: builds the graph.
void OpenMedia(MainWindow& w, const QString& path, bool addToPlaylist);
// Closes the loaded movie; also the action pb_CloseMedia.
void CloseMovie(MainWindow& w);

// The play button and the action ui_OpenMedia: play/pause, or load a movie when none is.
void ui_OpenMedia(MainWindow& w);
// The open button "^" and the action ui_OpenMedia1: always asks for files.
void ui_OpenMedia1(MainWindow& w);
// The adding rule of the open actions: last chosen first, known names skipped.
void AddChosenFiles(MainWindow& w, const QStringList& files, bool firstIndexFromNone);

void Play(MainWindow& w);
void Pause(MainWindow& w);
void PlayPauseToggle(MainWindow& w);
void Stop(MainWindow& w);

// The 100 ms position timer.
void PlayTimerTick(MainWindow& w);
// The graph's end of media.
void FilterGraph1GraphComplete(MainWindow& w);

void SetProgressMin(MainWindow& w, long double value);
void SetProgressMax(MainWindow& w, long double value);
void SetProgressPos(MainWindow& w, long double value);

// The folder part of a path, ending with "/", and the name part.
QString ExtractFilePath(const QString& path);
QString ExtractFileName(const QString& path);

} // namespace ov
