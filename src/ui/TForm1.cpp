#include "ui/TForm1.h"

#include "core/app/MainWindow.h"
#include "core/playback/cl_playFunctions.h"
#include "ui/JpegImage.h"
#include "ui/OrvaneApplication.h"
#include "core/actions/KeyDispatch.h"
#include "core/actions/ov_ProgramActions.h"
#include "core/actions/MouseDispatch.h"
#include "core/app/WindowActions.h"
#include "core/playback/Seeking.h"
#include "ui/zvProgressBarWidget.h"
#include "ui/UiColors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace ov {

namespace {
const QColor kFormColor(95, 106, 135);
constexpr int kTitleHeight = 25;
constexpr int kControlHeight = 82;
constexpr int kResizeMargin = 4;
constexpr int kTextPanelHeight = 27;

QToolButton* SpeedButton(const QString& caption, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(caption);
    b->setAutoRaise(true);
    b->setFixedSize(21, 21);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QPushButton* Button(const QString& caption, QWidget* parent, int width = 25) {
    auto* b = new QPushButton(caption, parent);
    b->setFixedSize(width, 23);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

bool SameItems(const QListWidget* list, const QStringList& items) {
    for (int i = 0; i < items.size(); ++i)
        if (list->item(i)->text() != items[i]) return false;
    return true;
}

QLabel* TimeLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: white;"));
    return l;
}
} // namespace

TForm1::TForm1(QWidget* videoScreen) : MainVideoScreen(videoScreen) {
    setWindowFlag(Qt::FramelessWindowHint);
    // The window's identity for the one-player rule; the title is shown in the title panel.
    setWindowTitle(QStringLiteral("Form1"));
    setObjectName(QStringLiteral("TForm1"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFormColor);
    setPalette(pal);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(689, 426);
    moveSettled_ = new QTimer(this);
    moveSettled_->setSingleShot(true);
    moveSettled_->setInterval(300);
    connect(moveSettled_, &QTimer::timeout, this, [this] {
        if (core_ && core_->MovieInfo) WindowMoveEnded(*core_);
    });

    BuildTitlePanel();
    BuildControlPanel();
    BuildPlaylistPanel();

    MainVideoScreen->setParent(this);
    MainVideoScreen->setObjectName(QStringLiteral("MainVideoScreen"));
    MainVideoScreen->setMinimumSize(1, 1);
    Image1 = new QLabel(MainVideoScreen);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(LogoImage()));
    Image1->adjustSize();
    Image1->hide();
    TextPanel = new QLabel(MainVideoScreen);
    TextPanel->setObjectName(QStringLiteral("TextPanel"));
    TextPanel->setAutoFillBackground(true);
    TextPanel->setContentsMargins(6, 0, 6, 0);
    TextPanel->hide();
    MainVideoScreen->installEventFilter(this);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(MainVideoScreen);
    Splitter1->addWidget(plUIElementsPanel);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(Panel2);
}

TForm1::~TForm1() {
    DetachCore();
    qApp->removeEventFilter(this);
    if (auto* app = qobject_cast<OrvaneApplication*>(qApp)) app->onException = nullptr;
}

void TForm1::SetCore(MainWindow* core) {
    core_ = core;
    connect(actionCloseProgram, &QToolButton::clicked, this, [this] {
        if (core_) core_->actionCloseProgramClick();
    });
    AttachSeekBar();
    connect(actionShowAbout, &QToolButton::clicked, this, [this] {
        if (core_ && core_->Actions) core_->Actions->Run(ActionHandler(ActionOp::ui_About));
    });
    connect(actionHideProgram, &QToolButton::clicked, this, [this] {
        if (core_ && core_->Actions) core_->Actions->Run(ActionHandler(ActionOp::ui_MinimizeApp));
    });
    connect(actionAlwaysOnTop, &QToolButton::clicked, this, [this] {
        if (core_) ui_appOnTop(*core_);
    });
    connect(PlayMovie, &QPushButton::clicked, this, [this] {
        if (core_) ui_OpenMedia(*core_);
    });
    connect(OpenMovie, &QPushButton::clicked, this, [this] {
        if (core_) ui_OpenMedia1(*core_);
    });
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] {
        if (core_) core_->PlaylistPanelResized(plUIElementsPanel->width());
    });
    connect(zvSoundLevel, &QSlider::valueChanged, this, [this](int position) {
        if (core_) core_->zvSoundLevelChange(position);
    });
}

