#pragma once
#include <QString>
#include <stdexcept>

namespace ov {

// An error the player raises itself; its message is shown to the user by the error report.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

} // namespace ov
