#include "platform/TcpConnectionListener.h"

#include <QTcpServer>
#include <sys/socket.h>
#include <unistd.h>

class TcpConnectionListener::Server final : public QTcpServer {
public:
    explicit Server(TcpConnectionListener& owner)
        : m_owner(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        const int fd = int(descriptor);
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        QHostAddress peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            peer = QHostAddress(reinterpret_cast<const sockaddr*>(&address));
        // Whatever the client sent goes with the connection.
        ::close(fd);
        Q_EMIT m_owner.connectionClosed(peer);
    }

private:
    TcpConnectionListener& m_owner;
};

TcpConnectionListener::TcpConnectionListener(QObject* parent)
    : ConnectionListener(parent)
    , m_server(std::make_unique<Server>(*this)) {
    // A burst of connections waits in the system's queue rather than being dropped, which
    // would make each client retry a second or more later.
    m_server->setListenBacklogSize(SOMAXCONN);
}

TcpConnectionListener::~TcpConnectionListener() = default;

ConnectionListener::Result TcpConnectionListener::listen(quint16 port) {
    m_server->close();
    bool listening = m_server->listen(QHostAddress::Any, port);
    if (!listening && m_server->serverError() != QAbstractSocket::SocketAccessError &&
        m_server->serverError() != QAbstractSocket::AddressInUseError)
        listening = m_server->listen(QHostAddress::AnyIPv4, port); // no IPv6 here
    if (listening)
        return {};
    switch (m_server->serverError()) {
    case QAbstractSocket::SocketAccessError:
        return {Failure::NeedsPrivilege, m_server->errorString()};
    case QAbstractSocket::AddressInUseError:
        return {Failure::InUse, m_server->errorString()};
    default:
        return {Failure::Other, m_server->errorString()};
    }
}

void TcpConnectionListener::close() {
    m_server->close();
}

bool TcpConnectionListener::isListening() const {
    return m_server->isListening();
}
