#include "adapters/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace ov {

void QtClipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtClipboard::SetImage(const Frame& frame) {
    if (frame.IsEmpty() || frame.stride < static_cast<qint64>(frame.width) * 4) return;
    if (static_cast<qint64>(frame.stride) * frame.height > frame.pixels.size()) return;
    // B, G, R, X in memory is Qt's RGB32 on a little-endian machine.
    const QImage view(reinterpret_cast<const uchar*>(frame.pixels.constData()), frame.width,
                      frame.height, frame.stride, QImage::Format_RGB32);
    QGuiApplication::clipboard()->setImage(view.copy());
}

} // namespace ov
