#include "core/playlist/PlaylistOps.h"

#include "core/app/MainWindow.h"
#include "core/playback/cl_playFunctions.h"

namespace ov {

void NoteMovieLoaded(MainWindow& w) {
    zvPlayListItem& list = *w.PlayList;
    if (list.CurrentIndex == -1) list.CurrentIndex = 0;
    if (list.CurrentIndex < kPlaylistSlots)
        list.Durations[list.CurrentIndex] = w.VFVideoInfo1.Video.DurationText.left(255);
    if (w.model.playlist.Count() < 2) w.model.playlist.ItemIndex = 0;
}

void NoteDroppedMovie(MainWindow& w) {
    if (!w.UIState->FilesDropped) return;
    w.PlayList->CurrentName = w.MovieInfo->Title;
    w.PlayList->CurrentFolder = ExtractFilePath(w.MovieInfo->FullPath);
}

void AdvanceAfterEnd(MainWindow& w) {
    zvPlayListItem& list = *w.PlayList;
    PlaylistBox& box = w.model.playlist;
    if (list.CurrentIndex < box.Count() - 1) {
        const int next = box.ItemIndex + 1;
        if (next >= 0 && next < box.Count()) {
            box.ItemIndex = next;
            list.CurrentName = box.items[next];
            // The entry's own folder: entries may come from different folders.
            const QString folder = list.Folders[next].isEmpty() ? list.CurrentFolder : list.Folders[next];
            InitializeMovie(w, folder + box.items[next]);
            list.CurrentIndex = static_cast<std::int16_t>(next);
        }
    } else if (box.Count() == list.CurrentIndex + 1) {
        PlaylistEnded(w);
        return;
    }
    UpdatePlaylistButtons(w);
}

void PlaylistEnded(MainWindow& w) {
    // 1: close the player. Turning the computer off comes with the countdown dialog.
    if (w.Config->pIfEnd == 1) w.ExitProgram();
}

void UpdatePlaylistButtons(MainWindow& w) {
    const int index = w.PlayList->CurrentIndex;
    w.model.playlistPrevEnabled = index >= 1;
    w.model.playlistNextEnabled = index < w.model.playlist.Count() - 1;
    w.Publish();
}

} // namespace ov
