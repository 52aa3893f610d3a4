#pragma once

#include "base/ConnectionListener.h"

#include <memory>

// The listener on a Qt server socket bound to every address, IPv6 with IPv4 mapped into it
// (IPv4 alone where the system has no IPv6). An accepted connection is closed as it is taken,
// without a socket object: a flood costs a descriptor for an instant each.
class TcpConnectionListener final : public ConnectionListener {
    Q_OBJECT
public:
    explicit TcpConnectionListener(QObject* parent = nullptr);
    ~TcpConnectionListener() override;

    Result listen(quint16 port) override;
    void close() override;
    bool isListening() const override;

private:
    class Server;
    std::unique_ptr<Server> m_server;
};
