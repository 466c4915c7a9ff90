#pragma once
#include "core/app/MainView.h"

#include <QWidget>
#include <functional>
#include <QEvent>
#include <QTimer>
#include <optional>

class QKeyEvent;
class QMouseEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QSplitter;
class QToolButton;

namespace ov {

class MainWindow;
class zvProgressBarWidget;

// The borderless main window. It shows what the core computed and forwards the user's
// gestures to it.
class TForm1 : public QWidget, public MainView {
    Q_OBJECT
public:
    // videoScreen becomes `MainVideoScreen`, the centre of the window.
    explicit TForm1(QWidget* videoScreen);
    ~TForm1() override;

    void SetCore(MainWindow* core);
    // Before the core goes: the widgets that show its state let go of it.
    void DetachCore();

    // MainView
    void Render(const MainWindowModel& model) override;
    void HookApplicationEvents() override;
    void CloseWindow() override;
    bool IsMaximized() const override;
    Bounds CurrentBounds() const override;
    void StartWindowMove() override;

    // Brings the window to the front, as a later start asks.
    void BringToFront();

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* TitleLabel = nullptr;
    QToolButton* actionShowAbout = nullptr;
    QToolButton* actionAlwaysOnTop = nullptr;
    QToolButton* actionHideProgram = nullptr;
    QToolButton* actionCloseProgram = nullptr;
    QPushButton* PlayMovie = nullptr;
    QPushButton* OpenMovie = nullptr;
    QSlider* zvSoundLevel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblTotalTime = nullptr;
    QLabel* lblTimeLine = nullptr;
    QPushButton* zvVideoInfo = nullptr;
    QPushButton* ovOptionsBtn = nullptr;
    zvProgressBarWidget* zvTrackBar = nullptr;
    QWidget* plUIElementsPanel = nullptr;
    QListWidget* ListBox1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* MainVideoScreen = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* TextPanel = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTitlePanel();
    void BuildControlPanel();
    void BuildPlaylistPanel();
    void AttachSeekBar();
    void LayOutVideoChildren();
    void RenderOverlay(const MainWindowModel& model);
    void PreviewKey(QObject* watched, QKeyEvent* key);
    void HookMouse(QObject* watched, QEvent* event);
    void ApplyWindowState(const MainWindowModel& m);

    MainWindow* core_ = nullptr;
    int appliedBoundsSerial_ = -1;
    int appliedPlaylistWidth_ = -1;
    std::optional<std::pair<OverlayPanel, OverlayFont>> appliedOverlay_;
    bool appliedMaximized_ = false;
    bool appliedOnTop_ = false;
    // Set while the window system moves the window; the move has ended when moves stop.
    QTimer* moveSettled_ = nullptr;
    bool closed_ = false;
    struct MouseSeen {
        quint64 timestamp = 0;
        QEvent::Type type = QEvent::None;
        Qt::MouseButton button = Qt::NoButton;
        QPointF global;
        bool operator==(const MouseSeen&) const = default;
    } lastMouse_;
};

} // namespace ov