void TForm1::BuildTitlePanel() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kTitleHeight);
    actionShowAbout = SpeedButton(QStringLiteral("?"), Panel1);
    actionAlwaysOnTop = SpeedButton(QStringLiteral("^"), Panel1);
    actionHideProgram = SpeedButton(QStringLiteral("_"), Panel1);
    actionCloseProgram = SpeedButton(QStringLiteral("X"), Panel1);
    TitleLabel = new QLabel(Panel1);
    TitleLabel->setAlignment(Qt::AlignCenter);
    TitleLabel->setStyleSheet(QStringLiteral("color: white;"));
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    row->addWidget(actionShowAbout);
    row->addWidget(actionAlwaysOnTop);
    row->addWidget(TitleLabel, 1);
    row->addWidget(actionHideProgram);
    row->addWidget(actionCloseProgram);
}

void TForm1::BuildControlPanel() {
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(kControlHeight);
    PlayMovie = Button(QStringLiteral(">"), Panel2, 40);
    OpenMovie = Button(QStringLiteral("^"), Panel2);
    zvSoundLevel = new QSlider(Qt::Horizontal, Panel2);
    zvSoundLevel->setRange(0, 10000);
    zvSoundLevel->setTickInterval(1000);
    zvSoundLevel->setTickPosition(QSlider::TicksBelow);
    zvSoundLevel->setFixedWidth(110);
    zvSoundLevel->setFocusPolicy(Qt::NoFocus);
    Label1 = TimeLabel(QStringLiteral("00:00:00"), Panel2);
    Label3 = TimeLabel(QStringLiteral(">"), Panel2);
    lblTotalTime = TimeLabel(QStringLiteral("00:00:00"), Panel2);
    lblTimeLine = TimeLabel(QString(), Panel2);
    zvVideoInfo = Button(QStringLiteral("I"), Panel2);
    ovOptionsBtn = Button(QStringLiteral("O"), Panel2);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(PlayMovie);
    row->addWidget(OpenMovie);
    row->addWidget(zvSoundLevel);
    row->addSpacing(8);
    row->addWidget(Label1);
    row->addWidget(Label3);
    row->addWidget(lblTotalTime);
    row->addWidget(lblTimeLine, 1);
    row->addWidget(zvVideoInfo);
    row->addWidget(ovOptionsBtn);
    auto* column = new QVBoxLayout(Panel2);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(row);
    column->addStretch(1);
}

void TForm1::DetachCore() {
    delete zvTrackBar;
    zvTrackBar = nullptr;
    core_ = nullptr;
}

// The seek bar's state belongs to the core, so its widget is made once the core exists.
void TForm1::AttachSeekBar() {
    zvTrackBar = new zvProgressBarWidget(core_->zvTrackBar, Panel2);
    zvTrackBar->setObjectName(QStringLiteral("zvTrackBar"));
    static_cast<QVBoxLayout*>(Panel2->layout())->addWidget(zvTrackBar);
    const auto width = [this] { return core_->zvTrackBar.Width(); };
    zvTrackBar->OnMouseDown = [this, width](int x) { ProgressSeekMouseDown(*core_, x, width()); };
    zvTrackBar->OnMouseMove = [this, width](int x) { FSProgressSeekMouseMove(*core_, x, width()); };
    zvTrackBar->OnMouseUp = [this, width](int x) { FSProgressSeekMouseUp(*core_, x, width()); };
}

