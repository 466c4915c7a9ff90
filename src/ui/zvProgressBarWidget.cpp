#include "ui/zvProgressBarWidget.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ov {

namespace {

QColor QColorOf(TColor rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

TColor TColorOf(const QColor& c) {
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
           (static_cast<TColor>(c.blue()) << 16);
}

int MouseX(const QMouseEvent* event) {
    return static_cast<int>(std::floor(event->position().x()));
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette) {}

void QPainterCanvas::Fill(const TRect& r, TColor color) {
    // Pieces may reach far outside; cut them to the device before Qt sees their size.
    const QPaintDevice* device = painter_.device();
    const TRect clipped{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, device->width()),
                        std::min(r.Bottom, device->height())};
    if (clipped.IsEmpty()) return;
    painter_.fillRect(QRect(clipped.Left, clipped.Top, static_cast<int>(clipped.Width()),
                            static_cast<int>(clipped.Height())),
                      QColorOf(color));
}

void QPainterCanvas::HorzLine(int x0, int x1, int y, TColor color) {
    Fill(HorzLineSpan(x0, x1, y), color);
}

void QPainterCanvas::VertLine(int x, int y0, int y1, TColor color) {
    Fill(VertLineSpan(x, y0, y1), color);
}

void QPainterCanvas::Rectangle(const TRect& r, TColor pen, std::optional<TColor> brush) {
    RasterRectangle(r, pen, brush, [this](const TRect& piece, TColor c) { Fill(piece, c); });
}

TColor QPainterCanvas::SystemColorRgb(int index) const {
    // System colours do not change with focus or enabled state, so always the active group.
    const auto role = [&]() -> std::optional<QPalette::ColorRole> {
        switch (index) {
        case SysColorHighlight:
            return QPalette::Highlight;
        case SysColorBtnFace:
            return QPalette::Button;
        case SysColorBtnShadow:
            return QPalette::Dark;
        case SysColorBtnHighlight:
            return QPalette::Light;
        default:
            return std::nullopt;
        }
    }();
    return role ? TColorOf(palette_.color(QPalette::Active, *role)) : clBlack;
}

zvProgressBarWidget::zvProgressBarWidget(QWidget* parent)
    : QWidget(parent), owned_(std::make_unique<zvProgressBar>()), bar_(*owned_) {
    Connect();
}

zvProgressBarWidget::zvProgressBarWidget(zvProgressBar& bar, QWidget* parent)
    : QWidget(parent), bar_(bar) {
    Connect();
}

zvProgressBarWidget::~zvProgressBarWidget() {
    bar_.OnRedraw = nullptr;
    bar_.OnResize = nullptr;
}

void zvProgressBarWidget::Connect() {
    // The bar paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hovering without a button still reports the x under the mouse.
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    resize(bar_.Width(), bar_.Height());
    bar_.SetEnabled(isEnabled());
    bar_.OnRedraw = [this](zvProgressBar::Redraw how) {
        if (how == zvProgressBar::Redraw::Repaint)
            repaint();
        else
            update();
    };
    bar_.OnResize = [this] {
        if (syncingSize_) return;
        updateGeometry();
        resize(bar_.Width(), bar_.Height());
    };
}

QSize zvProgressBarWidget::sizeHint() const {
    return {bar_.Width(), bar_.Height()};
}

QSize zvProgressBarWidget::minimumSizeHint() const {
    return {0, bar_.Height()};
}

void zvProgressBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterCanvas canvas(painter, palette());
    bar_.Paint(canvas);
}

void zvProgressBarWidget::resizeEvent(QResizeEvent* event) {
    // The layout has the last word on the size; the bar learns it here.
    syncingSize_ = true;
    bar_.SetBounds(width(), height());
    syncingSize_ = false;
    QWidget::resizeEvent(event);
}

void zvProgressBarWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) bar_.SetEnabled(isEnabled());
    if (event->type() == QEvent::PaletteChange) update();
    QWidget::changeEvent(event);
}

void zvProgressBarWidget::enterEvent(QEnterEvent* event) {
    bar_.MouseEnter();
    QWidget::enterEvent(event);
}

void zvProgressBarWidget::leaveEvent(QEvent* event) {
    bar_.MouseExit();
    QWidget::leaveEvent(event);
}

void zvProgressBarWidget::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(MouseX(event));
}

void zvProgressBarWidget::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(MouseX(event));
}

void zvProgressBarWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(MouseX(event));
}

} // namespace ov
