#include "ui/OrvaneApplication.h"

#include <stdexcept>

namespace ov {

OrvaneApplication::OrvaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool OrvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (onException) onException(e);
    } catch (...) {
        if (onException) onException(std::runtime_error("Unknown exception"));
    }
    return false;
}

} // namespace ov
