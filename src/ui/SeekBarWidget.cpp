#include "ui/SeekBarWidget.h"

#include "ui/UiColors.h"

#include <QPainter>

namespace ov {

SeekBarWidget::SeekBarWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(look_.height);
}

void SeekBarWidget::SetLook(const SeekBarLook& look) {
    look_ = look;
    setFixedHeight(look_.height);
    update();
}

void SeekBarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect outer = rect();
    p.fillRect(outer, ToQColor(look_.colorBevelSingle));
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    p.fillRect(inner, ToQColor(look_.colorBackground));
    const double range = look_.max - look_.min;
    const double part = range > 0 ? (look_.position - look_.min) / range : 1.0;
    const int filled = static_cast<int>(inner.width() * std::clamp(part, 0.0, 1.0));
    p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()),
               ToQColor(look_.colorBar));
}

} // namespace ov
