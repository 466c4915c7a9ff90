#pragma once
#include "core/actions/ov_ProgramActions.h"
#include "core/app/MainView.h"
#include "core/app/MainWindowModel.h"
#include "core/app/ui_About.h"
#include "core/app/ui_Error.h"
#include "core/app/UIState.h"
#include "core/config/cl_ConfigFile.h"
#include "core/config/sys_Types.h"
#include "core/controls/sys_zvProgressBar.h"
#include "core/playback/MovieInfo.h"
#include "core/mediainfo/TVFVideoInfo.h"
#include "core/playback/cl_DirectShow.h"
#include "core/playlist/PlayListItem.h"
#include "ports/SystemInfo.h"

#include <QStringList>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>

namespace ov {

class MediaGraph;
class VideoWindow;
class SystemInfo;
class Dialogs;
class Shell;
class MediaInfoReader;
class Tray;
class Clipboard;

// The platform the main window works through.
struct Platform {
    MediaGraph& graph;
    VideoWindow& video;
    SystemInfo& system;
    Dialogs& dialogs;
    Shell& shell;
    MainView& view;
    MediaInfoReader& mediaInfo;
    // The notification-area icon (it copes itself where the desktop has none).
    Tray* tray = nullptr;
    Clipboard* clipboard = nullptr;
    ShowErrorReport showErrorReport{};
    ShowAboutBox showAboutBox{};
};

// The main window's behaviour: start-up, the exit sequence and the close handling. It owns the
// process-wide objects and records from start-up until the close handler releases them.
class MainWindow {
public:
    MainWindow(Platform platform, QStringList arguments);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The creation handler: the start-up sequence.
    void FormCreate();
    // The exit sequence of the close button and the exit action.
    void ExitProgram();
    // The close button "X": disables itself, then exits.
    void actionCloseProgramClick();
    // Runs whenever the main window closes, whatever asked for it.
    void FormClose();
    // The destruction handler.
    void FormDestroy();

    // Places the window where the core wants it; the view applies it on the next render.
    void SetBounds(const Bounds& bounds);

    // The user dragged the splitter: the playlist panel's width, saved at exit.
    void PlaylistPanelResized(int width);

    // The volume slider moved, by the user or by the program: the graph follows.
    void zvSoundLevelChange(int position);

    // Unhandled exceptions from event handlers end here.
    void AppException(const std::exception& error, const QString& senderClass = {});

    // The command-line file: added to the playlist and opened.
    void OpenFromCommandLine(const QString& path);

    // The command-line rule: exactly one argument naming an existing file that is not a folder.
    static QString CommandLineFile(const QStringList& arguments);
    // Centred placement on a screen of the given size.
    static Bounds CentredBounds(int screenWidth, int screenHeight, int width, int height);
    // Where the window starts: saved bounds when remembered, else centred; small when it was
    // closed in full screen.
    static Bounds StartBounds(const zvOVConfigInfo& config, const ScreenProperties& screen,
                              const Bounds& design);

    // Shows the model's current state in the view.
    void Publish();
    // What the view shows; written by the core only.
    MainWindowModel model;

    // Process-wide objects and records.
    std::unique_ptr<ovActions> Actions;
    std::unique_ptr<zvOrvanePlayer> Player;
    std::unique_ptr<zvMovieInfo> MovieInfo;
    std::unique_ptr<zvUIState> UIState;
    std::unique_ptr<zvPlayListItem> PlayList;
    std::unique_ptr<zvOVConfigInfo> Config;
    // Where OV.xml lives and what reading and writing it needs.
    std::unique_ptr<ConfigFileContext> ConfigFile;
    bool onScreenFontCreated = false;
    // Remaining ticks of the on-screen text.
    std::uint8_t overlayCountdown = 0;
    // The next left release ends a double click and is no click of its own.
    bool clickEndsDoubleClick = false;
    // The title panel's text at start-up, shown again when a movie closes.
    QString startupTitle;

    // The seek bar's state; the view paints it.
    zvProgressBar zvTrackBar;

    QTimer PlayTimer;
    QTimer tmrMsClickDiffer;
    QTimer msHideSecsRestoreTimer;
    QTimer Timer2;

    Platform platform;
    // Reports of exceptions that escaped an event handler.
    ErrorReporter errorReporter;
    // The media-information component.
    TVFVideoInfo VFVideoInfo1;

private:
    void StartupSequence();

    QStringList arguments_;
};

} // namespace ov
