// Process entry: priority, the one-player rule, then the main window and its message loop.
#include "adapters/desktop/LinuxSystemInfo.h"
#include "adapters/gst/GstMediaGraph.h"
#include "adapters/gst/GstVideoWidget.h"
#include "adapters/mediainfo/MediaInfoLibReader.h"
#include "adapters/qt/LocalInstanceGuard.h"
#include "adapters/qt/QtClipboard.h"
#include "adapters/qt/QtDialogs.h"
#include "adapters/qt/QtShell.h"
#include "adapters/qt/QtTray.h"
#include "core/app/MainWindow.h"
#include "core/system/cl_debugLog.h"
#include "core/system/sys_CPUCaps.h"
#include "ui/OrvaneApplication.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TfrmError.h"

#include <X11/Xlib.h>

int main(int argc, char** argv) {
    // Video sinks may talk to the X server from their own threads.
    XInitThreads();
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    ov::InstallSinkFromEnvironment();

    ov::OrvaneApplication app(argc, argv);
    ov::LinuxSystemInfo system;
    ov::DetectCpuCaps(system.Processor());

    ov::LocalInstanceGuard guard;
    guard.RaisePriority();
    if (guard.BringRunningToFront(QStringLiteral("TForm1"), QStringLiteral("Form1"))) return 0;

    QApplication::setApplicationName(QStringLiteral("Orvane Player"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane Player"));

    ov::GstMediaGraph graph;
    auto* video = new ov::GstVideoWidget;
    graph.SetVideoSinkFactory(video->SinkFactory());
    ov::MediaInfoLibReader mediaInfo;
    ov::QtDialogs dialogs;
    ov::QtShell shell;
    ov::TForm1 form(video);
    dialogs.SetParentWindow(&form);

    // The tray outlives the core that uses it.
    ov::QtClipboard clipboard;
    ov::QtTray tray(&form);
    ov::Platform platform{graph, *video, system, dialogs, shell, form, mediaInfo};
    platform.tray = &tray;
    platform.clipboard = &clipboard;
    platform.showErrorReport = &ov::TfrmError::Open;
    platform.showAboutBox = &ov::TForm2::ShowModal;
    ov::MainWindow core(platform, app.arguments().mid(1));
    form.SetCore(&core);
    guard.OnActivateRequest = [&form] { form.BringToFront(); };

    core.FormCreate();
    form.show();
    const int rc = app.exec();
    core.FormDestroy();
    form.DetachCore();
    return rc;
}
