#include "core/app/MainWindow.h"
#include "support/Harness.h"
#include "core/system/cl_debugLog.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMainView.h"
#include "fakes/FakeMediaGraph.h"
#include "fakes/FakeMisc.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeSystemInfo.h"
#include "fakes/FakeVideoWindow.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;
using ov::test::Harness;

namespace {

// The lines of the start-up sequence after the header, in order.
const QStringList kStartupLines = {
    "Program execution start.",      "Initialize Main Window.",
    "Initialize Orvane Player Engine", "Allocate memory for system objects.",
    "Initialize конфигурасьён.",     "Set UI elements.",
    "Checking system requirements...", "Checking command line...",
};

} // namespace

TEST(Startup, RunsItsStepsInOrder) {
    Harness h;
    h.window->FormCreate();
    const QStringList& lines = h.log.lines;
    ASSERT_GE(lines.size(), 10);
    EXPECT_TRUE(lines[1].startsWith("Orvane Player v1.0 (build 211) Release Candidate"));
    const int headerEnd = lines.indexOf(QString(31, '='));
    ASSERT_GT(headerEnd, 0);
    // The steps' own lines in order; the configuration load adds lines of its own between them.
    QStringList steps;
    for (const QString& line : lines.mid(headerEnd + 1))
        if (kStartupLines.contains(line)) steps << line;
    EXPECT_EQ(steps, kStartupLines);
    EXPECT_LT(lines.indexOf("Initialize конфигурасьён."), lines.indexOf("Set UI elements."));
    // The application hooks come after the title and before the engine.
    EXPECT_EQ(h.view.calls.first(), "HookApplicationEvents");
}

TEST(Startup, SetsUpTheWindow) {
    Harness h;
    h.window->FormCreate();
    const MainWindowModel& m = h.view.model;
    EXPECT_EQ(m.titleCaption, "Orvane Player v1.0 Release Candidate");
    EXPECT_TRUE(m.titleBold);
    EXPECT_EQ(m.playCaption, ">");
    EXPECT_EQ(m.soundLevel, 5000);
    EXPECT_TRUE(m.logoVisible);
    EXPECT_FALSE(m.playlistNextEnabled);
    EXPECT_FALSE(m.playlistPrevEnabled);
    EXPECT_FALSE(m.playlistVisible) << "hidden by the saved default";
    EXPECT_EQ(m.playlistWidth, 107);
    EXPECT_EQ(m.minWidth, 381);
    EXPECT_EQ(m.minHeight, 320);
    const zvProgressBar& bar = h.window->zvTrackBar;
    EXPECT_EQ(bar.Height(), 8);
    EXPECT_EQ(bar.MarkerWidth(), 0);
    EXPECT_EQ(bar.ColorBevelSingle(), Rgb(255, 255, 0));
    EXPECT_EQ(bar.ColorBar(), Rgb(0, 255, 0));
    EXPECT_EQ(bar.ColorLBegin(), clWhite);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(m.overlayFont.family, "Arial");
    EXPECT_EQ(m.overlayFont.weight, 700);
    EXPECT_EQ(h.video.AspectRatio(), AspectMode::rmLetterBox);
    EXPECT_EQ(h.window->PlayTimer.interval(), 100);
    EXPECT_FALSE(h.window->PlayTimer.isActive());
    EXPECT_EQ(h.window->tmrMsClickDiffer.interval(), 150);
}

TEST(Startup, GivesTheRecordsTheirInitialValues) {
    Harness h;
    h.window->FormCreate();
    EXPECT_EQ(h.window->MovieInfo->Volume, 5000);
    EXPECT_EQ(h.window->MovieInfo->Rate, 1.0);
    EXPECT_FALSE(h.window->MovieInfo->Opened);
    EXPECT_FALSE(h.window->UIState->PausedByUser);
    EXPECT_FALSE(h.window->UIState->MovieClosed);
    EXPECT_FALSE(h.window->UIState->PlaylistHiddenForFullScreen);
    EXPECT_TRUE(h.window->UIState->PlaylistHidden);
    EXPECT_EQ(h.window->PlayList->CurrentIndex, -1);
}

