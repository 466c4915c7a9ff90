#pragma once
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>

class QDBusPendingCallWatcher;

namespace ov {

// Keeps the desktop's screen saver off through org.freedesktop.ScreenSaver on the session
// bus: Inhibit while on, UnInhibit when switched off and when this object goes. Every call is
// asynchronous, so a slow or missing service never holds up the caller; without a session bus
// or without the service it does nothing (the bus also drops an inhibition whose connection
// closes, so a crash cannot leave the screen saver off).
class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    // On the session bus, connected the first time the screen saver is switched off.
    explicit ScreenSaverInhibitor(QObject* parent = nullptr);
    // On the given bus (tests use a private one).
    explicit ScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent = nullptr);
    ~ScreenSaverInhibitor() override;

    void SetInhibited(bool on);
    // What was asked for last.
    bool Inhibited() const { return wanted_; }
    // Whether the service granted the inhibition and it is held now.
    bool Held() const { return cookie_.has_value(); }

    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPath = "/org/freedesktop/ScreenSaver";

private:
    // The bus to talk on, or none; never starts a bus of its own.
    std::optional<QDBusConnection> Bus();
    void Release();

    std::optional<QDBusConnection> bus_;
    bool busChecked_ = false;
    bool wanted_ = false;
    QDBusPendingCallWatcher* pending_ = nullptr; // an Inhibit not answered yet
    std::optional<uint> cookie_;
};

} // namespace ov
