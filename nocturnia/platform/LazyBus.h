#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

// A message bus connected on first use in a thread of its own: connecting waits for the bus
// daemon's greeting, which never comes from a daemon that hangs, and that wait must not be
// the window's.
class LazyBus final : public QObject {
    Q_OBJECT
public:
    using Source = std::function<QDBusConnection()>;
    // Given the connection, or nothing when the bus did not accept one in time.
    using Use = std::function<void(const QDBusConnection* bus)>;

    LazyBus(Source source, int connectTimeout, QObject* parent = nullptr);
    // A bus connected already.
    explicit LazyBus(const QDBusConnection& connected, QObject* parent = nullptr);
    ~LazyBus() override;

    // Runs `use` at once when the connection is made (or failed), otherwise from the event
    // loop once it is made, or with nothing after the connect timeout.
    void whenConnected(Use use);
    // The connection once made; nothing while connecting.
    std::optional<QDBusConnection> ready() const;

private:
    struct Shared;
    void start();
    void arrived();
    void timedOut();

    std::shared_ptr<Shared> m_shared;
    Source m_source;
    bool m_started = false;
    QList<Use> m_waiting;
    QTimer m_deadline;
};