void TForm1::BuildPlaylistPanel() {
    plUIElementsPanel = new QWidget(this);
    plUIElementsPanel->setObjectName(QStringLiteral("plUIElementsPanel"));
    plUIElementsPanel->setMinimumWidth(107);
    ListBox1 = new QListWidget(plUIElementsPanel);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    for (const char* caption : {"+", "-", "del", "^", "v", "123", ">", "<"}) {
        auto* b = Button(QString::fromLatin1(caption), plUIElementsPanel,
                         caption[1] ? 26 : 12);
        b->setObjectName(QStringLiteral("playlist:") + caption);
        buttons->addWidget(b);
    }
    auto* column = new QVBoxLayout(plUIElementsPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(ListBox1, 1);
    column->addLayout(buttons);
}

void TForm1::Render(const MainWindowModel& m) {
    TitleLabel->setText(m.titleCaption);
    QFont titleFont = TitleLabel->font();
    titleFont.setBold(m.titleBold);
    TitleLabel->setFont(titleFont);
    PlayMovie->setText(m.playCaption);
    if (zvSoundLevel->value() != m.soundLevel) {
        const QSignalBlocker block(zvSoundLevel);
        zvSoundLevel->setValue(m.soundLevel);
    }
    Label1->setText(m.elapsedText);
    lblTotalTime->setText(m.totalText);
    lblTimeLine->setText(m.timeLineText);
    actionCloseProgram->setEnabled(m.closeButtonEnabled);
    Image1->setVisible(m.logoVisible);
    for (const auto& [caption, enabled] :
         {std::pair{">", m.playlistNextEnabled}, std::pair{"<", m.playlistPrevEnabled}})
        if (auto* b = plUIElementsPanel->findChild<QPushButton*>(QStringLiteral("playlist:") + caption))
            b->setEnabled(enabled);
    // The 100 ms timer renders often: only what changed is laid out again.
    if (m.playlistVisible != plUIElementsPanel->isVisibleTo(this) ||
        m.playlistWidth != appliedPlaylistWidth_) {
        plUIElementsPanel->setVisible(m.playlistVisible);
        if (m.playlistVisible) {
            const int total = Splitter1->width();
            Splitter1->setSizes({std::max(1, total - m.playlistWidth), m.playlistWidth});
        }
        appliedPlaylistWidth_ = m.playlistWidth;
    }
    setMinimumSize(m.minWidth, m.minHeight);
    RenderOverlay(m);
    if (ListBox1->count() != m.playlist.Count() || !SameItems(ListBox1, m.playlist.items)) {
        ListBox1->clear();
        ListBox1->addItems(m.playlist.items);
    }
    ListBox1->setCurrentRow(m.playlist.ItemIndex);
    Panel1->setVisible(m.topPanelVisible);
    Panel2->setVisible(m.bottomPanelVisible);
    if (m.videoCursorHand != (MainVideoScreen->cursor().shape() == Qt::PointingHandCursor))
        MainVideoScreen->setCursor(m.videoCursorHand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    ApplyWindowState(m);
    LayOutVideoChildren();
}

void TForm1::RenderOverlay(const MainWindowModel& m) {
    const OverlayPanel& o = m.overlay;
    if (appliedOverlay_ && appliedOverlay_->first == o && appliedOverlay_->second == m.overlayFont)
        return;
    appliedOverlay_ = {o, m.overlayFont};
    TextPanel->setVisible(!o.text.isEmpty());
    if (o.text.isEmpty()) return;
    QFont font(m.overlayFont.family);
    font.setWeight(static_cast<QFont::Weight>(m.overlayFont.weight));
    font.setStyleStrategy(m.overlayFont.antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
    if (o.points > 0) font.setPointSize(o.points);
    else font.setPixelSize(m.overlayFont.height);
    TextPanel->setFont(font);
    QPalette pal = TextPanel->palette();
    pal.setColor(QPalette::Window, ToQColor(o.background));
    pal.setColor(QPalette::WindowText, ToQColor(o.color));
    TextPanel->setPalette(pal);
    TextPanel->setText(o.text);
    TextPanel->raise();
}

void TForm1::ApplyWindowState(const MainWindowModel& m) {
    if (m.stayOnTop != appliedOnTop_) {
        appliedOnTop_ = m.stayOnTop;
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, m.stayOnTop);
        if (shown) show();
    }
    if (m.maximized != appliedMaximized_) {
        appliedMaximized_ = m.maximized;
        if (m.maximized) showFullScreen();
        else showNormal();
    }
    // Bounds only place a window in its normal state.
    if (m.boundsSerial != appliedBoundsSerial_ && !m.maximized) {
        appliedBoundsSerial_ = m.boundsSerial;
        setGeometry(m.bounds.left, m.bounds.top, m.bounds.width, m.bounds.height);
    }
}

void TForm1::StartWindowMove() {
    if (windowHandle() && windowHandle()->startSystemMove()) moveSettled_->start();
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && core_ && core_->MovieInfo)
        ActivationChanged(*core_, isActiveWindow());
}

void TForm1::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (core_) WindowHidden(*core_);
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (moveSettled_->isActive()) moveSettled_->start();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    // The background and the title panel; the control panel's double clicks do nothing here.
    QWidget* child = childAt(event->position().toPoint());
    if (child && (child == Panel2 || Panel2->isAncestorOf(child))) return;
    if (core_ && core_->MovieInfo) BackgroundDblClick(*core_);
}

