#pragma once
#include "ports/Tray.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QWidget;

namespace ov {

// The notification-area icon over QSystemTrayIcon. Where the desktop has no notification area,
// balloons go to the desktop's notification service when one runs, and hiding the window
// minimises it instead, so that it can still be found and brought back.
class QtTray : public QObject, public Tray {
    Q_OBJECT
public:
    explicit QtTray(QWidget* mainWindow = nullptr, QObject* parent = nullptr);
    ~QtTray() override;

    void SetMainWindow(QWidget* mainWindow) { window_ = mainWindow; }

    void SetVisible(bool visible) override;
    bool Visible() const override;
    void SetHint(const QString& hint) override;
    void ShowBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int timeoutMs) override;
    bool MainWindowHidden() const override;
    void HideMainWindow() override;
    void RestoreMainWindow() override;

    QString Hint() const;
    static bool Available();

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void Notify(const QString& title, const QString& text, BalloonIcon icon, int timeoutMs);

    QSystemTrayIcon icon_;
    QPointer<QWidget> window_;
    // The notification service's id of our last balloon, so a new one replaces it.
    uint notificationId_ = 0;
};

} // namespace ov
