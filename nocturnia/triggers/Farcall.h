#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <array>
#include <memory>

class CommandOperations;
class ConnectionListener;
class QCheckBox;
class QHostAddress;
class QLabel;
class QSpinBox;
class StateField;

namespace conv {
class Clock;
class Timer;
class TimerSource;
} // namespace conv

// The network trigger: a TCP connection to the chosen port leaves a mark, and the poll of
// that tenth of a second (or of the next, if this one has polled) performs the command
// selected in the command list. It listens only while enabled, and by default only peers of
// the local network count.
class Farcall final : public QObject {
    Q_OBJECT
public:
    struct Links {
        QCheckBox& Check6;    // enables the trigger
        QSpinBox& port;       // the port listened on
        QCheckBox& localOnly; // only peers of the local network count
        QLabel& status;       // what the trigger is doing
        ConnectionListener& listener;
        CommandOperations& commands;
        conv::TimerSource& timers;
        conv::Clock& clock;
    };
    static constexpr int kPollMs = 100;

    explicit Farcall(Links links, QObject* parent = nullptr);
    ~Farcall() override;

    // The load's last steps: the slots are marked free, then the listener starts (when
    // enabled). Until then the enable box and the port change nothing.
    bool createSenders();
    bool startListening();
    // The cleanup's step.
    void closeListener();

    // A connection from `peer`, already accepted and closed: one mark, whatever the count.
    void connectionRequest(const QHostAddress& peer);
    // The poll: performs the selected command when the mark is set, then clears it.
    void Timer8_Timer();

    // Each connection is taken by the lowest free slot and frees it again at once.
    std::array<bool, 11> blnSenderFree{};
    // The mailbox: "1" after a connection, "0" once the poll performed the command.
    StateField* Text6;
    // Armed only while a mark waits, so nothing wakes the program while no connection comes:
    // it fires at once when this tenth of a second has had no poll, else at the next tenth.
    std::unique_ptr<conv::Timer> Timer8;

private:
    void applyState();
    void armPoll();

    Links m_links;
    bool m_started = false;
    qint64 m_lastPollPeriod = -1; // the tenth of a second, since the epoch, of the last poll
    QSet<QString> m_refusedLogged;
};
