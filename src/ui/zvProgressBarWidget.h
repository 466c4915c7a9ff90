#pragma once
#include "core/controls/sys_zvProgressBar.h"

#include <QPalette>
#include <QWidget>
#include <functional>
#include <memory>

class QPainter;

namespace ov {

// Canvas over a QPainter; system colours come from a widget palette.
class QPainterCanvas : public Canvas {
public:
    QPainterCanvas(QPainter& painter, const QPalette& palette);

    void HorzLine(int x0, int x1, int y, TColor color) override;
    void VertLine(int x, int y0, int y1, TColor color) override;
    void Rectangle(const TRect& r, TColor pen, std::optional<TColor> brush) override;

protected:
    TColor SystemColorRgb(int index) const override;

private:
    void Fill(const TRect& r, TColor color);

    QPainter& painter_;
    const QPalette& palette_;
};

// Shows a zvProgressBar and passes the mouse on; what is drawn is the bar's business.
class zvProgressBarWidget : public QWidget {
    Q_OBJECT
public:
    using MouseHook = std::function<void(int x)>;

    // With a bar of its own.
    explicit zvProgressBarWidget(QWidget* parent = nullptr);
    // Showing a bar owned elsewhere, which must outlive the widget.
    explicit zvProgressBarWidget(zvProgressBar& bar, QWidget* parent = nullptr);
    ~zvProgressBarWidget() override;

    zvProgressBar& Bar() { return bar_; }

    // x in the widget's own coordinates; any button.
    MouseHook OnMouseDown;
    MouseHook OnMouseMove;
    MouseHook OnMouseUp;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Connect();

    std::unique_ptr<zvProgressBar> owned_;
    zvProgressBar& bar_;
    bool syncingSize_ = false;
};

} // namespace ov
