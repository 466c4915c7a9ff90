#pragma once

namespace ov {

class MainWindow;

// After a movie has been opened: the current entry, its duration text and the selection.
void NoteMovieLoaded(MainWindow& w);
// The dropped-file step, run as soon as the loader knows the file exists.
void NoteDroppedMovie(MainWindow& w);
// The end of a movie with two or more entries: the next one, or the end of the playlist.
void AdvanceAfterEnd(MainWindow& w);
// The last entry has finished: what the end-of-playlist setting asks.
void PlaylistEnded(MainWindow& w);
// ">" while an entry follows the current one, "<" while one precedes it.
void UpdatePlaylistButtons(MainWindow& w);

} // namespace ov
