#include "core/app/MainWindow.h"

#include "core/config/cl_ConfigFile.h"
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
    : platform(p), arguments_(std::move(arguments)) {
    for (QTimer* t : {&PlayTimer, &tmrMsClickDiffer, &msHideSecsRestoreTimer, &Timer2})
        t->stop();
}

MainWindow::~MainWindow() = default;

void MainWindow::Publish() { platform.view.Render(model_); }

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
    model_.titleCaption =
        kProductName + " v" + GetProgramVersion(platform.system, 3) + " " + kReleaseTag;
    model_.titleBold = true;
    // 4
    platform.view.HookApplicationEvents();
    // 5
    DebugLog("Initialize Orvane Player Engine");
    Actions = std::make_unique<ovActions>();
    Player = std::make_unique<zvOrvanePlayer>();
    // 6
    DebugLog("Allocate memory for system objects.");
    MovieInfo = std::make_unique<zvMovieInfo>();
    UIState = std::make_unique<zvUIState>();
    PlayList = std::make_unique<zvPlayListItem>();
    // 7
    DebugLog("Initialize конфигурасьён.");
    Config = LoadConfiguration(platform.shell);
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
    model_.playCaption = QStringLiteral(">");
    model_.soundLevel = MovieInfo->Volume;
    model_.logoVisible = true;
    model_.playlistNextPrevEnabled = false;
    platform.video.SetAspectRatio(AspectMode::rmLetterBox);
    // 10
    model_.minWidth = kMinWidth;
    model_.minHeight = kMinHeight;
    model_.seekBar.height = 8;
    model_.seekBar.colorBackground = Rgb(255, 255, 255);
    model_.seekBar.colorLBegin = Rgb(255, 255, 255);
    model_.seekBar.colorLoop = Rgb(0, 0, 0);
    model_.seekBar.colorBorder = Rgb(0, 0, 0);
    model_.seekBar.colorBevelSingle = Rgb(255, 255, 0);
    model_.seekBar.colorBar = Rgb(0, 255, 0);
    model_.seekBar.markerWidth = 0;
    // 11
    model_.hintPauseMs = 800;
    model_.hintHidePauseMs = 30000;
    // 12: the shutdown countdown dialog is created hidden with the application.
    // 13
    model_.seekBar.min = 0;
    model_.seekBar.position = 0;
    // 14
    model_.playlistVisible = !UIState->PlaylistHidden;
    model_.playlistWidth = Config->asPlaylistWidth;
    model_.timeLineText.clear();
    // 15: double buffering is the view's own.
    // 16
    model_.bounds = StartBounds(*Config, platform.system.PrimaryScreen(), model_.bounds);
    // 17
    tmrMsClickDiffer.setInterval(150);
    tmrMsClickDiffer.stop();
    PlayTimer.setInterval(100);
    PlayTimer.stop();
    // 18
    model_.overlayFont = {QStringLiteral("Arial"), 15, 7, 700, true};
    onScreenFontCreated = true;
    Publish();
    // 19
    DebugLog("Checking system requirements...");
    CheckSystemRequirements(platform.system, platform.dialogs, [this] { CloseMovie(); });
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

void MainWindow::OpenFromCommandLine(const QString& path) {
    if (onOpenFromCommandLine) onOpenFromCommandLine(path);
}

void MainWindow::CloseMovie() {
    // Closing forgets the remembered last movie, so a failed check does not reopen it.
    if (Config) Config->latestMovie.clear();
    if (MovieInfo) {
        MovieInfo->Opened = false;
        MovieInfo->Playing = false;
    }
}

void MainWindow::actionCloseProgramClick() {
    model_.closeButtonEnabled = false;
    Publish();
    ExitProgram();
}

void MainWindow::ExitProgram() {
    // 1: the resume position is stored by the resume cache when a movie is loaded.
    if (MovieInfo && MovieInfo->Opened && Config && Config->ovSeekToLastStop)
        DebugLog("Trying to save current video pos.");
    // 2 to 4: autosave, on-screen text and playlist file are written by their owners.
    // 5
    platform.view.CloseWindow();
}

void MainWindow::FormClose() {
    // 1
    if (MovieInfo && (MovieInfo->Opened || MovieInfo->Playing)) {
        DebugLog("Closing a movie...");
        CloseMovie();
    }
    // 2
    DebugLog("Freeing memory...");
    platform.graph.ClearGraph();
    platform.graph.SetActive(false);
    // 3
    PlayTimer.stop();
    MovieInfo.reset();
    UIState.reset();
    Config.reset();
    DebugLog("Cleaning hotkeys...");
    Actions.reset();
    Player.reset();
    onScreenFontCreated = false;
}

void MainWindow::FormDestroy() {
    DebugLog("Close Main Window.");
    DebugLogStop();
}

void MainWindow::AppException(const std::exception& error) {
    DebugLog(QStringLiteral("*FAIL* ") + QString::fromStdString(error.what()));
    platform.dialogs.MessageBox(QString::fromStdString(error.what()), kProductName);
}

} // namespace ov