void TForm1::wheelEvent(QWheelEvent* event) {
    // Not marked as handled.
    event->ignore();
    if (!core_ || !core_->MovieInfo || event->angleDelta().y() == 0) return;
    WheelStep(*core_, event->angleDelta().y() > 0);
}

// The application mouse hook: every mouse message of the program's windows, never stopped.
void TForm1::HookMouse(QObject* watched, QEvent* event) {
    if (!core_ || !core_->MovieInfo || !watched->isWidgetType()) return;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress) return;
    // A mouse event that a widget ignores goes on to its parents, as a copy, through this
    // filter again: the same time, kind, button and screen position mean the same event.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const MouseSeen seen{mouse->timestamp(), type, mouse->button(), mouse->globalPosition()};
    const bool repeat = seen == lastMouse_;
    lastMouse_ = seen;
    if (repeat) {
        if (type == QEvent::MouseButtonPress && (watched == Panel1 || watched == Panel2))
            PanelMouseDown(*core_);
        return;
    }
    if (type == QEvent::MouseMove) {
        ApplicationMouseMove(*core_);
    } else if (event->type() == QEvent::MouseButtonPress) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::RightButton) ApplicationMouseButton(*core_, MouseButton::Right);
        if (button == Qt::MiddleButton) ApplicationMouseButton(*core_, MouseButton::Middle);
        // A press on a panel itself (not on its buttons) moves the window.
        if (watched == Panel1 || watched == Panel2) PanelMouseDown(*core_);
    }
}

void TForm1::HookApplicationEvents() {
    qApp->installEventFilter(this);
    if (auto* app = qobject_cast<OrvaneApplication*>(qApp))
        app->onException = [this](const std::exception& e, const QString& senderClass) {
            if (core_) core_->AppException(e, senderClass);
        };
}

void TForm1::CloseWindow() { close(); }

bool TForm1::IsMaximized() const { return isMaximized() || isFullScreen(); }

Bounds TForm1::CurrentBounds() const {
    const QRect g = geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void TForm1::BringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!closed_ && core_) {
        closed_ = true;
        core_->FormClose();
    }
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutVideoChildren();
}

void TForm1::LayOutVideoChildren() {
    if (!Image1) return;
    Image1->move((MainVideoScreen->width() - Image1->width()) / 2,
                 (MainVideoScreen->height() - Image1->height()) / 2);
    TextPanel->setGeometry(0, 0, MainVideoScreen->width(), kTextPanelHeight);
}

// Key preview: the window sees each key before its controls and never takes it from them.
// A key goes first to the focused control (or to the window when none has focus); Qt hands one
// that is ignored on to the parents through this filter again, so only the first receiver
// counts.
void TForm1::PreviewKey(QObject* watched, QKeyEvent* key) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!core_ || !core_->Actions || !widget || widget->window() != this) return;
    QWidget* first = QApplication::focusWidget();
    if (!first || first->window() != this) first = this;
    if (widget != first) return;
    FormKeyDown(*core_, KeyInput{key->key(), key->nativeScanCode(), key->modifiers(),
                                 key->modifiers().testFlag(Qt::KeypadModifier),
                                 key->isAutoRepeat()});
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MainVideoScreen && event->type() == QEvent::Resize) LayOutVideoChildren();
    if (event->type() == QEvent::KeyPress) PreviewKey(watched, static_cast<QKeyEvent*>(event));
    HookMouse(watched, event);
    // The borderless window keeps a sizing frame: a press near its edge starts a resize.
    if (event->type() == QEvent::MouseButtonPress && windowHandle()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (widget && widget->window() == this && mouse->button() == Qt::LeftButton) {
            const QPoint p = mapFromGlobal(mouse->globalPosition().toPoint());
            Qt::Edges edges;
            if (p.x() < kResizeMargin) edges |= Qt::LeftEdge;
            if (p.x() >= width() - kResizeMargin) edges |= Qt::RightEdge;
            if (p.y() < kResizeMargin) edges |= Qt::TopEdge;
            if (p.y() >= height() - kResizeMargin) edges |= Qt::BottomEdge;
            if (edges && windowHandle()->startSystemResize(edges)) return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ov
