#include "core/app/TrayLogic.h"

#include "core/app/ui_About.h"
#include "core/playback/MovieInfo.h"
#include "core/system/sys_SysUtils.h"
#include "ports/MediaGraph.h"

#include <algorithm>

namespace ov {

QString TrayIdleHint(SystemInfo& system) {
    return ProductName() + QStringLiteral(" v") + GetProgramVersion(system, 2) +
           QStringLiteral(", ") + ReleaseTag();
}

void ShowTrayIcon(Tray& tray, SystemInfo& system) {
    tray.SetHint(TrayIdleHint(system));
    tray.SetVisible(true);
}

void ShowBalloon(Tray& tray, const QString& text, const QString& title, BalloonIcon icon,
                 int seconds) {
    // A negative time would read as "forever" to some notification services.
    tray.ShowBalloon(title, text, icon, std::clamp(seconds, 0, 24 * 3600) * 1000);
}

void HideToTray(Tray& tray, MediaGraph& graph, SystemInfo& system, zvMovieInfo& movie,
                bool pauseWhenMinimized) {
    if (tray.MainWindowHidden()) {
        tray.RestoreMainWindow();
        return;
    }
    // Only the graph pauses; the movie's playing and paused-by-user flags stay as they are.
    if (pauseWhenMinimized && movie.Opened) graph.Pause();
    tray.SetHint(movie.Opened ? movie.Title : TrayIdleHint(system));
    if (movie.Title.isEmpty()) movie.Title = QStringLiteral("No movie loaded!");
    ShowBalloon(tray, movie.Title, QStringLiteral("Right now you are looking:"), BalloonIcon::Info,
                kBalloonSeconds);
    tray.HideMainWindow();
}

} // namespace ov