TEST(Startup, CentresTheWindowOnThePrimaryScreen) {
    EXPECT_EQ(MainWindow::CentredBounds(1024, 768, 700, 500), (Bounds{162, 134, 700, 500}));
    Harness h;
    h.window->FormCreate();
    EXPECT_EQ(h.view.model.bounds, (Bounds{168, 171, 689, 426}));
}

TEST(Startup, StartBounds) {
    const ScreenProperties screen{1024, 768, 24, 60};
    const Bounds design{0, 0, 700, 500};
    zvOVConfigInfo c;
    EXPECT_EQ(MainWindow::StartBounds(c, screen, design), (Bounds{162, 134, 700, 500}));
    c.wasClosedInFullScreen = 1;
    EXPECT_EQ(MainWindow::StartBounds(c, screen, design), (Bounds{162, 134, 381, 320}));
    c.RmbWndState = 1;
    c.hasWindowBounds = true;
    c.wndPosX = 10;
    c.wndPosY = 20;
    c.wndWidth = 800;
    c.wndHeight = 600;
    EXPECT_EQ(MainWindow::StartBounds(c, screen, design), (Bounds{10, 20, 381, 320}));
    c.wasClosedInFullScreen = 0;
    EXPECT_EQ(MainWindow::StartBounds(c, screen, design), (Bounds{10, 20, 800, 600}));
    c.hasWindowBounds = false;
    EXPECT_EQ(MainWindow::StartBounds(c, screen, design), (Bounds{162, 134, 700, 500}))
        << "remembered but never saved: centred";
}

TEST(Startup, CommandLineRule) {
    QTemporaryDir dir;
    const QString file = dir.filePath("movie.avi");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    struct Case {
        QStringList args;
        QString opened;
    } cases[] = {
        {{}, {}},
        {{file}, file},
        {{file, file}, {}},
        {{dir.path()}, {}},
        {{dir.filePath("missing.avi")}, {}},
    };
    for (const Case& c : cases) {
        Harness h(c.args);
        h.window->FormCreate();
        EXPECT_EQ(h.window->MovieInfo->FullPath, c.opened) << c.args.join(' ').toStdString();
        EXPECT_EQ(h.graph.CountCalls("RenderFile"), c.opened.isEmpty() ? 0 : 1);
        EXPECT_EQ(h.window->model.playlist.items,
                  c.opened.isEmpty() ? QStringList() : QStringList{"movie.avi"});
    }
}

TEST(Startup, FailedChecksAreReportedAndStartupGoesOn) {
    Harness h;
    h.system.mediaFrameworkVersion.clear();
    h.system.soundDeviceCount = 0;
    h.window->FormCreate();
    EXPECT_EQ(h.dialogs.Texts(), (QStringList{"Orvane Player required Direct 9, not lower.",
                                              "No sound card detected!"}));
    EXPECT_TRUE(h.log.lines.contains("Checking command line..."));
}

TEST(Startup, ExitSequenceThenCloseHandler) {
    Harness h;
    h.window->FormCreate();
    h.log.lines.clear();
    h.window->actionCloseProgramClick();
    EXPECT_FALSE(h.view.model.closeButtonEnabled);
    EXPECT_EQ(h.view.calls.last(), "CloseWindow");
    EXPECT_EQ(h.log.lines, (QStringList{"Freeing memory...", "Cleaning hotkeys...",
                                        "Close Component Object Model (COM) library.",
                                        "Close Orvane Player's Media Core."}));
    EXPECT_EQ(h.window->MovieInfo, nullptr);
    EXPECT_EQ(h.window->Config, nullptr);
    EXPECT_NE(h.window->PlayList, nullptr) << "the playlist lives until the process ends";
    h.log.lines.clear();
    h.window->FormDestroy();
    ASSERT_EQ(h.log.lines.size(), 2);
    EXPECT_EQ(h.log.lines[0], "Close Main Window.");
    EXPECT_TRUE(h.log.lines[1].startsWith("Execution stopped. Exit: "));
}
