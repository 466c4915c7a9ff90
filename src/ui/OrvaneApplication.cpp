#include "ui/OrvaneApplication.h"

#include <stdexcept>

namespace ov {

namespace {
QString SenderClass(const QObject* receiver) {
    return receiver ? QString::fromLatin1(receiver->metaObject()->className()) : QString();
}
} // namespace

OrvaneApplication::OrvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool OrvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (onException) onException(e, SenderClass(receiver));
    } catch (...) {
        if (onException) onException(std::runtime_error("Unknown exception"), SenderClass(receiver));
    }
    return false;
}

} // namespace ov
