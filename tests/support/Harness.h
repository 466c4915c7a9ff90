#pragma once
#include "core/app/MainWindow.h"
#include "core/system/cl_debugLog.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMainView.h"
#include "fakes/FakeMediaGraph.h"
#include "fakes/FakeMisc.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeSystemInfo.h"
#include "fakes/FakeVideoWindow.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <memory>

namespace ov::test {

// One main window over fakes, with the debug log recorded.
struct Harness {
    explicit Harness(QStringList args = {}) {
        // Each main window gets a program folder of its own, so no test sees another's OV.xml.
        previousHome = qgetenv("ORVANE_HOME");
        qputenv("ORVANE_HOME", home.path().toUtf8());
        system.mediaFrameworkVersion = "4.09.00.0904";
        system.soundDeviceCount = 1;
        system.programVersion = ProgramVersion{1, 0, 0, 211};
        system.primaryScreen = {1024, 768, 24, 60};
        SetLogSink(&log);
        window = std::make_unique<MainWindow>(
            Platform{graph, video, system, dialogs, shell, view, mediaInfo}, std::move(args));
        view.onClose = [this] { window->FormClose(); };
    }
    ~Harness() {
        SetLogSink(nullptr);
        qputenv("ORVANE_HOME", previousHome);
    }

    QTemporaryDir home;
    QByteArray previousHome;

    RecordingLogSink log;
    FakeMediaGraph graph;
    FakeVideoWindow video;
    FakeSystemInfo system;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeMainView view;
    FakeMediaInfoReader mediaInfo;
    std::unique_ptr<MainWindow> window;
};

} // namespace ov::test
