#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

// A TCP port that takes every connection and closes it at once, nothing read and nothing
// sent: the connection itself is the signal.
class ConnectionListener : public QObject {
    Q_OBJECT
public:
    enum class Failure {
        None,
        NeedsPrivilege, // a port below the unprivileged range
        InUse,          // another program listens there
        Other,
    };
    struct Result {
        Failure failure = Failure::None;
        QString message; // the system's words, for other failures
    };

    using QObject::QObject;

    // Listens on every IPv4 and IPv6 address at `port`, closing what listened before.
    virtual Result listen(quint16 port) = 0;
    virtual void close() = 0;
    virtual bool isListening() const = 0;

Q_SIGNALS:
    // A connection from `peer` was accepted and closed.
    void connectionClosed(const QHostAddress& peer);
};
