#include "adapters/gst/GstVideoWidget.h"
#include "adapters/desktop/ScreenSaverInhibitor.h"
#include "adapters/gst/GstMediaGraph.h"
#include "support/TestSupport.h"
#include "support/Waiting.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace ov {

using test::WaitUntil;
namespace {

// How long a condition may take on a loaded machine before it counts as never.
constexpr int kPatience = 15000;

bool IsBlack(QRgb c) {
    return qRed(c) < 16 && qGreen(c) < 16 && qBlue(c) < 16;
}

// The share of pixels in the rectangle that are not black.
double LitShare(const QImage& image, const QRect& r) {
    int lit = 0;
    int all = 0;
    for (int y = r.top(); y <= r.bottom(); y += 2)
        for (int x = r.left(); x <= r.right(); x += 2, ++all)
            if (!IsBlack(image.pixel(x, y))) ++lit;
    return all ? double(lit) / all : 0;
}

class GstVideoWidgetTest : public ::testing::Test {
protected:
    GstVideoWidgetTest() {
        widget = std::make_unique<GstVideoWidget>();
        widget->resize(400, 400);
        widget->show();
        graph.SetVideoWindow(widget.get());
        graph.SetActive(true);
    }

    // Renders and plays the clip until a few frames reached the widget.
    void PlayClip(const QString& clip) {
        ASSERT_EQ(graph.RenderFile(clip), S_OK);
        ASSERT_GE(graph.Play(), 0);
        const quint64 before = widget->FramesReceived();
        ASSERT_TRUE(WaitUntil([&] { return widget->FramesReceived() > before + 5; }, kPatience));
        QTest::qWait(50);
    }

    // Renders the clip and plays it, or pauses on its picture at 1 s, until it is painted.
    void ShowClip(const QString& clip, bool playing) {
        if (playing) {
            PlayClip(clip);
            return;
        }
        ASSERT_EQ(graph.RenderFile(clip), S_OK);
        ASSERT_EQ(graph.Pause(), S_OK);
        ASSERT_EQ(graph.QuerySeeking()->SetPositions(RefTimePerSecond,
                                                     SeekingFlags::AM_SEEKING_AbsolutePositioning,
                                                     0, SeekingFlags::AM_SEEKING_NoPositioning),
                  S_OK);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return !graph.SeekInFlight() && widget->FrameTimeNs() >= 900000000 &&
                       widget->FramesPainted() > 0;
            },
            kPatience));
        QTest::qWait(50);
    }

    GstMediaGraph graph;
    std::unique_ptr<GstVideoWidget> widget;
};

TEST_F(GstVideoWidgetTest, PaintsThePictureLetterBoxedWithBlackBars) {
    REQUIRE_FIXTURE(clip, "clip-2s.mp4");
    // A child like the logo or the on-screen text must stay visible above the picture.
    QLabel child(widget.get());
    child.setAutoFillBackground(true);
    child.setStyleSheet("background: rgb(255, 0, 0)");
    child.setGeometry(180, 180, 40, 40);
    child.show();

    PlayClip(clip);
    // 320x240 in 400x400: 400x300 centred, bars of 50 above and below.
    EXPECT_EQ(widget->PictureArea(), (VideoRect{0, 50, 400, 300}));
    EXPECT_TRUE(WaitUntil([&] { return widget->FrameSize() == QSize(400, 300); }, kPatience))
        << "frames come scaled to the painted size";

    const QImage shot = widget->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(400, 400));
    EXPECT_EQ(LitShare(shot, {0, 0, 400, 50}), 0.0) << "top bar";
    EXPECT_EQ(LitShare(shot, {0, 350, 400, 50}), 0.0) << "bottom bar";
    EXPECT_GT(LitShare(shot, {0, 50, 400, 200}), 0.9) << "colour bars of the picture";
    EXPECT_EQ(shot.pixel(200, 200), qRgb(255, 0, 0)) << "child on top";

    // Closing the movie: the old frame must not linger.
    graph.ClearGraph();
    widget->RepaintBackground();
    const QImage cleared = widget->grab().toImage();
    EXPECT_EQ(LitShare(cleared, {0, 0, 400, 170}), 0.0);
    EXPECT_EQ(LitShare(cleared, {0, 230, 400, 170}), 0.0);
    EXPECT_EQ(cleared.pixel(200, 200), qRgb(255, 0, 0));
}

// The colour bars of the test pattern, told apart by their blue.
bool IsGreyBar(QRgb c) {
    return qRed(c) > 128 && qGreen(c) > 128 && qBlue(c) > 128;
}
bool IsYellowBar(QRgb c) {
    return qRed(c) > 128 && qGreen(c) > 128 && qBlue(c) < 64;
}

