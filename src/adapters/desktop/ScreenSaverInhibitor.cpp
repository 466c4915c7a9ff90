#include "adapters/desktop/ScreenSaverInhibitor.h"

#include "core/system/cl_debugLog.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>

namespace ov {

namespace {

QDBusMessage Call(const char* method) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(ScreenSaverInhibitor::kService),
        QString::fromLatin1(ScreenSaverInhibitor::kPath),
        QString::fromLatin1(ScreenSaverInhibitor::kService), QString::fromLatin1(method));
    // Only a running service is asked; the bus must not start one for us.
    call.setAutoStartService(false);
    return call;
}

// Whether a session bus can be reached without libdbus launching one: asked for an address
// that is not set, it would run dbus-launch on the X display.
bool SessionBusAddressKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QObject* parent) : QObject(parent) {}

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus), busChecked_(true) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    wanted_ = false;
    Release();
    // An inhibition granted after we are gone is given back as soon as it arrives.
    if (pending_ && bus_) {
        pending_->disconnect(this);
        pending_->setParent(nullptr);
        const QDBusConnection bus = *bus_;
        QObject::connect(pending_, &QDBusPendingCallWatcher::finished,
                         [bus](QDBusPendingCallWatcher* done) {
                             done->deleteLater();
                             const QDBusPendingReply<uint> reply = *done;
                             if (!reply.isValid()) return;
                             QDBusMessage call = Call("UnInhibit");
                             call << reply.value();
                             QDBusConnection(bus).send(call);
                         });
    }
}

std::optional<QDBusConnection> ScreenSaverInhibitor::Bus() {
    if (!busChecked_) {
        busChecked_ = true;
        if (SessionBusAddressKnown()) bus_ = QDBusConnection::sessionBus();
    }
    if (bus_ && bus_->isConnected()) return bus_;
    return std::nullopt;
}

void ScreenSaverInhibitor::SetInhibited(bool on) {
    if (on == wanted_) return;
    wanted_ = on;
    if (!on) {
        Release();
        return;
    }
    // An answer still on its way is reused: it is checked against wanted_ when it comes.
    if (pending_ || cookie_) return;
    const std::optional<QDBusConnection> bus = Bus();
    if (!bus) {
        DebugLog("FAIL: no session bus; the screen saver stays as it is");
        return;
    }
    QDBusMessage call = Call("Inhibit");
    const QString app = QCoreApplication::applicationName().isEmpty()
                            ? QStringLiteral("Orvane Player")
                            : QCoreApplication::applicationName();
    call << app << QStringLiteral("Playing a movie");
    pending_ = new QDBusPendingCallWatcher(bus->asyncCall(call), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                pending_ = nullptr;
                const QDBusPendingReply<uint> reply = *done;
                if (!reply.isValid()) {
                    DebugLog("FAIL: screen saver inhibit: " + reply.error().message());
                    return;
                }
                cookie_ = reply.value();
                // Switched off (or on and off again) while the answer was on its way.
                if (!wanted_) Release();
            });
}

void ScreenSaverInhibitor::Release() {
    if (!cookie_) return;
    const uint cookie = *cookie_;
    cookie_.reset();
    const std::optional<QDBusConnection> bus = Bus();
    if (!bus) return;
    QDBusMessage call = Call("UnInhibit");
    call << cookie;
    // Fire and forget: nothing waits for the answer, not even at exit.
    bus->send(call);
}

} // namespace ov
