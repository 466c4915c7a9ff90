#include "adapters/qt/QtTray.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace ov {

namespace {

const QString kNotifyService = QStringLiteral("org.freedesktop.Notifications");

// The player's own icon: a play sign on the main window's colour.
QIcon PlayerIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(95, 106, 135));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QPainterPath play;
    play.moveTo(11, 8);
    play.lineTo(25, 16);
    play.lineTo(11, 24);
    play.closeSubpath();
    p.setBrush(QColor(255, 255, 0));
    p.drawPath(play);
    p.end();
    return QIcon(pixmap);
}

QSystemTrayIcon::MessageIcon TrayIconKind(BalloonIcon icon) {
    switch (icon) {
    case BalloonIcon::Info:
        return QSystemTrayIcon::Information;
    case BalloonIcon::Warning:
        return QSystemTrayIcon::Warning;
    case BalloonIcon::Error:
        return QSystemTrayIcon::Critical;
    case BalloonIcon::None:
        break;
    }
    return QSystemTrayIcon::NoIcon;
}

QString NotifyIconName(BalloonIcon icon) {
    switch (icon) {
    case BalloonIcon::Info:
        return QStringLiteral("dialog-information");
    case BalloonIcon::Warning:
        return QStringLiteral("dialog-warning");
    case BalloonIcon::Error:
        return QStringLiteral("dialog-error");
    case BalloonIcon::None:
        break;
    }
    return {};
}

} // namespace

QtTray::QtTray(QWidget* mainWindow, QObject* parent)
    : QObject(parent), icon_(PlayerIcon()), window_(mainWindow) {
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtTray::Activated);
}

QtTray::~QtTray() {
    icon_.hide();
}

bool QtTray::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::SetVisible(bool visible) {
    icon_.setVisible(visible);
}

bool QtTray::Visible() const {
    return icon_.isVisible();
}

void QtTray::SetHint(const QString& hint) {
    icon_.setToolTip(hint);
}

QString QtTray::Hint() const {
    return icon_.toolTip();
}

void QtTray::ShowBalloon(const QString& title, const QString& text, BalloonIcon icon,
                         int timeoutMs) {
    // Without a notification area showMessage() is silently dropped.
    if (Available() && icon_.isVisible() && QSystemTrayIcon::supportsMessages())
        icon_.showMessage(title, text, TrayIconKind(icon), timeoutMs);
    else
        Notify(title, text, icon, timeoutMs);
}

void QtTray::Notify(const QString& title, const QString& text, BalloonIcon icon, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kNotifyService, QStringLiteral("/org/freedesktop/Notifications"), kNotifyService,
        QStringLiteral("Notify"));
    // Only a service that already runs shows it; with none, the bus answers with an error.
    call.setAutoStartService(false);
    call << QGuiApplication::applicationDisplayName() << notificationId_ << NotifyIconName(icon)
         << title << text << QStringList() << QVariantMap() << timeoutMs;
    // Asynchronous: a slow notification service must not hold up the player.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isValid()) notificationId_ = reply.value();
                done->deleteLater();
            });
}

bool QtTray::MainWindowHidden() const {
    return window_ && (window_->isHidden() || window_->isMinimized());
}

void QtTray::HideMainWindow() {
    if (!window_) return;
    // A hidden window has no taskbar entry either; with no tray to bring it back from, a
    // minimised one keeps its entry.
    if (Available())
        window_->hide();
    else
        window_->showMinimized();
}

void QtTray::RestoreMainWindow() {
    if (!window_) return;
    // Keeps full screen or maximised as they were.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtTray::Activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) {
        if (MainWindowHidden())
            RestoreMainWindow();
        else
            HideMainWindow();
    } else if (reason == QSystemTrayIcon::Trigger && OnClick) {
        OnClick();
    }
}

} // namespace ov