// Playing, each change reaches the next frames; paused, the same picture is made again.
// Conditions are waited for (generously: a loaded machine is slow) rather than slept on.
TEST_F(GstVideoWidgetTest, AspectModesAndResizesReachThePicture) {
    REQUIRE_FIXTURE(clip, "gop-10s.mp4");
    const struct {
        const char* name;
        bool playing;
    } cases[] = {{"playing", true}, {"paused", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        widget->resize(400, 400);
        widget->SetAspectRatio(AspectMode::rmLetterBox);
        widget->SetDigitalZoom(0);
        ShowClip(clip, c.playing);
        const auto shows = [&](QSize size, QPoint at, bool (*colour)(QRgb)) {
            return WaitUntil(
                [&] {
                    return widget->FrameSize() == size &&
                           colour(widget->grab().toImage().pixel(at));
                },
                kPatience);
        };

        // 320x240 stretched to 400x400: x = 20 shows source column 16, in the first bar.
        widget->SetAspectRatio(AspectMode::rmStretched);
        EXPECT_EQ(widget->AspectRatio(), AspectMode::rmStretched);
        EXPECT_EQ(widget->PictureArea(), (VideoRect{0, 0, 400, 400}));
        ASSERT_TRUE(shows({400, 400}, {20, 100}, IsGreyBar));
        EXPECT_GT(LitShare(widget->grab().toImage(), {0, 0, 400, 40}), 0.9) << "no bar at the top";

        // Cropped, only the middle 240x240 is converted: x = 20 shows column 52, the second bar.
        widget->SetAspectRatio(AspectMode::rmCrop);
        EXPECT_EQ(widget->PictureArea(), (VideoRect{-67, 0, 533, 400}));
        EXPECT_EQ(widget->Placement(), (VideoPlacement{{40, 0, 240, 240}, {0, 0, 400, 400}}));
        ASSERT_TRUE(shows({400, 400}, {20, 100}, IsYellowBar));

        // Zoom 50, letter-boxed: the middle 160x120 fills 400x300; x = 10 shows column 84.
        widget->SetAspectRatio(AspectMode::rmLetterBox);
        widget->SetDigitalZoom(50);
        EXPECT_EQ(widget->Placement(), (VideoPlacement{{80, 60, 160, 120}, {0, 50, 400, 300}}));
        ASSERT_TRUE(shows({400, 300}, {10, 200}, IsYellowBar));
        EXPECT_EQ(LitShare(widget->grab().toImage(), {0, 0, 400, 50}), 0.0) << "top bar stays";

        widget->SetDigitalZoom(0);
        widget->resize(200, 100);
        EXPECT_EQ(widget->PictureArea(), (VideoRect{33, 0, 133, 100}));
        ASSERT_TRUE(shows({133, 100}, {40, 30}, IsGreyBar));
        const QImage shot = widget->grab().toImage();
        EXPECT_EQ(LitShare(shot, {0, 0, 32, 100}), 0.0) << "left bar";
        EXPECT_EQ(LitShare(shot, {167, 0, 33, 100}), 0.0) << "right bar";
        EXPECT_GT(LitShare(shot, {33, 0, 133, 60}), 0.9);
    }
}

TEST(GstVideoWidgetBalance, ColourValuesMapPiecewiseThroughTheStartValues) {
    const struct {
        ColorValues values;
        GstVideoWidget::Balance expected;
    } cases[] = {
        {{750, 10000, 10000, 0}, {0, 1, 1, 0}}, // what the window starts with: untouched
        {{0, 0, 0, -180}, {-1, 0, 0, -1}},
        {{10000, 20000, 20000, 180}, {1, 2, 2, 1}},
        {{375, 5000, 15000, -90}, {-0.5, 0.5, 1.5, -0.5}},
        {{5375, 15000, 5000, 90}, {0.5, 1.5, 0.5, 0.5}},
        {{850, 9900, 10100, 1}, {100 / 9250.0, 0.99, 1.01, 1 / 180.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.values.Brightness << "," << c.values.Contrast << ","
                                        << c.values.Saturation << "," << c.values.Hue);
        const GstVideoWidget::Balance b = GstVideoWidget::BalanceFor(c.values);
        EXPECT_DOUBLE_EQ(b.brightness, c.expected.brightness);
        EXPECT_DOUBLE_EQ(b.contrast, c.expected.contrast);
        EXPECT_DOUBLE_EQ(b.saturation, c.expected.saturation);
        EXPECT_DOUBLE_EQ(b.hue, c.expected.hue);
    }
}

int Luma(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

// Paused on the colour bars: every colour change shows on the still picture, and the start
// values give back exactly the untouched picture.
TEST_F(GstVideoWidgetTest, ColourControlChangesThePicture) {
    REQUIRE_FIXTURE(clip, "gop-10s.mp4");
    ShowClip(clip, false);
    // 400x300 at y = 50; x = 20 is in the grey bar, x = 80 in the yellow one, x = 380 in blue.
    const QPoint grey(20, 100), yellow(80, 100), blue(380, 100);
    const QImage untouched = widget->grab().toImage();
    ASSERT_TRUE(IsGreyBar(untouched.pixel(grey)));
    ASSERT_TRUE(IsYellowBar(untouched.pixel(yellow)));

    const struct {
        const char* name;
        ColorValues values;
        std::function<bool(const QImage&)> shows;
    } cases[] = {
        {"brightness 0 darkens to nearly black",
         {0, 10000, 10000, 0},
         [&](const QImage& i) { return Luma(i.pixel(grey)) < 40; }},
        {"brightness 10000 lightens",
         {10000, 10000, 10000, 0},
         [&](const QImage& i) { return Luma(i.pixel(grey)) > 245; }},
        {"saturation 0 leaves grey",
         {750, 10000, 0, 0},
         [&](const QImage& i) {
             return std::abs(qRed(i.pixel(yellow)) - qBlue(i.pixel(yellow))) < 12;
         }},
        {"contrast 0 flattens the light to the dark, colours keep their tint",
         {750, 0, 10000, 0},
         [&](const QImage& i) {
             return Luma(i.pixel(grey)) < 20 && qRed(i.pixel(yellow)) > qBlue(i.pixel(yellow));
         }},
        {"hue 180 swaps yellow and blue",
         {750, 10000, 10000, 180},
         [&](const QImage& i) {
             return qBlue(i.pixel(yellow)) > qRed(i.pixel(yellow)) + 30 &&
                    qRed(i.pixel(blue)) > qBlue(i.pixel(blue)) + 30;
         }},
        {"the start values give the picture back",
         {750, 10000, 10000, 0},
         [&](const QImage& i) { return i == untouched; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        ASSERT_TRUE(widget->SetColorControl(c.values, &error)) << error.toStdString();
        EXPECT_TRUE(WaitUntil([&] { return c.shows(widget->grab().toImage()); }, kPatience));
    }
}

// The cursor hides after the set rest over the video, comes back on movement, and comes back
// as whatever the main window set on the video meanwhile.
TEST_F(GstVideoWidgetTest, CursorHidesAfterRestAndReturnsOnMovement) {
    widget->SetAutoHideCursor(60);
    QTest::mouseMove(widget.get(), QPoint(50, 50));
    ASSERT_TRUE(WaitUntil([&] { return widget->CursorHidden(); }, kPatience));
    EXPECT_EQ(widget->cursor().shape(), Qt::BlankCursor);

    widget->setCursor(Qt::PointingHandCursor); // as the main window does over a DVD button
    EXPECT_EQ(widget->cursor().shape(), Qt::BlankCursor) << "stays hidden";
    QTest::mouseMove(widget.get(), QPoint(60, 60));
    EXPECT_FALSE(widget->CursorHidden());
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    ASSERT_TRUE(WaitUntil([&] { return widget->CursorHidden(); }, kPatience)) << "hides again";

    // 0 = never: shows it at once and it stays.
    widget->SetAutoHideCursor(0);
    EXPECT_FALSE(widget->CursorHidden());
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(widget.get(), QPoint(70, 70));
    QTest::qWait(200);
    EXPECT_FALSE(widget->CursorHidden());
}

TEST_F(GstVideoWidgetTest, DesignValuesAndColourControlRanges) {
    EXPECT_EQ(widget->AspectRatio(), AspectMode::rmLetterBox);
    EXPECT_EQ(widget->AutoHideCursor(), 2000);
    EXPECT_EQ(widget->DigitalZoom(), 0);
    EXPECT_FALSE(widget->NoScreenSaver());
    const ColorValues defaults = widget->ColorControl();
    EXPECT_EQ(defaults.Brightness, 750);
    EXPECT_EQ(defaults.Contrast, 10000);
    EXPECT_EQ(defaults.Saturation, 10000);
    EXPECT_EQ(defaults.Hue, 0);
    EXPECT_EQ(widget->grab().toImage().pixel(200, 200), qRgb(0, 0, 0)) << "black without media";

    const struct {
        ColorValues values;
        bool accepted;
    } cases[] = {
        {{0, 0, 0, -180}, true},
        {{10000, 20000, 20000, 180}, true},
        {{-1, 10000, 10000, 0}, false},
        {{10001, 10000, 10000, 0}, false},
        {{750, -1, 10000, 0}, false},
        {{750, 20001, 10000, 0}, false},
        {{750, 10000, -1, 0}, false},
        {{750, 10000, 20001, 0}, false},
        {{750, 10000, 10000, -181}, false},
        {{750, 10000, 10000, 181}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.values.Brightness << "," << c.values.Contrast << ","
                                        << c.values.Saturation << "," << c.values.Hue);
        const ColorValues before = widget->ColorControl();
        QString error;
        EXPECT_EQ(widget->SetColorControl(c.values, &error), c.accepted);
        const ColorValues after = widget->ColorControl();
        const ColorValues& expected = c.accepted ? c.values : before;
        EXPECT_EQ(after.Brightness, expected.Brightness);
        EXPECT_EQ(after.Contrast, expected.Contrast);
        EXPECT_EQ(after.Saturation, expected.Saturation);
        EXPECT_EQ(after.Hue, expected.Hue);
        EXPECT_EQ(error.isEmpty(), c.accepted);
    }
}

TEST_F(GstVideoWidgetTest, MouseEventsArriveInWindowCoordinates) {
    std::vector<QString> seen;
    auto record = [&seen](const char* kind) {
        return [&seen, kind](const VideoMouseEvent& e) {
            seen.push_back(QStringLiteral("%1 %2,%3 %4")
                               .arg(kind)
                               .arg(e.x)
                               .arg(e.y)
                               .arg(static_cast<int>(e.button)));
        };
    };
    widget->events.OnMouseDown = record("down");
    widget->events.OnMouseUp = record("up");
    widget->events.OnMouseMove = record("move");
    widget->events.OnDblClick = record("dbl");

    QTest::mousePress(widget.get(), Qt::LeftButton, {}, QPoint(12, 34));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, QPoint(12, 34));
    QTest::mouseMove(widget.get(), QPoint(77, 88));
    QTest::mouseDClick(widget.get(), Qt::RightButton, {}, QPoint(300, 5));
    QTest::qWait(20);

    const int left = static_cast<int>(MouseButton::Left);
    const int right = static_cast<int>(MouseButton::Right);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0], QStringLiteral("down 12,34 %1").arg(left));
    EXPECT_EQ(seen[1], QStringLiteral("up 12,34 %1").arg(left));
    EXPECT_EQ(seen[2], QStringLiteral("move 77,88 0")) << "a move without a button";
    EXPECT_NE(std::find(seen.begin(), seen.end(), QStringLiteral("dbl 300,5 %1").arg(right)),
              seen.end());
}

// The sinks outlive the widget inside the pipeline; frames then go nowhere.
TEST_F(GstVideoWidgetTest, WidgetDestroyedWhileItsGraphPlays) {
    REQUIRE_FIXTURE(clip, "clip-2s.mp4");
    PlayClip(clip);
    widget.reset();
    QTest::qWait(300);
    RefTime position = 0;
    ASSERT_NE(graph.QuerySeeking(), nullptr);
    EXPECT_EQ(graph.QuerySeeking()->GetCurrentPosition(position), S_OK);
    // A new pipeline from the same factory still builds without a widget to show it.
    graph.SetActive(false);
    graph.SetActive(true);
    EXPECT_EQ(graph.RenderFile(clip), S_OK);
}

// The desktop's screen-saver service, on a private bus.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    std::map<uint, QString> active; // cookie -> application
    int inhibits = 0;
    int releases = 0;
    uint next = 41;

public slots:
    uint Inhibit(const QString& application, const QString&) {
        ++inhibits;
        active[++next] = application;
        return next;
    }
    void UnInhibit(uint cookie) {
        ++releases;
        active.erase(cookie);
    }
};

// A bus daemon of the test's own, ended with the test.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(5000)) return;
        QElapsedTimer timer;
        timer.start();
        while (!daemon_.canReadLine() && timer.elapsed() < 5000)
            daemon_.waitForReadyRead(100);
        address = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        for (const QString& name : names)
            QDBusConnection::disconnectFromBus(name);
        daemon_.terminate();
        if (!daemon_.waitForFinished(3000)) daemon_.kill();
        daemon_.waitForFinished(3000);
    }
    QDBusConnection Connect(const QString& name) {
        names << name;
        return QDBusConnection::connectToBus(address, name);
    }
    // Offers the fake service on a connection of its own.
    bool Serve(FakeScreenSaver& service) {
        QDBusConnection c = Connect(QStringLiteral("screensaver-service"));
        return c.isConnected() && c.registerService(ScreenSaverInhibitor::kService) &&
               c.registerObject(ScreenSaverInhibitor::kPath, &service,
                                QDBusConnection::ExportAllSlots);
    }

    QString address;
    QStringList names;

