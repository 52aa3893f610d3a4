#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QThread>

Q_LOGGING_CATEGORY(lcInstance, "nocturnia.instance")

namespace {

const QByteArray kShow = QByteArrayLiteral("show\n");
const QByteArray kShown = QByteArrayLiteral("shown\n");

} // namespace

SingleInstance::SingleInstance(const QString& basePath, QObject* parent)
    : QObject(parent)
    , m_lock(basePath + QStringLiteral(".lock"))
    , m_socketPath(basePath + QStringLiteral(".socket")) {
    // A lock is stale only when its process is gone, never by its age: the program runs for
    // days. (Qt's default takes over a 30-second-old lock where the file system has no native
    // locks to stop it.)
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

SingleInstance::Claim SingleInstance::claim() {
    // tryLock() takes over a lock whose process is gone.
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return Claim::Running;
        qCWarning(lcInstance) << "no lock file, starting without the one-instance check";
        return Claim::Unchecked;
    }
    // Holding the lock, any socket file there is a leftover of a crash.
    QLocalServer::removeServer(m_socketPath);
    if (m_server.listen(m_socketPath))
        qCInfo(lcInstance) << "listening for later starts on" << m_socketPath;
    else
        qCWarning(lcInstance) << "a later start cannot reach this one:" << m_server.errorString();
    return Claim::First;
}

bool SingleInstance::askRunningToShow(int timeoutMs) {
    // Waits, bounded by `timeoutMs`: only a second start calls this, before it has any window,
    // and it ends right after. The running program may still be starting: its socket comes a
    // moment after its lock.
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(kShow);
            socket.waitForBytesWritten(int(deadline.remainingTime()));
            while (!socket.canReadLine() &&
                   socket.waitForReadyRead(int(deadline.remainingTime()))) {
            }
            return socket.readLine() == kShown;
        }
        QThread::msleep(20);
    }
    return false;
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // A later start sends one line; anything else is a stranger and is dropped.
            while (socket->canReadLine()) {
                if (socket->readLine(kShow.size() + 1) != kShow) {
                    socket->abort();
                    socket->deleteLater();
                    return;
                }
                qCInfo(lcInstance) << "a later start asked for the main window";
                Q_EMIT showRequested();
                socket->write(kShown);
                socket->flush();
            }
            if (socket->bytesAvailable() > kShow.size()) {
                socket->abort();
                socket->deleteLater();
            }
        });
    }
}
