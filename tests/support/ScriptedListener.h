#pragma once

#include "platform/TcpConnectionListener.h"

#include <QList>
#include <optional>

// The real listener, except that a listen can be made to fail as for a port the user may
// not open (which the tests, run as root, cannot make otherwise), and that a connection from
// any peer can be pretended.
class ScriptedListener final : public ConnectionListener {
public:
    std::optional<Result> failNext; // the answer of every listen() while set
    QList<quint16> listens;         // the ports asked for

    ScriptedListener() {
        connect(&m_real, &ConnectionListener::connectionClosed, this,
                &ConnectionListener::connectionClosed);
    }

    Result listen(quint16 port) override {
        listens << port;
        if (failNext) {
            m_real.close();
            return *failNext;
        }
        return m_real.listen(port);
    }
    void close() override { m_real.close(); }
    bool isListening() const override { return !failNext && m_real.isListening(); }

    void pretendConnection(const QHostAddress& peer) { Q_EMIT connectionClosed(peer); }

private:
    TcpConnectionListener m_real;
};
