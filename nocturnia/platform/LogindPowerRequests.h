#pragma once

#include "base/PowerRequests.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>
#include <optional>

// Power requests to systemd-logind on the system bus and, for a polite end of the session,
// to the desktop's session manager (Plasma, GNOME and its relatives, Xfce) on the session
// bus. Requests are sent without waiting for their answers, so the window never freezes
// while polkit asks for a password; answers arrive on the event loop and go to the log.
class LogindPowerRequests final : public QObject, public PowerRequests {
    Q_OBJECT
public:
    LogindPowerRequests(QDBusConnection systemBus, QDBusConnection sessionBus,
                        QObject* parent = nullptr);
    ~LogindPowerRequests() override;

    bool isPowerServiceReachable() override;
    void askWhetherAllowed(PowerAction action) override;
    QString answerWhetherAllowed(PowerAction action) override;
    void request(PowerAction action, bool forced) override;

    // True while a message sent has not had its answer yet.
    bool isBusy() const { return m_pending > 0; }

Q_SIGNALS:
    // Every message sent has had its answer (or failed).
    void settled();

private:
    using ReplyHandler = std::function<void(const QDBusMessage& reply)>;

    void send(const QDBusConnection& bus, const QDBusMessage& message, int timeout,
              ReplyHandler onReply);
    void finish(const ReplyHandler& onReply, const QDBusMessage& reply);
    void sendRequest(const QDBusConnection& bus, const QDBusMessage& message);
    void requestFromLogind(PowerAction action, bool forced);
    void terminateOwnSession();
    std::optional<QDBusMessage> sessionManagerRequest(PowerAction action);

    QDBusConnection m_systemBus;
    QDBusConnection m_sessionBus;
    int m_pending = 0;
};