private:
    QProcess daemon_;
};

#define REQUIRE_BUS(bus)                                                                           \
    PrivateBus bus;                                                                                \
    if (bus.address.isEmpty()) GTEST_SKIP() << "no dbus-daemon to run a private bus"

TEST(ScreenSaverInhibitor, InhibitsWhileOnAndReleasesWhenOffAndAtTheEnd) {
    REQUIRE_BUS(bus);
    FakeScreenSaver service;
    ASSERT_TRUE(bus.Serve(service));
    const QDBusConnection client = bus.Connect(QStringLiteral("player"));

    auto inhibitor = std::make_unique<ScreenSaverInhibitor>(client);
    inhibitor->SetInhibited(true);
    ASSERT_TRUE(WaitUntil([&] { return inhibitor->Held(); }, kPatience));
    EXPECT_EQ(service.active.size(), 1u);
    inhibitor->SetInhibited(true);
    QTest::qWait(50);
    EXPECT_EQ(service.inhibits, 1) << "asked once";

    inhibitor->SetInhibited(false);
    ASSERT_TRUE(WaitUntil([&] { return service.active.empty(); }, kPatience));
    EXPECT_FALSE(inhibitor->Held());

    // Off again before the answer came: the late cookie is given back.
    inhibitor->SetInhibited(true);
    inhibitor->SetInhibited(false);
    ASSERT_TRUE(
        WaitUntil([&] { return service.inhibits == 2 && service.active.empty(); }, kPatience));

    // Held when the program ends.
    inhibitor->SetInhibited(true);
    ASSERT_TRUE(WaitUntil([&] { return inhibitor->Held(); }, kPatience));
    inhibitor.reset();
    EXPECT_TRUE(WaitUntil([&] { return service.active.empty(); }, kPatience));
    EXPECT_EQ(service.releases, 3);
}

