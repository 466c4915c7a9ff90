#pragma once
#include "ports/InstanceGuard.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace ov {

// One player per user and desktop session: the running player listens on a local socket whose
// name comes from the window class and caption; a later start connects, asks it to come to the
// front and ends.
class LocalInstanceGuard : public QObject, public InstanceGuard {
    Q_OBJECT
public:
    explicit LocalInstanceGuard(QObject* parent = nullptr);
    ~LocalInstanceGuard() override;

    void RaisePriority() override;
    bool BringRunningToFront(const QString& windowClass, const QString& caption) override;

    // The socket this identity listens on, in the user's runtime folder.
    static QString ServerPath(const QString& windowClass, const QString& caption);
    // The lock that makes "connect, else listen" one step across processes.
    static QString LockPath(const QString& windowClass, const QString& caption);

private:
    void AcceptConnections();
    void ReadRequests(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
};

} // namespace ov
