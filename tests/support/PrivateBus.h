#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A dbus-daemon of the test's own, so that no test reaches the machine's buses. Stopped
// when destroyed, also when a test fails half-way.
class PrivateBus {
public:
    explicit PrivateBus(QString connectionName);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Starts the daemon and connects to it; false with the reason in error when either fails.
    bool start(QString* error);
    void stop();

    QString address() const { return m_address; }
    // The daemon's process, for a test that stops it (SIGSTOP) to play a hanging bus.
    qint64 pid() const { return m_daemon.processId(); }
    QDBusConnection connection() const;

private:
    QString m_connectionName;
    QProcess m_daemon;
    QString m_address;
};

// True when a name is owned on the bus: a plain question to the bus daemon.
bool nameHasOwner(const QDBusConnection& bus, const QString& name);
