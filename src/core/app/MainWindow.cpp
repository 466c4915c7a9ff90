#include "core/app/MainWindow.h"

#include "core/actions/MouseDispatch.h"
#include "core/app/OverlayText.h"
#include "core/app/TrayLogic.h"
#include "core/actions/sys_HotkeyUtils.h"
#include "core/app/ProgramFolder.h"
#include "core/config/cl_ConfigFile.h"
#include "core/playback/cl_playFunctions.h"
#include "core/system/cl_debugLog.h"
#include "core/system/sys_SysUtils.h"
#include "ports/Dialogs.h"
#include "ports/MediaGraph.h"
#include "ports/SystemInfo.h"
#include "ports/VideoWindow.h"

#include <QFileInfo>

namespace ov {

namespace {
const QString kProductName = QStringLiteral("Orvane Player");
const QString kReleaseTag = QStringLiteral("Release Candidate");
constexpr int kMinWidth = 381;
constexpr int kMinHeight = 320;
} // namespace

MainWindow::MainWindow(Platform p, QStringList arguments)
    : platform(p), errorReporter(p.system, p.clipboard, p.showErrorReport),
      VFVideoInfo1(p.mediaInfo), arguments_(std::move(arguments)) {
    QObject::connect(&PlayTimer, &QTimer::timeout, [this] { PlayTimerTick(*this); });
    Timer2.setInterval(1000);
    QObject::connect(&Timer2, &QTimer::timeout, [this] { OverlayTimerTick(*this); });
    platform.graph.events.OnGraphComplete = [this] { FilterGraph1GraphComplete(*this); };
    QObject::connect(&tmrMsClickDiffer, &QTimer::timeout, [this] { ClickTimerFired(*this); });
    msHideSecsRestoreTimer.setInterval(1000);
    QObject::connect(&msHideSecsRestoreTimer, &QTimer::timeout,
                     [this] { CursorRestoreTimerFired(*this); });
    VideoWindowEvents& video = platform.video.events;
    video.OnMouseDown = [this](const VideoMouseEvent& e) { VideoMouseDown(*this, e); };
    video.OnMouseMove = [this](const VideoMouseEvent& e) { VideoMouseMove(*this, e); };
    video.OnMouseUp = [this](const VideoMouseEvent& e) { VideoMouseUp(*this, e); };
    video.OnDblClick = [this](const VideoMouseEvent& e) { VideoDblClick(*this, e); };
    // The seek bar's design values; start-up gives it the player's look.
    zvTrackBar.SetColorBar(clYellow);
    zvTrackBar.SetColorLBegin(clAqua);
    zvTrackBar.SetColorLEnd(clFuchsia);
    zvTrackBar.SetColorLoop(clLime);
    zvTrackBar.SetColorBorder(clYellow);
    zvTrackBar.SetBorderWidth(1);
    zvTrackBar.SetBevelOuterWidth(0);
    zvTrackBar.SetPosition(50);
    zvTrackBar.SetMax(100);
    zvTrackBar.SetLoopEnd(100);
    zvTrackBar.SetPositionDefault(50);
    zvTrackBar.SetBounds(676, 15);
}

MainWindow::~MainWindow() = default;

void MainWindow::Publish() { platform.view.Render(model); }

void MainWindow::FormCreate() {
    try {
        StartupSequence();
    } catch (const std::exception& e) {
        // The remaining steps are skipped; the window opens with what is set up so far.
        AppException(e);
    }
    Publish();
}

void MainWindow::StartupSequence() {
    // 1
    DebugLogHeader(platform.system);
    DebugLog("Program execution start.");
    DebugLog("Initialize Main Window.");
    // 2
    SetDateSeparator(QLatin1Char('.'));
    // 3
    startupTitle = kProductName + " v" + GetProgramVersion(platform.system, 3) + " " + kReleaseTag;
    model.titleCaption = startupTitle;
    model.titleBold = true;
    // 4
    platform.view.HookApplicationEvents();
    if (platform.tray) ShowTrayIcon(*platform.tray, platform.system);
    // 5
    DebugLog("Initialize Orvane Player Engine");
    Actions = std::make_unique<ovActions>(*this);
    Player = std::make_unique<zvOrvanePlayer>();
    // 6
    DebugLog("Allocate memory for system objects.");
    MovieInfo = std::make_unique<zvMovieInfo>();
    UIState = std::make_unique<zvUIState>();
    PlayList = std::make_unique<zvPlayListItem>();
    // 7
    DebugLog("Initialize конфигурасьён.");
    ConfigFile = std::make_unique<ConfigFileContext>(ProgramFolder(), platform.shell, platform.dialogs);
    Config = LoadConfiguration(*ConfigFile);
    LoadHotkeys(Actions->Keys, *ConfigFile);
    // 8
    *MovieInfo = zvMovieInfo{};
    MovieInfo->Volume = static_cast<std::int16_t>(Config->volume);
    MovieInfo->Rate = 1.0;
    *UIState = zvUIState{};
    UIState->PlaylistHidden = Config->playlistIsClosed != 0;
    PlayList->CurrentName.clear();
    PlayList->DroppedPath.clear();
    PlayList->CurrentFolder.clear();
    PlayList->CurrentIndex = -1;
    // 9
    DebugLog("Set UI elements.");
    model.playCaption = QStringLiteral(">");
    zvSoundLevelChange(MovieInfo->Volume);
    model.logoVisible = true;
    model.playlistNextEnabled = false;
    model.playlistPrevEnabled = false;
    platform.video.SetAspectRatio(AspectMode::rmLetterBox);
    // 10
    model.minWidth = kMinWidth;
    model.minHeight = kMinHeight;
    zvTrackBar.SetHeight(8);
    zvTrackBar.SetColorBackground(clWhite);
    zvTrackBar.SetColorLBegin(clWhite);
    zvTrackBar.SetColorLoop(clBlack);
    zvTrackBar.SetColorBorder(clBlack);
    zvTrackBar.SetColorBevelSingle(Rgb(255, 255, 0));
    zvTrackBar.SetColorBar(Rgb(0, 255, 0));
    zvTrackBar.SetMarkerWidth(0);
    // 11
    model.hintPauseMs = 800;
    model.hintHidePauseMs = 30000;
    // 12: the shutdown countdown dialog is created hidden with the application.
    // 13
    SetProgressMin(*this, 0);
    SetProgressPos(*this, 0);
    // 14
    model.playlistVisible = !UIState->PlaylistHidden;
    model.playlistWidth = Config->asPlaylistWidth;
    model.timeLineText.clear();
    // 15: double buffering is the view's own.
    // 16
    SetBounds(StartBounds(*Config, platform.system.PrimaryScreen(), model.bounds));
    // 17
    tmrMsClickDiffer.setInterval(150);
    tmrMsClickDiffer.stop();
    PlayTimer.setInterval(100);
    PlayTimer.stop();
    // 18
    model.overlayFont = {QStringLiteral("Arial"), 15, 7, 700, true};
    onScreenFontCreated = true;
    Publish();
    // 19
    DebugLog("Checking system requirements...");
    CheckSystemRequirements(platform.system, platform.dialogs, [this] { CloseMovie(*this); });
    // 20
    DebugLog("Checking command line...");
    const QString file = CommandLineFile(arguments_);
    if (!file.isEmpty()) OpenFromCommandLine(file);
    // 21: the saved playlist, when remembered, is loaded after the command-line file.
}

Bounds MainWindow::CentredBounds(int screenWidth, int screenHeight, int width, int height) {
    return {screenWidth / 2 - width / 2, screenHeight / 2 - height / 2, width, height};
}

Bounds MainWindow::StartBounds(const zvOVConfigInfo& config, const ScreenProperties& screen,
                               const Bounds& design) {
    Bounds bounds = config.RmbWndState && config.hasWindowBounds
                        ? Bounds{config.wndPosX, config.wndPosY, config.wndWidth, config.wndHeight}
                        : CentredBounds(screen.width, screen.height, design.width, design.height);
    if (config.wasClosedInFullScreen) {
        bounds.width = kMinWidth;
        bounds.height = kMinHeight;
    }
    return bounds;
}

QString MainWindow::CommandLineFile(const QStringList& arguments) {
    if (arguments.size() != 1) return {};
    const QFileInfo info(arguments.first());
    if (!info.exists() || info.isDir()) return {};
    return arguments.first();
}

void MainWindow::OpenFromCommandLine(const QString& path) { OpenMedia(*this, path, true); }

void MainWindow::actionCloseProgramClick() {
    model.closeButtonEnabled = false;
    Publish();
    ExitProgram();
}

void MainWindow::ExitProgram() {
    // 1: the resume position is stored by the resume cache when a movie is loaded.
    if (MovieInfo && MovieInfo->Opened && Config && Config->ovSeekToLastStop)
        DebugLog("Trying to save current video pos.");
    // 2
    if (ConfigFile && Config) SaveAutosave(*ConfigFile, *Config, AutosaveStateOf(*this));
    // 3
    ShowOverlayText(*this, QString(), 3, 0);
    // 4: the playlist file is written by the playlist when it is remembered.
    // 5
    platform.view.CloseWindow();
}

void MainWindow::FormClose() {
    // 1
    if (MovieInfo && (MovieInfo->Opened || MovieInfo->Playing)) {
        DebugLog("Closing a movie...");
        CloseMovie(*this);
    }
    // 2
    DebugLog("Freeing memory...");
    platform.graph.ClearGraph();
    platform.graph.SetActive(false);
    // 3
    PlayTimer.stop();
    Timer2.stop();
    MovieInfo.reset();
    UIState.reset();
    Config.reset();
    if (Actions) ClearHotkeys(Actions->Keys);
    Actions.reset();
    Player.reset();
    onScreenFontCreated = false;
}

void MainWindow::FormDestroy() {
    if (platform.tray) platform.tray->SetVisible(false);
    DebugLog("Close Main Window.");
    DebugLogStop();
}

void MainWindow::SetBounds(const Bounds& bounds) {
    model.bounds = bounds;
    ++model.boundsSerial;
}

void MainWindow::PlaylistPanelResized(int width) { model.playlistWidth = width; }

void MainWindow::zvSoundLevelChange(int position) {
    model.soundLevel = std::clamp(position, 0, 10000);
    platform.graph.SetVolume(model.soundLevel);
}

void MainWindow::AppException(const std::exception& error, const QString& senderClass) {
    errorReporter.Report(error, senderClass);
}

} // namespace ov
