#pragma once

#include "base/PowerRequests.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class LazyBus;

// Power requests to systemd-logind on the system bus and, for a polite end of the session,
// to the desktop's session manager (Plasma, GNOME and its relatives, Xfce) on the session
// bus. Nothing waits for a bus: each bus is connected on first use in a thread of its own,
// every question and request is sent without waiting for its answer (so the window neither
// freezes while polkit asks for a password nor when a bus daemon hangs), and answers arrive
// on the event loop and go to the log. A message that gets no answer in time is abandoned
// and logged. Only the question of answerWhetherAllowed() waits, and never longer than
// two seconds whatever the bus does.
class LogindPowerRequests final : public QObject, public PowerRequests {
    Q_OBJECT
public:
    using BusSource = std::function<QDBusConnection()>;

    // Buses made on first use, from any thread.
    LogindPowerRequests(BusSource systemBus, BusSource sessionBus, QObject* parent = nullptr);
    // Buses already connected.
    LogindPowerRequests(const QDBusConnection& systemBus, const QDBusConnection& sessionBus,
                        QObject* parent = nullptr);
    ~LogindPowerRequests() override;

    // The session bus of this login: DBUS_SESSION_BUS_ADDRESS, else the socket
    // $XDG_RUNTIME_DIR/bus; empty without either. No bus is ever launched for the program:
    // without a session bus there is no session manager to ask.
    static QString sessionBusAddress();
    // A connection to that bus, disconnected when there is none.
    static QDBusConnection connectSessionBus();

    // How long a bus may take to accept the connection before what waits for it is dropped.
    static constexpr int kConnectTimeout = 5000;

    bool isPowerServiceReachable() override;
    void askWhetherAllowed(PowerAction action) override;
    void answerWhetherAllowed(PowerAction action,
                              std::function<void(const QString&)> answered) override;
    void request(PowerAction action, bool forced) override;

    // True while a message sent has not had its answer yet.
    bool isBusy() const { return m_pending > 0; }

Q_SIGNALS:
    // Every message sent has had its answer (or failed).
    void settled();

private:
    using ReplyHandler = std::function<void(const QDBusMessage& reply)>;

    void send(LazyBus& bus, const QDBusMessage& message, int timeout, ReplyHandler onReply);
    void finish(const ReplyHandler& onReply, const QDBusMessage& reply);
    void sendRequest(LazyBus& bus, const QDBusMessage& message);
    void requestFromLogind(PowerAction action, bool forced);
    void terminateOwnSession();
    void refreshReachability();

    std::unique_ptr<LazyBus> m_systemBus;
    std::unique_ptr<LazyBus> m_sessionBus;
    int m_pending = 0;
    std::optional<bool> m_logindReachable; // the last look-up's finding
    bool m_lookingUp = false;
};
