#include "core/playback/cl_playFunctions.h"

#include "core/app/MainWindow.h"
#include "core/app/OverlayText.h"
#include "core/app/WindowActions.h"
#include "core/playback/Seeking.h"
#include "core/playback/sys_TimeUtils.h"
#include "core/playlist/PlaylistOps.h"
#include "core/system/cl_debugLog.h"
#include "core/system/sys_FilesOps.h"
#include "ports/Dialogs.h"
#include "ports/MediaGraph.h"
#include "ports/VideoWindow.h"

#include <QFileInfo>

namespace ov {

namespace {
const QString kCaption = QStringLiteral("Orvane Player");
const QString kPlaying = QStringLiteral("||");
const QString kNotPlaying = QStringLiteral(">");

void Message(MainWindow& w, const QString& text) { w.platform.dialogs.MessageBox(text, kCaption); }

QString Quoted(const QString& s) { return "\"" + s + "\""; }

// A new entry at the end of the list with its name and folder slots; false when full.
bool AppendEntry(MainWindow& w, const QString& path) {
    PlaylistBox& box = w.model.playlist;
    if (box.Count() >= kPlaylistSlots) return false;
    zvPlayListItem& list = *w.PlayList;
    list.CurrentName = ExtractFileName(path);
    list.CurrentFolder = ExtractFilePath(path);
    box.items << list.CurrentName;
    const int p = box.Count() - 1;
    list.Names[p] = list.CurrentName;
    list.Folders[p] = list.CurrentFolder;
    list.Durations[p].clear();
    return true;
}

void LoadedFine(MainWindow& w) {
    DebugLog("I got " + w.MovieInfo->Title + ". Seems, this file has been loaded fine.");
}
} // namespace

QString ExtractFilePath(const QString& path) {
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString ExtractFileName(const QString& path) { return path.mid(path.lastIndexOf('/') + 1); }

bool FileExistsNotDir(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

void InitializeMovie(MainWindow& w, const QString& path) {
    zvMovieInfo& movie = *w.MovieInfo;
    zvUIState& ui = *w.UIState;
    const zvOVConfigInfo& config = *w.Config;
    MainWindowModel& m = w.model;
    // 1
    DebugLog("cl_initializeMovie: I got " + Quoted(path));
    // 2
    if (!FileExistsNotDir(path)) {
        Message(w, "Error: A movie named " + Quoted(path) + " is not exist!!");
        return;
    }
    // 3
    if (movie.Opened || movie.Playing) CloseMovie(w);
    // 4
    movie.FullPath = path;
    movie.FileName = ExtractFileName(path);
    const QString ext = ExtractFileExt(movie.FileName);
    movie.Title = movie.FileName.left(movie.FileName.size() - ext.size());
    NoteDroppedMovie(w);
    // 5
    if (!IsVideoFile(ext)) {
        w.Publish();
        return;
    }
    // 6
    w.VFVideoInfo1.FileName = path;
    movie.DvdMode = path.toLower().contains(QStringLiteral(".ifo"));
    if (!movie.DvdMode) w.VFVideoInfo1.Analyze();
    // 7
    OpenMedia(w, path, false);
    // 8
    const QFileInfo entry(path);
    movie.FileSize = entry.exists() && !entry.isDir() ? static_cast<std::int32_t>(entry.size()) : -1;
    movie.VideoWidth = w.VFVideoInfo1.Video.Width;
    movie.VideoHeight = w.VFVideoInfo1.Video.Height;
    movie.FourCC = w.VFVideoInfo1.Video.FourCC;
    // 9
    m.titleCaption = movie.Title;
    w.platform.video.SetAutoHideCursor(config.msHideSecs * 1000);
    // 10
    movie.DurationMs = w.platform.graph.Duration();
    const ColorValues colors = w.platform.video.ColorControl();
    movie.Brightness = static_cast<std::int16_t>(colors.Brightness);
    movie.Contrast = static_cast<std::int16_t>(colors.Contrast);
    movie.Saturation = static_cast<std::int16_t>(colors.Saturation);
    movie.Hue = static_cast<std::int16_t>(colors.Hue);
    // 11: the layout keeps the elapsed time beside its separator.
    // 12
    m.minWidth = movie.VideoWidth;
    m.minHeight = movie.VideoHeight;
    // 13
    w.PlayTimer.start();
    w.zvTrackBar.SetMarkerWidth(4);
    w.zvTrackBar.SetLoopBEnabled(true);
    // 14
    w.Player->RefreshSeeking(w.platform.graph);
    movie.StopTime = w.Player->StopPosition();
    m.totalText = FormatRefTime(false, movie.StopTime);
    SetProgressMax(w, movie.StopTime);
    w.zvTrackBar.SetLoopEnd(movie.StopTime);
    // 15
    NoteMovieLoaded(w);
    // 16
    if (!ui.PanelsHidden) {
        if (!ui.TopPanelHidden) m.minHeight = movie.VideoHeight + kTitlePanelHeight;
        else if (!ui.BottomPanelHidden) m.minHeight = movie.VideoHeight + kControlPanelHeight;
    }
    // 17
    if (config.ovDisableSS) w.platform.video.SetNoScreenSaver(true);
    // 18
    Bounds bounds = w.platform.view.CurrentBounds();
    if (config.ovCWZUM && !movie.FullScreen && movie.VideoWidth > 100 && movie.VideoHeight > 100) {
        bounds.width = movie.VideoWidth + 5;
        bounds.height = movie.VideoHeight + 103;
    }
    // 19: the resume position comes from the resume cache when it is built.
    // 20
    m.logoVisible = false;
    const ScreenProperties screen = w.platform.system.PrimaryScreen();
    w.SetBounds(MainWindow::CentredBounds(screen.width, screen.height, bounds.width, bounds.height));
    w.Publish();
    // 21
    if (config.ovBeginPlaying) {
        movie.Playing = false;
        Play(w);
    } else {
        Pause(w);
    }
    // 22
    if (movie.DvdMode) {
        if (DvdControl* dvd = w.platform.graph.QueryDvdControl()) {
            dvd->SetOption(DvdOption::NotifyParentalLevelChange, false);
            dvd->SetOption(DvdOption::HMSFTimeCodeEvents, true);
        }
    }
    // 23
    ShowOverlayText(w,
                    movie.Title + " [" + FormatRefTime(false, movie.StopTime) + "] (" +
                        w.VFVideoInfo1.FileFormat + ", " + movie.FourCC + ")",
                    4, 14);
}

void OpenMedia(MainWindow& w, const QString& path, bool addToPlaylist) {
    if (addToPlaylist) {
        if (w.model.playlist.IndexOf(ExtractFileName(path)) < 0) AppendEntry(w, path);
        InitializeMovie(w, path);
        return;
    }
    if (!IsVideoFile(ExtractFileExt(ExtractFileName(path)))) {
        Message(w, QStringLiteral("Sorry! But Orvane Player is only VIDEO player."));
        return;
    }
    MediaGraph& graph = w.platform.graph;
    graph.ClearGraph();
    graph.SetActive(false);
    graph.SetMode(w.MovieInfo->DvdMode ? GraphMode::gmDVD : GraphMode::gmNormal);
    graph.SetActive(true);
    // The render result is not examined: an unreadable file counts as loaded with zero length.
    if (w.MovieInfo->DvdMode) graph.RenderDvd(path, 1);
    else graph.RenderFile(path);
    w.zvSoundLevelChange(graph.Volume());
    w.MovieInfo->Opened = true;
    w.MovieInfo->Playing = true;
    w.Publish();
}

void CloseMovie(MainWindow& w) {
    zvMovieInfo& movie = *w.MovieInfo;
    MainWindowModel& m = w.model;
    // 1
    w.Config->latestMovie.clear();
    // 2
    w.platform.video.SetAutoHideCursor(0);
    w.platform.video.RepaintBackground();
    // 3
    w.platform.graph.ClearGraph();
    w.platform.graph.SetActive(false);
    // 4
    movie.Title.clear();
    movie.FileName.clear();
    movie.FullPath.clear();
    movie.Opened = false;
    movie.Playing = false;
    // 5
    m.titleCaption = w.startupTitle;
    w.UIState->MovieClosed = true;
    m.logoVisible = true;
    m.playCaption = kNotPlaying;
    movie.DvdMode = false;
    // 6
    SetProgressMin(w, 0);
    SetProgressPos(w, 0);
    SetProgressMax(w, 1);
    // 7
    if (m.playlist.Count() == 0) w.PlayList->CurrentIndex = -1;
    w.Publish();
}

void AddChosenFiles(MainWindow& w, const QStringList& files, bool firstIndexFromNone) {
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        if (w.model.playlist.IndexOf(ExtractFileName(*it)) >= 0) continue;
        if (firstIndexFromNone && w.PlayList->CurrentIndex == -1) w.PlayList->CurrentIndex = 0;
        AppendEntry(w, *it);
    }
}

void ui_OpenMedia(MainWindow& w) {
    if (w.MovieInfo->Opened) {
        PlayPauseToggle(w);
        return;
    }
    zvPlayListItem& list = *w.PlayList;
    PlaylistBox& box = w.model.playlist;
    // 1
    DebugLog("Loading a new movie...");
    // 2
    const QString latest = w.Config->latestMovie;
    if (!latest.isEmpty() && w.Config->ovRmbLastMovie) {
        if (FileExistsNotDir(latest)) {
            list.CurrentName = ExtractFileName(latest);
            list.CurrentFolder = ExtractFilePath(latest);
            list.Names[0] = list.CurrentName;
            list.Folders[0] = list.CurrentFolder;
            if (box.Count() < kPlaylistSlots) box.items << list.CurrentName;
            box.ItemIndex = 0;
            InitializeMovie(w, list.CurrentFolder + box.items[0].left(255));
        } else {
            Message(w, "Sorry! This file: " + Quoted(latest) + " is NOT exists!");
            w.Config->latestMovie.clear();
        }
    } else {
        // 3
        const QStringList files = w.platform.dialogs.OpenFiles(
            {QStringLiteral("Видео файлы|*.*"), true, true, QString()});
        if (!files.isEmpty()) {
            AddChosenFiles(w, files, false);
            if (box.Count() > 0) {
                box.ItemIndex = 0;
                InitializeMovie(w, list.CurrentFolder + box.items[0].left(255));
                list.CurrentIndex = 0;
                LoadedFine(w);
            }
        }
    }
    // 4
    if (list.CurrentIndex < box.Count() - 1) w.model.playlistNextEnabled = true;
    w.Publish();
}

void ui_OpenMedia1(MainWindow& w) {
    zvPlayListItem& list = *w.PlayList;
    PlaylistBox& box = w.model.playlist;
    const QStringList files = w.platform.dialogs.OpenFiles(
        {QStringLiteral("Видео файлы|*.*"), true, true, QString()});
    if (!files.isEmpty()) {
        AddChosenFiles(w, files, true);
        box.ItemIndex = box.ItemIndex < 0 ? 0 : std::min(box.ItemIndex + 1, box.Count() - 1);
        InitializeMovie(w, files.first());
        if (list.CurrentIndex >= 0) ++list.CurrentIndex;
        LoadedFine(w);
    }
    if (list.CurrentIndex < box.Count() - 1) w.model.playlistNextEnabled = true;
    w.Publish();
}

void Play(MainWindow& w) {
    zvMovieInfo& movie = *w.MovieInfo;
    if (!movie.Opened) return;
    if (movie.Playing) {
        Pause(w);
        return;
    }
    movie.Playing = true;
    w.UIState->PausedByUser = false;
    w.model.playCaption = kPlaying;
    if (!movie.FullScreen && w.Config->ovFullScreenWhenPlayStarted && !w.Config->ovCWZUM)
        ui_MaximizeApp(w);
    w.platform.graph.Play();
    w.Publish();
}

void Pause(MainWindow& w) {
    zvMovieInfo& movie = *w.MovieInfo;
    if (!movie.Playing) return;
    movie.Playing = false;
    w.UIState->PausedByUser = true;
    w.platform.graph.Pause();
    if (w.model.playCaption != kNotPlaying) w.model.playCaption = kNotPlaying;
    w.Publish();
}

void PlayPauseToggle(MainWindow& w) {
    if (!w.MovieInfo->Opened) {
        ui_OpenMedia(w);
        return;
    }
    if (w.MovieInfo->Playing) Pause(w);
    else Play(w);
}

void Stop(MainWindow& w) {
    w.MovieInfo->Playing = false;
    skng_SetVideoToBegin(w);
    w.platform.graph.Stop();
    w.Publish();
}

void PlayTimerTick(MainWindow& w) {
    if (!w.MovieInfo || !w.MovieInfo->Opened) return;
    w.Player->RefreshSeeking(w.platform.graph);
    const RefTime current = w.Player->CurrentPosition();
    const RefTime stop = w.Player->StopPosition();
    w.model.elapsedText = w.Config->mscRvrsPbTime ? "-" + FormatRefTime(false, stop - current)
                                                  : FormatRefTime(false, current);
    SetProgressPos(w, current);
    w.Publish();
}

void FilterGraph1GraphComplete(MainWindow& w) {
    if (!w.MovieInfo || !w.MovieInfo->Opened) return;
    const int count = w.model.playlist.Count();
    if (count == 1) {
        if (w.Config->mscRewindPBOnFinish) skng_SetVideoToBegin(w);
    } else {
        AdvanceAfterEnd(w);
        // The end of the playlist may have closed the program.
        if (!w.MovieInfo) return;
    }
    UpdatePlaylistButtons(w);
}

void SetProgressMin(MainWindow& w, long double value) { w.zvTrackBar.SetMin(value); }

void SetProgressMax(MainWindow& w, long double value) { w.zvTrackBar.SetMax(value); }

void SetProgressPos(MainWindow& w, long double value) {
    w.zvTrackBar.SetPosition(value);
    w.zvTrackBar.SetLoopBegin(value);
}

} // namespace ov