TEST(ScreenSaverInhibitor, WithoutTheServiceOrTheBusNothingHappens) {
    {
        REQUIRE_BUS(bus);
        ScreenSaverInhibitor inhibitor(bus.Connect(QStringLiteral("player")));
        QElapsedTimer timer;
        timer.start();
        inhibitor.SetInhibited(true);
        EXPECT_TRUE(inhibitor.Inhibited());
        QTest::qWait(300);
        EXPECT_FALSE(inhibitor.Held()) << "no service answered";
        inhibitor.SetInhibited(false);
        EXPECT_FALSE(inhibitor.Inhibited());
    }
    // No session bus at all: it must not start one (dbus-launch) nor wait for one.
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("XDG_RUNTIME_DIR");
    {
        ScreenSaverInhibitor inhibitor;
        inhibitor.SetInhibited(true);
        inhibitor.SetInhibited(false);
        inhibitor.SetInhibited(true);
        EXPECT_FALSE(inhibitor.Held());
    }
    if (!address.isEmpty()) qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    if (!runtime.isEmpty()) qputenv("XDG_RUNTIME_DIR", runtime);
}

// The video window's switch reaches the desktop's session bus.
TEST_F(GstVideoWidgetTest, NoScreenSaverInhibitsOnTheSessionBus) {
    REQUIRE_BUS(bus);
    FakeScreenSaver service;
    ASSERT_TRUE(bus.Serve(service));
    // Before anything in this process asked for the session bus, so it is ours.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address.toUtf8());
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected() ||
        !session.interface()->isServiceRegistered(ScreenSaverInhibitor::kService))
        GTEST_SKIP() << "this process already talks to another session bus";

    widget->SetNoScreenSaver(true);
    EXPECT_TRUE(widget->NoScreenSaver());
    ASSERT_TRUE(WaitUntil([&] { return service.active.size() == 1; }, kPatience));
    widget->SetNoScreenSaver(false);
    EXPECT_FALSE(widget->NoScreenSaver());
    ASSERT_TRUE(WaitUntil([&] { return service.active.empty(); }, kPatience));
    widget->SetNoScreenSaver(true);
    ASSERT_TRUE(WaitUntil([&] { return service.active.size() == 1; }, kPatience));
    widget.reset(); // the program ends with it on
    EXPECT_TRUE(WaitUntil([&] { return service.active.empty(); }, kPatience));
    QDBusConnection::disconnectFromBus(QDBusConnection::sessionBus().name());
}

} // namespace
} // namespace ov

#include "GstVideoWidgetTest.moc"
