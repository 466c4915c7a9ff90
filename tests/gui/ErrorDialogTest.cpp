#include "adapters/qt/QtClipboard.h"
#include "adapters/qt/QtTray.h"
#include "core/app/Error.h"
#include "core/app/ui_About.h"
#include "core/app/ui_Error.h"
#include "fakes/FakeSystemInfo.h"
#include "support/TestSupport.h"
#include "ui/TForm2.h"
#include "ui/TfrmError.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace ov {
namespace {

// A reporter whose dialogs are the real ones; ending the process is only recorded.
struct ErrorDialogFixture : ::testing::Test {
    ErrorDialogFixture() { system.programVersion = ProgramVersion{1, 0, 0, 211}; }
    ~ErrorDialogFixture() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmError*>(w)) delete w;
    }

    QPointer<TfrmError> Raise(const std::exception& error) {
        reporter.Report(error);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TfrmError*>(w); dialog && dialog->isVisible())
                return dialog;
        return nullptr;
    }

    test::FakeSystemInfo system;
    QtClipboard clipboard;
    std::vector<int> exitCodes;
    ErrorReporter reporter{system, &clipboard, &TfrmError::Open,
                           [this](int code) { exitCodes.push_back(code); }};
};

TEST_F(ErrorDialogFixture, ShowsTheReportAndCopiesAllOfIt) {
    const QPointer<TfrmError> dialog = Raise(Error("Contrast 20000 is out of range"));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "CRASH? :'(");
    EXPECT_EQ(dialog->size(), QSize(362, 315));
    const QStringList shown = dialog->memInfo->toPlainText().split('\n');
    ASSERT_EQ(shown.size(), 6);
    EXPECT_EQ(shown, dialog->Report().Lines());
    EXPECT_EQ(shown[4], "Contrast 20000 is out of range");
    EXPECT_EQ(shown[5], "ov::Error");

    QApplication::clipboard()->clear();
    QTest::mouseClick(dialog->btnCopy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().split('\n'), shown);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(exitCodes.empty());
}

TEST_F(ErrorDialogFixture, ContinueClosesAndFreesTerminateEnds) {
    const struct {
        const char* gesture;
        std::function<void(TfrmError&)> run;
        bool ends;
    } cases[] = {
        {"Continue", [](TfrmError& d) { QTest::mouseClick(d.btnOk, Qt::LeftButton); }, false},
        {"Esc", [](TfrmError& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); }, false},
        {"window closed", [](TfrmError& d) { d.close(); }, false},
        {"Terminate", [](TfrmError& d) { QTest::mouseClick(d.btnTerminate, Qt::LeftButton); },
         true},
        // The report has the focus at first; Enter goes past it to Terminate.
        {"Enter", [](TfrmError& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gesture);
        exitCodes.clear();
        const QPointer<TfrmError> dialog = Raise(std::runtime_error(c.gesture));
        ASSERT_TRUE(dialog);
        ASSERT_EQ(dialog->focusWidget(), dialog->memInfo);
        c.run(*dialog);
        if (c.ends) {
            EXPECT_EQ(exitCodes, std::vector<int>{kTerminateExitCode});
            delete dialog.data();
        } else {
            EXPECT_TRUE(exitCodes.empty());
            EXPECT_TRUE(QTest::qWaitFor([&dialog] { return dialog.isNull(); }, 2000));
        }
    }
}

TEST_F(ErrorDialogFixture, EveryExceptionGetsItsOwnDialog) {
    const QPointer<TfrmError> first = Raise(std::runtime_error("first"));
    reporter.Report(std::runtime_error("second"));
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmError*>(w) && w->isVisible()) ++open;
    EXPECT_EQ(open, 2);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Report().Lines()[4], "first");
}

TEST(AboutBox, TwiceOpensTwoBoxesOneAfterTheOther) {
    test::FakeSystemInfo system;
    system.programVersion = ProgramVersion{1, 0, 0, 211};
    QStringList titles;
    QList<QPointer<QWidget>> boxes;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_TRUE(box);
            titles << box->windowTitle();
            boxes << box;
            EXPECT_EQ(box->size(), QSize(380, 177));
            box->close();
        });
        ShowAbout(system, &TForm2::ShowModal);
    }
    EXPECT_EQ(titles, QStringList(2, "Orvane Player v1.0 (build 211), RC 1"));
    // Each box is freed when it closes.
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0].isNull());
    EXPECT_TRUE(boxes[1].isNull());
}

TEST(QtTray, HidingWorksWithoutANotificationArea) {
    QWidget window;
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QtTray tray(&window);
    tray.SetHint("Orvane Player v1.0.211, RC 1");
    tray.SetVisible(true);
    EXPECT_EQ(tray.Hint(), "Orvane Player v1.0.211, RC 1");
    EXPECT_FALSE(tray.MainWindowHidden());

    tray.HideMainWindow();
    EXPECT_TRUE(tray.MainWindowHidden());
    // Without a tray the window stays reachable from the taskbar.
    if (!QtTray::Available()) {
        EXPECT_TRUE(window.isMinimized());
    }

    tray.RestoreMainWindow();
    EXPECT_FALSE(tray.MainWindowHidden());
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace ov
