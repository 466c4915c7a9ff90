#include "adapters/qt/LocalInstanceGuard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace ov {

namespace {

const QByteArray activateMessage = QByteArrayLiteral("activate\n");
constexpr int connectTimeoutMs = 1000;
constexpr int writeTimeoutMs = 2000;
constexpr int lockTimeoutMs = 5000;
constexpr int lockPollMs = 5;
// Nobody sends more than a line; a peer that does is not one of ours.
constexpr qsizetype maxPendingBytes = 256;
// The nice value of the "high" priority class.
constexpr int highPriorityNice = -10;

QString DesktopSession() {
    for (const char* name : {"XDG_SESSION_ID", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) return value;
    }
    return {};
}

// A socket path must fit in sun_path (108 bytes), so the identity is hashed.
QString GuardBase(const QString& windowClass, const QString& caption) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    const QString identity = windowClass + QChar(0) + caption + QChar(0) +
                             QString::number(getuid()) + QChar(0) + DesktopSession();
    const QByteArray hash =
        QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return folder + QStringLiteral("/orvane-") + QString::fromLatin1(hash);
}

// The lock is held for a millisecond or so; QLockFile's own waiting backs off to whole seconds,
// which would keep a crowd of simultaneous starts waiting for nothing.
void TakeLock(QLockFile& lock) {
    const QDeadlineTimer deadline(lockTimeoutMs);
    while (!lock.tryLock(0)) {
        // When someone holds it far too long, going on unguarded beats not starting at all.
        if (deadline.hasExpired() || lock.error() != QLockFile::LockFailedError) return;
        QThread::msleep(lockPollMs);
    }
}

} // namespace

LocalInstanceGuard::LocalInstanceGuard(QObject* parent) : QObject(parent) {}

LocalInstanceGuard::~LocalInstanceGuard() = default;

QString LocalInstanceGuard::ServerPath(const QString& windowClass, const QString& caption) {
    return GuardBase(windowClass, caption) + QStringLiteral(".sock");
}

QString LocalInstanceGuard::LockPath(const QString& windowClass, const QString& caption) {
    return GuardBase(windowClass, caption) + QStringLiteral(".lock");
}

void LocalInstanceGuard::RaisePriority() {
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, 0);
    if (current == -1 && errno != 0) return;
    // Ask for the high class first, then for less, until the system allows one step.
    for (int nice = highPriorityNice; nice < current; ++nice) {
        if (setpriority(PRIO_PROCESS, 0, nice) == 0) return;
    }
}

bool LocalInstanceGuard::BringRunningToFront(const QString& windowClass, const QString& caption) {
    const QString serverPath = ServerPath(windowClass, caption);
    // Without the lock two simultaneous starts can both fail to connect and both listen.
    // A lock left by a crashed start is stale by its PID and taken over. Held until return.
    QLockFile lock(LockPath(windowClass, caption));
    TakeLock(lock);

    QLocalSocket socket;
    socket.connectToServer(serverPath);
    if (socket.waitForConnected(connectTimeoutMs)) {
        socket.write(activateMessage);
        socket.waitForBytesWritten(writeTimeoutMs);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(writeTimeoutMs);
        return true;
    }

    // Nobody answers: a socket file left here belongs to a player that died.
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this,
                &LocalInstanceGuard::AcceptConnections);
    }
    QLocalServer::removeServer(serverPath);
    server_->listen(serverPath); // When this fails the player still runs, just unguarded.
    return false;
}

void LocalInstanceGuard::AcceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The request may have arrived before the connection was taken.
        if (socket->bytesAvailable() > 0) ReadRequests(socket);
    }
}

void LocalInstanceGuard::ReadRequests(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(maxPendingBytes);
        if (line == activateMessage && OnActivateRequest) OnActivateRequest();
    }
    if (socket->bytesAvailable() > maxPendingBytes) socket->abort();
}

} // namespace ov
