// The real main window, offscreen, over fake ports.
#include "core/app/MainWindow.h"
#include "core/config/sys_Types.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMediaGraph.h"
#include "fakes/FakeMisc.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeSystemInfo.h"
#include "fakes/FakeVideoWindow.h"
#include "ui/OrvaneApplication.h"
#include "ui/TForm1.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

using namespace ov;

namespace {

// Notes what the list shows at the moment the aspect mode changes.
class WatchingVideoWindow : public test::FakeVideoWindow {
public:
    void SetAspectRatio(AspectMode mode) override {
        if (onAspect) onAspect();
        FakeVideoWindow::SetAspectRatio(mode);
    }
    std::function<void()> onAspect;
};

struct Gui {
    Gui() {
        qputenv("ORVANE_HOME", home.path().toUtf8());
        form = std::make_unique<TForm1>(new QWidget);
        core = std::make_unique<MainWindow>(
            Platform{graph, video, system, dialogs, shell, *form, mediaInfo}, QStringList{});
        form->SetCore(core.get());
        core->FormCreate();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    ~Gui() {
        form->close();
        core->FormDestroy();
        form->DetachCore();
    }

    QTemporaryDir home;
    test::FakeMediaGraph graph;
    WatchingVideoWindow video;
    test::FakeSystemInfo system;
    test::FakeDialogs dialogs;
    test::FakeShell shell;
    test::FakeMediaInfoReader mediaInfo;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<MainWindow> core;
};

} // namespace

TEST(MainWindowGui, StartsWithItsPanelsAndTitle) {
    Gui g;
    EXPECT_TRUE(g.form->Panel1->isVisible());
    EXPECT_TRUE(g.form->Panel2->isVisible());
    EXPECT_TRUE(g.form->Image1->isVisible());
    EXPECT_FALSE(g.form->plUIElementsPanel->isVisible());
    EXPECT_EQ(g.form->PlayMovie->text(), ">");
    EXPECT_TRUE(g.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(g.form->windowTitle(), "Form1");
    EXPECT_EQ(g.form->minimumWidth(), 381);
}

TEST(MainWindowGui, RightClickHidesEveryPanel) {
    Gui g;
    g.core->Config->mRBtn = 1;
    QTest::mouseClick(g.form->MainVideoScreen, Qt::RightButton);
    EXPECT_FALSE(g.form->Panel1->isVisible());
    EXPECT_FALSE(g.form->Panel2->isVisible());
    QTest::mouseClick(g.form->MainVideoScreen, Qt::RightButton);
    EXPECT_TRUE(g.form->Panel1->isVisible());
    EXPECT_TRUE(g.form->Panel2->isVisible());
}

TEST(MainWindowGui, KeyReachesItsActionBeforeTheFocusedList) {
    Gui g;
    g.core->model.playlist.items = {"1.avi", "2.avi"};
    g.core->model.playlist.ItemIndex = 0;
    g.core->model.playlistVisible = true;
    g.core->Publish();
    g.form->ListBox1->setFocus();
    int rowWhenActionRan = -2;
    g.video.onAspect = [&] { rowWhenActionRan = g.form->ListBox1->currentRow(); };
    QTest::keyClick(g.form->ListBox1, Qt::Key_2);
    EXPECT_EQ(g.video.aspect, AspectMode::rmStretched) << "the binding of 2 ran";
    EXPECT_EQ(rowWhenActionRan, 0) << "before the list saw the key";
    EXPECT_EQ(g.form->ListBox1->currentRow(), 1) << "and the list still got it";
    // A key passed on from the list to its parents still runs its action once.
    QTest::keyClick(g.form->ListBox1, Qt::Key_M);
    EXPECT_TRUE(g.core->MovieInfo->Muted);
}

TEST(MainWindowGui, CloseButtonRunsTheExitSequence) {
    Gui g;
    QTest::mouseClick(g.form->actionCloseProgram, Qt::LeftButton);
    EXPECT_FALSE(g.form->isVisible());
    EXPECT_EQ(g.core->MovieInfo, nullptr) << "the close handler released the records";
    EXPECT_TRUE(QFile::exists(g.home.filePath("OV.xml")));
}
