#pragma once
#include <QApplication>
#include <exception>
#include <functional>

namespace ov {

// The application object: every exception that escapes an event handler or a timer callback
// reaches the handler instead of ending the process.
class OrvaneApplication : public QApplication {
    Q_OBJECT
public:
    OrvaneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The exception and the class of the object whose event handler it escaped.
    std::function<void(const std::exception&, const QString& senderClass)> onException;
};

} // namespace ov
